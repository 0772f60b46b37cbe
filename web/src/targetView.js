// The target: monster, level, hit correction and anger.
import { el, field, fillSelect } from './dom.js';
import T from './texts.js';

export class TargetView {
  constructor(root, store) {
    const select = (op) => {
      const node = el('select', { onchange: () => store.dispatch(op, { index: node.selectedIndex }) });
      return node;
    };
    this.monster = select('selectMonster');
    this.level = select('selectLevel');
    this.hitCorrection = select('selectHitCorrection');
    this.anger = el('input', { type: 'checkbox', id: 'anger', onchange: () => store.dispatch('setAnger', { on: this.anger.checked }) });
    root.append(el('h2', { id: 'target-heading', text: T.kSectionTarget }),
      el('div', { className: 'fields' },
        field('monster', T.kMonster, this.monster),
        field('level', T.kLevelLabel, this.level),
        field('hit-correction', T.kHitCorrectionLabel, this.hitCorrection)),
      el('label', { className: 'check' }, this.anger, el('span', { text: T.kAngerCaption })));
  }

  render(state) {
    const names = (records) => records.map((r) => r.name);
    fillSelect(this.monster, names(state.monsters), state.monster);
    fillSelect(this.level, names(state.levels), state.level);
    fillSelect(this.hitCorrection, names(state.hitCorrections), state.hitCorrection);
    this.anger.checked = state.anger;
  }
}

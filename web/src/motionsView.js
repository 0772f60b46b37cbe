// The attack list: the category's motions and the chosen ones, with add,
// remove, clear and reorder.
import { el, field, fill, fillSelect } from './dom.js';
import T from './texts.js';

const MAX_SHOWN = 1000;  // motions listed of a list; a line says how many more

export class MotionsView {
  constructor(root, store) {
    this.store = store;
    // Enter adds the motion under focus, Delete takes a chosen one away.
    this.available = el('select', { size: 8, className: 'list', ondblclick: () => this.add(),
      onkeydown: (e) => { if (e.key === 'Enter') this.add(); } });
    this.chosen = el('select', { size: 8, className: 'list',
      onkeydown: (e) => { if (e.key === 'Delete' || e.key === 'Backspace') this.remove(); } });
    this.values = el('p', { className: 'hint', id: 'motion-values', ariaLive: 'polite' });
    this.available.addEventListener('change', () => this.showValues(this.state?.available[this.available.selectedIndex]));
    this.chosen.addEventListener('change', () => this.showValues(this.state?.chosen[this.chosen.selectedIndex]));
    const button = (text, id, onclick) => el('button', { type: 'button', id, text, onclick });
    root.append(el('h2', { id: 'motions-heading', text: T.kSectionMotions }),
      el('div', { className: 'pair' },
        field('available', T.kAvailableMotions, this.available),
        el('div', { className: 'buttons' },
          button(T.kAddCaption, 'add-motion', () => this.add()),
          button(T.kRemoveCaption, 'remove-motion', () => this.remove()),
          button(T.kMoveUp, 'motion-up', () => this.move(-1)),
          button(T.kMoveDown, 'motion-down', () => this.move(1)),
          button(T.kClearCaption, 'clear-motions', () => store.dispatch('clearMotions'))),
        field('chosen', T.kChosenMotions, this.chosen)), this.values);
  }

  // The selected motion's motion values and rates, as the data file holds them.
  showValues(motion) {
    this.values.textContent = motion
      ? `${motion.name}：${fill(T.kMotionValues, motion.values.join(', '))}　${fill(T.kMotionRates, motion.cut_rate, motion.impact_rate)}` : '';
  }

  add() {
    if (this.available.selectedIndex >= 0) this.store.dispatch('addMotion', { index: this.available.selectedIndex });
  }

  remove() {
    const index = this.chosen.selectedIndex;
    if (index < 0) return;
    this.store.dispatch('removeMotion', { index });
    this.chosen.selectedIndex = Math.min(index, this.chosen.options.length - 1);
  }

  // Within the motions listed (not onto the line that counts the rest).
  move(step) {
    const from = this.chosen.selectedIndex;
    const to = from + step;
    if (from < 0 || to < 0 || to >= Math.min(this.state.chosen.length, MAX_SHOWN)) return;
    this.store.dispatch('moveMotion', { from, to });
    this.chosen.selectedIndex = to;
  }

  render(state) {
    this.state = state;
    for (const [select, motions] of [[this.available, state.available], [this.chosen, state.chosen]]) {
      const names = motions.slice(0, MAX_SHOWN).map((m) => m.name);
      fillSelect(select, names, Math.min(select.selectedIndex, names.length - 1), motions.length);
    }
  }
}

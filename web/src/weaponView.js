// The weapon: category, weapon list and sharpness (with its colours); the
// chosen weapon's status texts stand over the result rows.
import { el, field, fillSelect } from './dom.js';
import T from './texts.js';

export class WeaponView {
  constructor(root, store) {
    this.store = store;
    this.category = el('select', { onchange: () => store.dispatch('selectCategory', { index: this.category.selectedIndex }) });
    this.weapon = el('select', { size: 8, className: 'list', onchange: () => store.dispatch('selectWeapon', { index: this.weapon.selectedIndex }) });
    this.sharpness = el('div', { className: 'sharpness', role: 'radiogroup', ariaLabel: T.kSharpness });
    this.sharpnessBox = el('fieldset', {}, el('legend', { text: T.kSharpness }), this.sharpness);
    root.append(el('h2', { id: 'weapon-heading', text: T.kSectionWeapon }),
      field('category', T.kCategory, this.category),
      field('weapon', T.kWeapon, this.weapon),
      this.sharpnessBox);
  }

  render(state) {
    fillSelect(this.category, state.categories.map((c) => c.label), state.category);
    fillSelect(this.weapon, state.weapons.map((w) => w.name), state.weapon);
    this.renderSharpness(state);
  }

  // One radio button per level, named and coloured as the game colours it;
  // none before a weapon is chosen, which brings its own.
  renderSharpness(state) {
    this.sharpnessBox.hidden = state.weapon < 0;
    const names = state.names.sharpness;
    if (this.sharpness.children.length !== names.length) {
      this.sharpness.replaceChildren(...names.map((name, level) => el('label', { className: `sharp sharp-${level}` },
        el('input', { type: 'radio', name: 'sharpness', value: level,
          onchange: () => this.store.dispatch('releaseSharpness', { position: level }) }),
        el('span', { text: name }))));
    }
    [...this.sharpness.querySelectorAll('input')].forEach((input, level) => {
      input.checked = level === state.sharpness;
    });
  }
}

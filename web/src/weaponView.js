// The weapon: category, weapon list, sharpness (with its colours) and the
// status texts of the chosen weapon.
import { el, field, fillSelect } from './dom.js';
import T from './texts.js';

export class WeaponView {
  constructor(root, store) {
    this.store = store;
    this.category = el('select', { onchange: () => store.dispatch('selectCategory', { index: this.category.selectedIndex }) });
    this.weapon = el('select', { size: 8, className: 'list', onchange: () => store.dispatch('selectWeapon', { index: this.weapon.selectedIndex }) });
    this.sharpness = el('div', { className: 'sharpness', role: 'radiogroup', ariaLabel: T.kSharpness });
    this.attack = el('p', { className: 'status', id: 'attack-text' });
    this.element = el('p', { className: 'status', id: 'element-text' });
    this.sharpnessText = el('p', { className: 'status', id: 'sharpness-text' });
    root.append(el('h2', { id: 'weapon-heading', text: T.kSectionWeapon }),
      field('category', T.kCategory, this.category),
      field('weapon', T.kWeapon, this.weapon),
      el('fieldset', {}, el('legend', { text: T.kSharpness }), this.sharpness),
      el('div', { className: 'statuses' }, this.attack, this.element, this.sharpnessText));
  }

  render(state) {
    fillSelect(this.category, state.categories.map((c) => c.label), state.category);
    fillSelect(this.weapon, state.weapons.map((w) => w.name), state.weapon);
    this.renderSharpness(state);
    this.attack.textContent = state.attackText;
    this.element.textContent = state.elementText;
    this.sharpnessText.textContent = state.sharpnessText;
  }

  // One radio button per level, named and coloured as the game colours it.
  renderSharpness(state) {
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

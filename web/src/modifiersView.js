// The 24 skill and item modifiers, grouped as the core groups them: the
// members of an exclusive group sit in one frame, and the core clears the
// others when one is ticked.
import { el } from './dom.js';
import T from './texts.js';

export class ModifiersView {
  constructor(root, store) {
    this.store = store;
    this.boxes = new Map();
    this.frame = el('div', { className: 'modifiers' });
    root.append(el('h2', { id: 'modifiers-heading', text: T.kSectionModifiers }), this.frame);
  }

  build(modifiers) {
    const groups = new Map();
    for (const m of modifiers) {
      const key = m.group || 0;
      if (!groups.has(key)) groups.set(key, []);
      groups.get(key).push(m);
    }
    const frames = [...groups.entries()].sort((a, b) => a[0] - b[0]).map(([group, members]) => el('div',
      { className: group ? 'group' : 'group free', role: 'group', ariaLabel: members.map((m) => m.caption).join(' / ') },
      members.map((m) => {
        const box = el('input', { type: 'checkbox', id: `modifier-${m.id}`,
          onchange: () => this.store.dispatch('setModifier', { id: m.id, on: box.checked }) });
        this.boxes.set(m.id, box);
        return el('label', { className: 'check' }, box, el('span', { text: m.caption }));
      })));
    this.frame.replaceChildren(...frames);
  }

  render(state) {
    if (this.boxes.size !== state.modifiers.length) this.build(state.modifiers);
    for (const m of state.modifiers) {
      const box = this.boxes.get(m.id);
      box.checked = m.ticked;
      box.disabled = !m.enabled;
    }
  }
}

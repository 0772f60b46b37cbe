// What each modifier and each other sharpness level would change, as the core
// computes it for the rows on show: the largest gain first, by the total or
// by one region; a choice's button makes that click.
import { el, field, fill, fillSelect, signed } from './dom.js';
import T from './texts.js';

export class GainsView {
  constructor(root, store) {
    this.store = store;
    this.region = el('select', { onchange: () => this.render(this.store.state) });
    this.body = el('tbody');
    this.regionHead = el('th', { scope: 'col' });
    this.table = el('table', { id: 'gains', className: 'rows gains' },
      el('thead', {}, el('tr', {}, el('th', { scope: 'col', text: T.kGainsChoiceHeader }),
        el('th', { scope: 'col', text: T.kGainsEffectHeader }), el('th', { scope: 'col', text: T.kRankingTotalHeader }),
        this.regionHead)), this.body);
    this.empty = el('p', { className: 'hint', text: T.kGainsNone });
    root.append(el('h2', { id: 'gains-heading', text: T.kSectionGains }),
      field('gains-region', T.kGainsBy, this.region), el('div', { className: 'scroll' }, this.table), this.empty);
  }

  // The click a gain stands for, through the calculator's own operations.
  apply(gain) {
    if (gain.kind === 'sharpness') this.store.dispatch('releaseSharpness', { position: gain.level });
    else this.store.dispatch('setModifier', { id: gain.id, on: gain.tick });
  }

  choice(gain) {
    if (gain.kind === 'sharpness') return fill(T.kGainsSharpness, gain.name);
    return fill(gain.tick ? T.kGainsTick : T.kGainsUntick, gain.name);
  }

  effect(gain) {
    if (gain.kind === 'sharpness') return '';
    return [gain.effect, gain.replaces && fill(T.kGainsReplaces, gain.replaces.name),
      !gain.enabled && T.kGainsDisabled].filter(Boolean).join('／');
  }

  render(state) {
    const regions = state.result?.rows.map((row) => row.region) ?? [];
    const chosen = this.region.selectedOptions[0]?.textContent;
    fillSelect(this.region, [T.kRankingByTotal, ...regions], regions.indexOf(chosen) + 1);
    const index = this.region.selectedIndex - 1;
    const gains = state.result ? this.store.ask('gains', { region: index >= 0 ? index : null }) : null;
    this.table.hidden = !gains;
    this.empty.hidden = !!gains;
    if (!gains) return;
    this.regionHead.textContent = index >= 0 ? regions[index] : '';
    this.regionHead.hidden = index < 0;
    this.body.replaceChildren(...gains.gains.map((gain) => {
      const text = this.choice(gain);
      return el('tr', {},
        el('th', { scope: 'row' }, el('button', { type: 'button', className: 'link', text,
          disabled: gain.enabled === false, onclick: () => this.apply(gain) })),
        el('td', { text: this.effect(gain) }),
        el('td', { text: signed(gain.total) }),
        index >= 0 ? el('td', { text: signed(gain.damage[index]) }) : null);
    }));
  }
}

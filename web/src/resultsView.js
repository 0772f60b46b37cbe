// The result rows, one per body region, coloured and named by their kind,
// and a row's breakdown (every hit) in a dialog.
import { el, fill } from './dom.js';
import T from './texts.js';

const KIND_CLASS = ['normal', 'low', 'high'];

export class ResultsView {
  constructor(root, store) {
    this.store = store;
    this.head = el('tr');
    this.body = el('tbody');
    this.empty = el('p', { className: 'hint', text: T.kNoRows });
    this.dialog = el('dialog', { id: 'breakdown', ariaLabelledby: 'breakdown-title' });
    root.append(el('h2', { id: 'results-heading', text: T.kSectionResults }),
      el('div', { className: 'legend' }, el('span', { className: 'kind-low', text: `▼ ${T.kLegendResultLow}` }),
        el('span', { className: 'kind-high', text: `▲ ${T.kLegendResultHigh}` })),
      el('table', { id: 'rows', className: 'rows' }, el('thead', {}, this.head), this.body), this.empty, this.dialog);
  }

  render(state) {
    if (this.head.children.length === 0 && state.columns.length) {
      this.head.replaceChildren(...state.columns.map((c) => el('th', { scope: 'col', text: c })),
        el('th', { scope: 'col', text: T.kBreakdown }));
    }
    const rows = state.result?.rows ?? [];
    while (this.body.children.length > rows.length) this.body.lastChild.remove();
    rows.forEach((row, i) => {
      let tr = this.body.children[i];
      if (!tr) {
        tr = el('tr', {}, el('th', { scope: 'row' }), el('td'), el('td'), el('td'),
          el('td', {}, el('button', { type: 'button', className: 'explain', onclick: () => this.explain(i) })));
        this.body.append(tr);
      }
      const marker = row.kind === 1 ? '▼ ' : row.kind === 2 ? '▲ ' : '';
      tr.className = `kind-${KIND_CLASS[row.kind] ?? 'other'}`;
      tr.children[0].textContent = marker + row.cells[0];
      for (let c = 1; c < 4; c++) tr.children[c].textContent = row.cells[c];
      const button = tr.children[4].firstChild;
      button.textContent = T.kBreakdown;
      button.ariaLabel = fill(T.kBreakdownOf, row.cells[0]);
    });
    this.empty.hidden = rows.length > 0;
  }

  explain(row) {
    const { table } = this.store.ask('explainRow', { row });
    if (!table) return;
    const close = el('button', { type: 'button', text: T.kHitTableClose, onclick: () => this.dialog.close() });
    const copy = el('button', { type: 'button', text: T.kHitTableCopy,
      onclick: () => navigator.clipboard.writeText(table.text).then(() => { copy.textContent = T.kHitTableCopied; }) });
    this.dialog.replaceChildren(
      el('h3', { id: 'breakdown-title', text: table.region }),
      el('pre', { className: 'factors', text: table.factors }),
      el('div', { className: 'scroll' }, el('table', { className: 'hits' },
        el('thead', {}, el('tr', {}, table.header.map((h) => el('th', { scope: 'col', text: h })))),
        el('tbody', {}, table.hits.map((cells) => el('tr', {}, cells.map((c) => el('td', { text: c }))))))),
      el('div', { className: 'buttons' }, copy, close));
    this.dialog.showModal();
    close.focus();
  }
}

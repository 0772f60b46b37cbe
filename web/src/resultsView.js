// The answer: the chosen weapon's status texts, the result rows (one per body
// region, coloured and named by their kind), a row's breakdown (every hit) in
// a dialog, and on a phone the rows in one line at the foot of the screen,
// whose buttons bring the table or the chart into view.
import { el, fill, fillList } from './dom.js';
import { unfold } from './fold.js';
import T from './texts.js';

const KIND_CLASS = ['normal', 'low', 'high'];
const marker = (row) => (row.kind === 1 ? '▼ ' : row.kind === 2 ? '▲ ' : '');

export class ResultsView {
  constructor(root, store) {
    this.store = store;
    this.head = el('tr');
    this.body = el('tbody');
    this.empty = el('p', { className: 'hint', text: T.kNoRows });
    this.dialog = el('dialog', { id: 'breakdown', ariaLabelledby: 'breakdown-title' });
    this.statuses = ['attack-text', 'element-text', 'sharpness-text'].map((id) => el('p', { className: 'status', id }));
    this.table = el('table', { id: 'rows', className: 'rows' }, el('thead', {}, this.head), this.body);
    this.summaryRows = el('ul', { id: 'summary-rows' });
    this.summary = el('div', { className: 'summary', role: 'group', ariaLabel: T.kSummary, hidden: true },
      this.summaryRows, el('button', { type: 'button', id: 'summary-show', text: T.kSummaryShow,
        onclick: () => this.table.scrollIntoView({ block: 'start' }) }),
      el('button', { type: 'button', id: 'summary-chart', text: T.kSummaryChart,
        onclick: () => this.showChart() }));
    root.append(el('h2', { id: 'results-heading', text: T.kSectionResults }),
      el('div', { className: 'statuses' }, this.statuses),
      el('div', { className: 'legend' }, el('span', { className: 'kind-low', text: `▼ ${T.kLegendResultLow}` }),
        el('span', { className: 'kind-high', text: `▲ ${T.kLegendResultHigh}` })),
      this.table, this.empty, this.dialog, this.summary);
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
      tr.className = `kind-${KIND_CLASS[row.kind] ?? 'other'}`;
      tr.children[0].textContent = marker(row) + row.cells[0];
      for (let c = 1; c < 4; c++) tr.children[c].textContent = row.cells[c];
      const button = tr.children[4].firstChild;
      button.textContent = T.kBreakdown;
      button.ariaLabel = fill(T.kBreakdownOf, row.cells[0]);
    });
    this.empty.hidden = rows.length > 0;
    [state.attackText, state.elementText, state.sharpnessText].forEach((text, i) => { this.statuses[i].textContent = text; });
    this.renderSummary(rows);
  }

  // Region and damage of each row, marked by kind as the table marks it.
  renderSummary(rows) {
    this.summary.hidden = rows.length === 0;
    fillList(this.summaryRows, rows, (row) => el('li', { className: `kind-${KIND_CLASS[row.kind] ?? 'other'}` },
      el('span', { text: marker(row) + row.cells[0] }), el('b', { text: row.cells[3] })));
  }

  // The chart's panel, opened where it is folded.
  showChart() {
    const chart = document.getElementById('chart-view');
    unfold(chart);
    chart.scrollIntoView({ block: 'start' });
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

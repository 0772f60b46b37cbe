// The weapon table of the category on show, as the core ranks it on the
// setup: by the total or one region, at each weapon's own sharpness or one
// for all, filtered by element and name, sorted by a column header (a second
// click turns the order round). A weapon's name selects it. A narrow screen
// shows the rank, the weapon and the damage ranked by, the rest on demand.
import { el, field, fillList, fillSelect } from './dom.js';
import T from './texts.js';

// The core's column names, each with its header.
const COLUMNS = [['rank', T.kRankingRankHeader], ['weapon', T.kRankingWeaponHeader], ['attack', T.kTableAttackHeader],
  ['element', T.kColumnElement], ['value', T.kTableElementValueHeader], ['sharpness', T.kRankingSharpnessHeader],
  ['total', T.kRankingTotalHeader]];
// The columns a narrow screen leaves out until asked (the total too when a
// region is ranked by).
const EXTRA = new Set(['attack', 'element', 'value', 'sharpness']);

export class WeaponTableView {
  constructor(root, store) {
    this.store = store;
    this.sort = 'rank';
    this.reverse = false;
    const again = () => this.render(this.store.state);
    this.region = el('select', { onchange: again });
    this.element = el('select', { onchange: again });
    this.sharpness = el('select', { onchange: again });
    this.name = el('input', { type: 'search', autocomplete: 'off', oninput: again });
    this.head = el('tr');
    this.body = el('tbody');
    this.empty = el('p', { className: 'hint' });
    this.table = el('table', { id: 'weapon-table', className: 'rows table' }, el('thead', {}, this.head), this.body);
    const allColumns = el('button', { type: 'button', id: 'table-all-columns', className: 'narrow-only',
      text: T.kTableAllColumns, ariaPressed: 'false', onclick: () => {
        allColumns.ariaPressed = String(this.table.classList.toggle('all-columns'));
      } });
    root.append(el('h2', { id: 'table-heading', text: T.kSectionTable }),
      el('div', { className: 'fields' },
        field('table-region', T.kTableBy, this.region),
        field('table-sharpness', T.kTableSharpness, this.sharpness),
        field('table-element', T.kTableElement, this.element),
        field('table-name', T.kTableName, this.name)),
      allColumns, el('div', { className: 'scroll' }, this.table), this.empty);
  }

  request() {
    const index = (select) => (select.selectedIndex > 0 ? select.selectedIndex - 1 : null);
    return { region: index(this.region), sharpness: index(this.sharpness), element: index(this.element),
      name: this.name.value.trim(), sort: this.sort, reverse: this.reverse };
  }

  // A header's click sorts by its column; the same header again turns the
  // order round.
  sortBy(key) {
    this.reverse = key === this.sort && !this.reverse;
    this.sort = key;
    this.render(this.store.state);
  }

  extra(key, table) {
    return EXTRA.has(key) || (key === 'total' && table.region !== null) ? 'extra' : null;
  }

  header(table) {
    const columns = table.region === null ? COLUMNS : [...COLUMNS, ['region', table.region]];
    this.head.replaceChildren(...columns.map(([key, caption]) => el('th',
      { scope: 'col', className: this.extra(key, table), ariaSort: key === table.sort ? table.order : 'none' },
      el('button', { type: 'button', className: 'sort', text: caption, title: T.kTableSortBy.replace('%1', caption),
        onclick: () => this.sortBy(key) }))));
  }

  render(state) {
    if (!state.result) {
      this.head.replaceChildren();
      this.body.replaceChildren();
      this.empty.textContent = T.kTableNoWeapon;
      this.empty.hidden = false;
      return;
    }
    // The region chosen stays chosen while the monster has one of its name.
    const regions = state.result.rows.map((row) => row.region);
    const chosenRegion = this.region.selectedOptions[0]?.textContent;
    fillSelect(this.region, [T.kRankingByTotal, ...regions], regions.indexOf(chosenRegion) + 1);
    fillSelect(this.sharpness, [T.kTableOwnSharpness, ...state.names.sharpness], Math.max(this.sharpness.selectedIndex, 0));
    fillSelect(this.element, [T.kTableAllElements, ...state.names.elements], Math.max(this.element.selectedIndex, 0));
    if (this.sort === 'region' && this.region.selectedIndex < 1) [this.sort, this.reverse] = ['rank', false];
    const table = this.store.ask('rank', this.request());
    this.header(table);
    const chosen = state.weapons[state.weapon]?.name;
    fillList(this.body, table.ranking, (row) => el('tr', { ariaCurrent: row.weapon === chosen ? 'true' : null },
      el('td', { text: row.rank }),
      el('th', { scope: 'row' }, el('button', { type: 'button', className: 'link', text: row.weapon,
        onclick: () => this.store.dispatch('selectWeapon', { index: row.index }) })),
      el('td', { className: 'extra', text: row.attack }), el('td', { className: 'extra', text: row.element }),
      el('td', { className: 'extra', text: row.element_value }),
      el('td', { className: 'extra' }, el('span', { className: `sharp sharp-${row.sharpness}`, text: state.names.sharpness[row.sharpness] })),
      el('td', { className: this.extra('total', table), text: row.total }),
      table.region === null ? null : el('td', { text: row.damage[table.regions.indexOf(table.region)] })));
    this.empty.textContent = T.kTableNone;
    this.empty.hidden = table.ranking.length > 0;
  }
}

// Loadouts side by side: up to six builds (the setup on show, or saved ones)
// against the target on show, as the core compares them; each other loadout's
// difference to the first (A). The loadouts stay in the browser (every change
// starts from them as stored, and another tab's change shows here) and leave
// it as one code, in a link.
import { caption, copyText, el, fill, fillList, linkOf, signed } from './dom.js';
import T from './texts.js';
import { loadCompared, saveCompared, watch } from './storage.js';

const MAX = 6;
const letter = (i) => String.fromCharCode(65 + i);

export class CompareView {
  constructor(root, store) {
    this.store = store;
    this.builds = loadCompared(MAX);
    this.list = el('ol', { className: 'loadouts', id: 'compare-list' });
    this.note = el('p', { className: 'hint', role: 'status', id: 'compare-note' });
    this.hint = el('p', { className: 'hint', text: T.kCompareStartHint });
    this.target = el('p', { id: 'compare-target' });
    this.table = el('table', { id: 'comparison', className: 'rows comparison' });
    const button = (id, text, onclick) => el('button', { type: 'button', id, text, onclick });
    root.append(el('h2', { id: 'compare-heading', text: T.kCompareCaption }),
      el('div', { className: 'buttons' },
        button('compare-add', caption(T.kCompareAddCurrent), () => this.addCurrent()),
        button('compare-link', T.kCompareLink, () => this.copyLink()),
        button('compare-clear', T.kCompareClear, () => this.set([]))),
      this.note, this.list, this.hint, this.target, el('div', { className: 'scroll' }, this.table));
    this.listeners = [];
    watch((event, item) => { if (event === 'changed' && item === 'compared') this.reload(); });
  }

  // Called when the loadouts change (the chart of them keeps up).
  onChange(listener) {
    this.listeners.push(listener);
  }

  reload() {
    this.builds = loadCompared(MAX);
    this.changed();
  }

  // Keeps the loadouts; when the browser refuses, they stay as stored.
  set(builds) {
    if (saveCompared(builds.slice(0, MAX))) this.builds = builds.slice(0, MAX);
    this.changed();
  }

  changed() {
    this.draw();
    for (const listener of this.listeners) listener();
  }

  add(build) {
    this.builds = loadCompared(MAX);
    if (this.builds.length >= MAX) {
      this.note.textContent = fill(T.kCompareFull, MAX);
      return;
    }
    this.note.textContent = '';
    this.set([...this.builds, build]);
  }

  // The setup on show, named after its weapon.
  addCurrent() {
    const state = this.store.state;
    this.add({ name: state.weapons[state.weapon]?.name ?? T.kCodeCurrentSetup, setup: this.store.ask('getSetup').setup });
  }

  // Every loadout in one code, in a link that opens them side by side.
  copyLink() {
    const { code, error } = this.store.ask('code', { builds: this.builds });
    if (code) copyText(linkOf(code), this.note);
    else this.note.textContent = error;
  }

  // Takes the loadout shown at the index out of the loadouts as stored.
  remove(index) {
    const shown = JSON.stringify(this.builds[index]);
    const builds = loadCompared(MAX);
    const at = builds.findIndex((build) => JSON.stringify(build) === shown);
    this.set(builds.filter((_, i) => i !== at));
  }

  // The core's heading of the loadout (its letter and weapon, sharpness,
  // motion and modifier counts, or its name when it has no numbers), then the
  // core's words for what it lacks; its whole build on hover.
  loadoutText(comparison, i) {
    return [comparison.headings[i], comparison.notes[i]].filter(Boolean).join('\n');
  }

  // The core's comparison, or null with the reason it has none in the note.
  comparison() {
    try {
      return this.store.ask('compare', { builds: this.builds });
    } catch (error) {
      this.note.textContent = error.message;
      return null;
    }
  }

  // The comparison is of the loadouts against the target on show, on the
  // data as loaded: a change of anything else leaves it as it is.
  render() {
    if (this.inputs() !== this.drawn) this.draw();
  }

  inputs() {
    const { monster, level, anger } = this.store.state;
    return JSON.stringify([this.builds, monster, level, anger, this.store.loads]);
  }

  draw() {
    this.drawn = this.inputs();
    // A lone loadout is compared too, for the core's heading of it; the
    // table waits for a second.
    const comparison = this.builds.length ? this.comparison() : null;
    fillList(this.list, this.builds, (build, i) => el('li', {},
      el('span', comparison ? { text: this.loadoutText(comparison, i), title: comparison.loadouts[i].detail }
        : { text: build.name }),
      el('button', { type: 'button', text: caption(T.kCompareRemove), ariaLabel: `${caption(T.kCompareRemove)} ${letter(i)}`,
        onclick: () => this.remove(i) })));
    const shown = this.builds.length >= 2 && !!comparison;
    this.hint.hidden = shown;
    this.table.hidden = !shown;
    this.target.hidden = !shown;
    if (!shown) return;
    const { target } = comparison;
    this.target.textContent = fill(T.kCompareTarget, target.monster, target.level, target.anger ? T.kCompareAngry : '');
    this.renderTable(comparison);
  }

  renderTable(comparison) {
    const others = comparison.loadouts.slice(1).map((_, i) => i + 1);
    const head = el('tr', {}, el('th', { scope: 'col', text: T.kColumnRegion }), el('th', { scope: 'col', text: letter(0) }),
      others.flatMap((i) => [el('th', { scope: 'col', text: letter(i) }),
        el('th', { scope: 'col', text: fill(T.kCompareDifference, letter(0)) })]));
    // The row's best is marked in words, and in bold.
    const damage = (row, i) => el('td', row.best[i] ? { text: fill(T.kTableBestMark, row.damage[i]), className: 'best' }
      : { text: row.damage[i] ?? T.kDifferenceMissing });
    const line = (name, row) => el('tr', {}, el('th', { scope: 'row', text: name }), damage(row, 0),
      others.flatMap((i) => [damage(row, i), el('td', { text: signed(row.difference[i]) })]));
    this.table.replaceChildren(el('thead', {}, head), el('tbody', {},
      comparison.regions.map((row) => line(row.region, row)), line(T.kRankingTotalHeader, comparison.total)));
  }
}

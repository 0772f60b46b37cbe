// Saved builds: kept in the browser as the text of a builds.json in the
// desktop's format, which the core's store reads and changes; exported and
// imported as that file; a saved build joins the comparison with a click.
import { describeMisses, el, field, fill } from './dom.js';
import T from './texts.js';
import { loadBuildsText, saveBuildsText } from './storage.js';

const DIR = '/builds';
const FILE = 'builds.json';

export class BuildsView {
  constructor(root, store, compare) {
    this.store = store;
    this.compare = compare;
    this.name = el('input', { type: 'text', maxLength: 80, autocomplete: 'off' });
    this.list = el('ul', { className: 'builds', id: 'builds-list' });
    this.note = el('p', { className: 'hint', role: 'status', id: 'builds-note' });
    this.importer = el('input', { type: 'file', id: 'builds-import', accept: '.json,application/json',
      onchange: () => this.import(this.importer.files[0]) });
    root.append(el('h2', { id: 'builds-heading', text: T.kSectionBuilds }),
      el('form', { className: 'inline', onsubmit: (e) => { e.preventDefault(); this.save(); } },
        field('build-name', T.kBuildName, this.name),
        el('button', { type: 'submit', id: 'build-save', text: T.kBuildSave })),
      this.list, this.note,
      el('div', { className: 'buttons' },
        el('button', { type: 'button', id: 'builds-export', text: T.kBuildExport, onclick: () => this.export() }),
        el('label', { className: 'file', htmlFor: 'builds-import' }, el('span', { text: T.kBuildImport })), this.importer));
    store.core.writeFolder(DIR, this.storedFile());
    this.show(store.ask('builds', { dir: DIR }));
  }

  storedFile() {
    const text = loadBuildsText();
    return text ? { [FILE]: new TextEncoder().encode(text) } : {};
  }

  // Keeps the file the core just wrote (an unusable one it never rewrites).
  keep(answer) {
    const bytes = this.store.core.readFile(`${DIR}/${FILE}`);
    if (bytes && !answer.problem) saveBuildsText(new TextDecoder().decode(bytes));
    this.show(answer);
  }

  save() {
    const name = this.name.value.trim();
    if (!name) return;
    this.keep(this.store.ask('changeBuild', { dir: DIR, change: 'save', name }));
  }

  remove(build) {
    this.keep(this.store.ask('changeBuild', { dir: DIR, change: 'delete', name: build.name, entry: build.entry }));
  }

  apply(build) {
    const answer = this.store.dispatch('applySetup', { setup: build.setup });
    this.note.textContent = describeMisses(answer.misses);
  }

  export() {
    const bytes = this.store.core.readFile(`${DIR}/${FILE}`) ?? new TextEncoder().encode('');
    const link = el('a', { href: URL.createObjectURL(new Blob([bytes], { type: 'application/json' })), download: FILE });
    link.click();
    URL.revokeObjectURL(link.href);
  }

  // Adds the file's builds after the page's own; an unusable file adds
  // nothing and says why.
  async import(file) {
    if (!file) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    this.importer.value = '';
    this.store.core.writeFolder('/import', { [FILE]: bytes });
    const answer = this.store.ask('importBuilds', { dir: DIR, from: '/import' });
    if (answer.added > 0) this.keep(answer);
    else this.show(answer);
    if (answer.importProblem) this.note.textContent = fill(T.kBuildImportUnusable, answer.importProblem);
    else if (!answer.problem) this.note.textContent = fill(T.kBuildImported, answer.added);
  }

  show({ builds, problem }) {
    this.builds = builds;
    this.note.textContent = problem ? fill(T.kBuildsFileUnusable, problem) : '';
    this.list.replaceChildren(...builds.map((build) => el('li', {},
      el('span', { className: 'build-name', text: build.name }),
      el('button', { type: 'button', text: T.kBuildLoad, ariaLabel: `${T.kBuildLoad} ${build.name}`, onclick: () => this.apply(build) }),
      el('button', { type: 'button', text: T.kCompareAdd, ariaLabel: `${T.kCompareAdd} ${build.name}`, onclick: () => this.compare.add(build) }),
      el('button', { type: 'button', text: T.kBuildDelete, ariaLabel: `${T.kBuildDelete} ${build.name}`, onclick: () => this.remove(build) }))));
    if (!builds.length) this.list.append(el('li', { className: 'hint', text: T.kBuildNone }));
  }

  render() {}
}

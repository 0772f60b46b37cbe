// Saved builds: kept in the browser as the text of a builds.json in the
// desktop's format, which the core's store reads and changes; exported and
// imported as that file; a saved build joins the comparison with a click.
// Every change starts from the file as stored now (another tab may have
// changed it), and a change another tab stores shows here at once.
import { download as offer, el, field, fill, fillList } from './dom.js';
import T from './texts.js';
import { loadBuildsText, markUnusable, saveBuildsText, watch } from './storage.js';

const DIR = '/builds';
const FILE = 'builds.json';

const download = (bytes) => offer(FILE, 'application/json', bytes);

export class BuildsView {
  constructor(root, store, compare, alerts) {
    this.store = store;
    this.compare = compare;
    this.alerts = alerts;
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
    this.reload();
    watch((event, item) => { if (event === 'changed' && item === 'builds') this.reload(); });
  }

  // Puts the stored file in the core's folder and lists it.
  reload() {
    this.stored = loadBuildsText();
    this.store.core.writeFolder(DIR, this.stored ? { [FILE]: new TextEncoder().encode(this.stored) } : {});
    const answer = this.store.ask('builds', { dir: DIR });
    this.show(answer);
    return answer;
  }

  // Runs a change of the core's store on the file as stored now and keeps
  // the file it wrote (an unusable one it never rewrites). When the browser
  // refuses to keep it, the list stays as stored and the changed file is
  // offered for export at the top of the page; the answer is then null.
  change(op, args) {
    const answer = this.store.ask(op, { dir: DIR, ...args });
    const bytes = this.store.core.readFile(`${DIR}/${FILE}`);
    const text = bytes && new TextDecoder().decode(bytes);
    if (text !== null && text !== this.stored && !answer.problem && !saveBuildsText(text)) {
      this.alerts.offer('builds', T.kStorageExportUnsaved, () => download(bytes));
      this.reload();
      return null;
    }
    this.stored = text;
    this.show(answer);
    return answer;
  }

  save() {
    const name = this.name.value.trim();
    if (!name) return;
    this.reload();
    this.change('changeBuild', { change: 'save', name });
  }

  // Deletes the stored entry of that name and setup (the list may have moved
  // since it was shown).
  remove(build) {
    const setup = JSON.stringify(build.setup);
    const entry = this.reload().builds.find((b) => b.name === build.name && JSON.stringify(b.setup) === setup)?.entry;
    if (entry !== undefined) this.change('changeBuild', { change: 'delete', name: build.name, entry });
  }

  apply(build) {
    const answer = this.store.dispatch('applySetup', { setup: build.setup });
    this.note.textContent = answer.missText;
  }

  export() {
    download(this.store.core.readFile(`${DIR}/${FILE}`) ?? new TextEncoder().encode(''));
  }

  // Adds the file's builds after the page's own; an unusable file adds
  // nothing and says why.
  async import(file) {
    if (!file) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    this.importer.value = '';
    this.store.core.writeFolder('/import', { [FILE]: bytes });
    this.reload();
    const answer = this.change('importBuilds', { from: '/import' });
    if (!answer) return;
    if (answer.importProblem) this.note.textContent = fill(T.kBuildImportUnusable, answer.importProblem);
    else if (answer.message) this.note.textContent = answer.message;
  }

  show({ builds, problem }) {
    this.builds = builds;
    this.note.textContent = problem ? fill(T.kBuildsFileUnusable, problem) : '';
    markUnusable('builds', !!problem);
    fillList(this.list, builds, (build) => el('li', {},
      el('span', { className: 'build-name', text: build.name }),
      el('button', { type: 'button', text: T.kBuildLoad, ariaLabel: `${T.kBuildLoad} ${build.name}`, onclick: () => this.apply(build) }),
      el('button', { type: 'button', text: T.kCompareAdd, ariaLabel: `${T.kCompareAdd} ${build.name}`, onclick: () => this.compare.add(build) }),
      el('button', { type: 'button', text: T.kBuildDelete, ariaLabel: `${T.kBuildDelete} ${build.name}`, onclick: () => this.remove(build) })));
    if (!builds.length) this.list.append(el('li', { className: 'hint', text: T.kBuildNone }));
  }

  render() {}
}

// The data in use: the bundled sample data, or the player's own .dat files
// and .ini sources (converted here by the core's converter) laid over it,
// kept in the browser until removed. Damaged files get the window's messages;
// a source the converter makes nothing of, or one in an encoding it misreads
// (UTF-8 without the byte-order mark), is refused at the top of the page with
// what the linter says of it, and files the browser cannot keep are refused
// before use.
import { download, el, fill, fillList } from './dom.js';
import T from './texts.js';
import { loadFiles, saveFiles, usedBytes, watch } from './storage.js';

export const DATA_DIR = '/data/';
const MAX_BYTES = 64 * 1024 * 1024;  // the core's own limit for a data file
const MAX_FINDINGS = 20;  // the linter's findings shown of one file

export class DataView {
  // names: the core's name tables, with the stems of the data files.
  // alerts: the top of the page, where a refused source is said.
  constructor(root, store, sample, names, alerts) {
    this.store = store;
    this.alerts = alerts;
    this.sample = sample;
    this.stems = names.categoryFiles;
    this.monster = names.monsterFile;
    this.summary = el('p', { id: 'data-summary' });
    this.usage = el('p', { className: 'hint', id: 'storage-usage' });
    this.downloads = el('ul', { id: 'data-downloads', className: 'downloads' });
    this.messages = el('div', { id: 'data-messages', role: 'alert' });
    this.input = el('input', { type: 'file', id: 'data-files', multiple: true, accept: '.dat,.ini',
      onchange: () => this.add([...this.input.files]) });
    this.remove = el('button', { type: 'button', id: 'data-remove', text: T.kDataRemove, onclick: () => this.reset() });
    const drop = el('div', { className: 'drop', text: T.kDataDrop,
      ondragover: (e) => e.preventDefault(),
      ondrop: (e) => { e.preventDefault(); this.add([...e.dataTransfer.files]); } });
    root.append(el('h2', { id: 'data-heading', text: T.kSectionData }), this.summary,
      el('label', { className: 'file', htmlFor: 'data-files' }, el('span', { text: T.kDataChoose })), this.input,
      drop, this.remove, this.messages, this.downloads, this.usage);
    watch((event, item) => {
      if (event === 'changed' && item === 'files') this.load(this.store.ask('getSetup').setup);
      this.showUsage();
    });
    this.showUsage();
  }

  // Loads the sample with the player's stored files over it and puts the
  // setup (the builds file's form) back on show.
  load(setup) {
    this.use(loadFiles(), setup);
  }

  // Loads the sample with these files over it, converts their sources, and
  // puts the setup back on show; answers the core's answer to the load.
  use(files, setup) {
    this.mine = files;
    this.store.core.writeFolder(DATA_DIR.slice(0, -1), { ...this.sample, ...files });
    const names = Object.keys(files);
    const stems = names.filter((n) => n.endsWith('.ini')).map((n) => n.slice(0, -4));
    const lines = [];
    let answer;
    if (stems.length) {
      answer = this.store.dispatch('convert', { dir: DATA_DIR,
        categories: this.stems.map((s, i) => (stems.includes(s) ? i : -1)).filter((i) => i >= 0),
        monsters: stems.includes(this.monster) });
      // As the window's conversion commands say it: the command's outcome,
      // the file that failed and why.
      for (const c of answer.conversions.filter((c) => !c.written)) lines.push(c.message);
    } else {
      answer = this.store.dispatch('load', { dir: DATA_DIR });
    }
    if (answer.loadErrors) lines.push(...answer.loadErrors.split('\n'));
    if (setup) this.store.dispatch('applySetup', { setup });
    this.show(lines);
    this.summary.textContent = names.length ? fill(T.kDataMine, names.join(', ')) : T.kDataSample;
    this.remove.hidden = names.length === 0;
    this.offerSources(answer);
    return answer;
  }

  // Whether the data as loaded lacks what a source should have made: its
  // category, or any monster.
  lacks(answer, name) {
    const stem = name.slice(0, -4);
    return stem === this.monster ? answer.monsters.length === 0
      : !answer.categories.some((c) => c.category === this.stems.indexOf(stem));
  }

  // A download of every data file in use as its source, in UTF-8 with the
  // byte-order mark, which the converter (and this page) reads back.
  offerSources(answer) {
    const held = [...this.stems, this.monster].filter((stem) => !this.lacks(answer, `${stem}.ini`));
    fillList(this.downloads, held, (stem) => el('li', {}, el('button', { type: 'button', id: `download-${stem}`,
      text: fill(T.kDataDownload, `${stem}.ini`),
      onclick: () => download(`${stem}.ini`, 'text/plain;charset=utf-8',
        this.store.ask('source', { dir: DATA_DIR, stem }).text) })));
  }

  // The linter's findings, as lines.
  static shortened(findings) {
    const more = findings.length - MAX_FINDINGS;
    return [...findings.slice(0, MAX_FINDINGS), ...(more > 0 ? [fill(T.kDataLintMore, more)] : [])];
  }

  async add(files) {
    this.alerts.say('source', null);
    const lines = [];
    const added = {};
    for (const file of files) {
      const name = file.name;
      const stem = name.replace(/\.(dat|ini)$/i, '');
      if (stem === name || ![...this.stems, this.monster].includes(stem)) lines.push(fill(T.kDataRejected, name));
      else if (file.size > MAX_BYTES) lines.push(fill(T.kDataTooLarge, name));
      else added[`${stem}.${name.slice(-3).toLowerCase()}`] = new Uint8Array(await file.arrayBuffer());
    }
    const before = loadFiles();
    const mine = { ...before, ...added };
    const names = Object.keys(added);
    if (names.length && !saveFiles(mine)) {
      this.show([fill(T.kDataNotKept, names.join(', ')), ...lines]);
      return;
    }
    const setup = this.store.ask('getSetup').setup;
    const answer = this.use(mine, setup);
    // A source that leaves its category (or the monsters) empty, or whose
    // names would all be mojibake, goes again, with the linter's word on it;
    // the data is back as it was.
    const refusal = [];
    for (const name of names.filter((n) => n.endsWith('.ini'))) {
      const { findings, misencoded } = this.store.ask('lint', { dir: DATA_DIR, name });
      if (!misencoded && !this.lacks(answer, name)) continue;
      refusal.push(fill(T.kDataSourceRefused, name), ...DataView.shortened(findings));
      if (before[name]) mine[name] = before[name];
      else delete mine[name];
    }
    if (refusal.length) {
      saveFiles(mine);
      this.use(mine, setup);
      this.alerts.say('source', refusal);
    }
    if (lines.length) this.show([...lines, ...this.lines]);
  }

  reset() {
    this.alerts.say('source', null);
    if (saveFiles({})) this.use({}, this.store.ask('getSetup').setup);
  }

  showUsage() {
    this.usage.textContent = fill(T.kStorageUsage, Math.ceil(usedBytes() / 1024).toLocaleString('ja-JP'));
  }

  show(lines) {
    this.lines = lines;
    fillList(this.messages, lines, (line) => el('p', { text: line }));
  }

  render() {}
}

// The data in use: the bundled sample data, or the player's own .dat files
// and .ini sources (converted here by the core's converter) laid over it,
// kept in the browser until removed. Damaged files get the window's messages.
import { el, fill } from './dom.js';
import T from './texts.js';
import { loadFiles, saveFiles } from './storage.js';

export const DATA_DIR = '/data/';
const STEMS = ['Sword', 'DualSword', 'GreatSword', 'Katana', 'Lance', 'GunLance', 'Hummer', 'HuntingHorn'];
const MONSTER = 'Monster';
const MAX_BYTES = 64 * 1024 * 1024;  // the core's own limit for a data file

export class DataView {
  constructor(root, store, sample) {
    this.store = store;
    this.sample = sample;
    this.mine = loadFiles();
    this.summary = el('p', { id: 'data-summary' });
    this.messages = el('div', { id: 'data-messages', role: 'alert' });
    this.input = el('input', { type: 'file', id: 'data-files', multiple: true, accept: '.dat,.ini',
      onchange: () => this.add([...this.input.files]) });
    this.remove = el('button', { type: 'button', id: 'data-remove', text: T.kDataRemove, onclick: () => this.reset() });
    const drop = el('div', { className: 'drop', text: T.kDataDrop,
      ondragover: (e) => e.preventDefault(),
      ondrop: (e) => { e.preventDefault(); this.add([...e.dataTransfer.files]); } });
    root.append(el('h2', { id: 'data-heading', text: T.kSectionData }), this.summary,
      el('label', { className: 'file', htmlFor: 'data-files' }, el('span', { text: T.kDataChoose })), this.input,
      drop, this.remove, this.messages);
  }

  // Loads the sample with the player's files over it, converts their
  // sources, and puts the setup (the builds file's form) back on show.
  load(setup) {
    this.store.core.writeFolder(DATA_DIR.slice(0, -1), { ...this.sample, ...this.mine });
    const names = Object.keys(this.mine);
    const stems = names.filter((n) => n.endsWith('.ini')).map((n) => n.slice(0, -4));
    const lines = [];
    let answer;
    if (stems.length) {
      answer = this.store.dispatch('convert', { dir: DATA_DIR,
        categories: STEMS.map((s, i) => (stems.includes(s) ? i : -1)).filter((i) => i >= 0),
        monsters: stems.includes(MONSTER) });
      // As the window's conversion commands say it: the command's outcome and
      // the file that failed.
      for (const c of answer.conversions.filter((c) => !c.written)) {
        lines.push(c.monsters ? T.kConvertMonstersFailed : T.kConvertWeaponsFailed);
        if (c.failure) lines.push(c.failure);
      }
    } else {
      answer = this.store.dispatch('load', { dir: DATA_DIR });
    }
    if (answer.loadErrors) lines.push(...answer.loadErrors.split('\n'));
    if (setup) this.store.dispatch('applySetup', { setup });
    this.show(lines);
    this.summary.textContent = names.length ? fill(T.kDataMine, names.join(', ')) : T.kDataSample;
    this.remove.hidden = names.length === 0;
  }

  async add(files) {
    const lines = [];
    for (const file of files) {
      const name = file.name;
      const stem = name.replace(/\.(dat|ini)$/i, '');
      if (stem === name || ![...STEMS, MONSTER].includes(stem)) lines.push(fill(T.kDataRejected, name));
      else if (file.size > MAX_BYTES) lines.push(fill(T.kDataTooLarge, name));
      else this.mine[`${stem}.${name.slice(-3).toLowerCase()}`] = new Uint8Array(await file.arrayBuffer());
    }
    saveFiles(this.mine);
    this.load(this.store.ask('getSetup').setup);
    if (lines.length) this.show([...lines, ...this.messages.textContent.split('\n').filter(Boolean)]);
  }

  reset() {
    this.mine = {};
    saveFiles(this.mine);
    this.load(this.store.ask('getSetup').setup);
  }

  show(lines) {
    this.messages.replaceChildren(...lines.map((line) => el('p', { text: line })));
  }

  render() {}
}

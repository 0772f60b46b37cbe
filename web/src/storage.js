// What the page keeps in the browser between visits, one item per key of
// localStorage: the player's own data files (bytes, by file name), the saved
// builds (the text of a builds.json, the desktop's format), the setup on show
// and the loadouts compared.
//
// localStorage rather than IndexedDB: it is read and written synchronously,
// so a change re-reads the stored item, applies itself and writes it back in
// one task, before another tab can run; and the browser tells every other tab
// of a write (the storage event), so each open tab shows the same builds.
//
// Whatever is stored is checked before use: an item this page could not have
// written is reported unusable, read as none and never written over until the
// player removes it. A write the browser refuses (full, private or blocked
// storage) is reported too; the views then show the item as stored.
const KEYS = { files: 'velkar.files', builds: 'velkar.builds', setup: 'velkar.setup', compared: 'velkar.compared' };
export const ITEMS = Object.keys(KEYS);

const listeners = [];
const unusable = new Set();

// listener(event, item): 'changed' (another tab, or a removal here),
// 'unusable' (a stored item failed its check), 'failed' (a write was
// refused; reason 'refused' or 'unusable'), 'written'.
export function watch(listener) {
  listeners.push(listener);
}

function emit(event, item, detail) {
  for (const listener of listeners) listener(event, item, detail);
}

window.addEventListener('storage', (event) => {
  for (const item of ITEMS) if (event.key === null || event.key === KEYS[item]) emit('changed', item);
});

export function unusableItems() {
  return ITEMS.filter((item) => unusable.has(item));
}

// Marks an item unusable (or usable again, when another tab or the player
// replaced it).
export function markUnusable(item, bad = true) {
  if (bad === unusable.has(item)) return;
  if (bad) unusable.add(item);
  else unusable.delete(item);
  emit('unusable', item);
}

// The stored text of an item; null for none, or storage the browser keeps closed.
export function readText(item) {
  try {
    return localStorage.getItem(KEYS[item]);
  } catch {
    return null;
  }
}

// The item as check() makes it from its text (undefined for unusable), or none.
function read(item, check, none) {
  const text = readText(item);
  let value;
  try {
    value = text === null ? none : check(JSON.parse(text));
  } catch {
    value = undefined;
  }
  markUnusable(item, value === undefined);
  return value ?? none;
}

// True once the browser keeps the text (null removes the item).
export function writeText(item, text) {
  if (unusable.has(item)) {
    emit('failed', item, 'unusable');
    return false;
  }
  try {
    if (text === null) localStorage.removeItem(KEYS[item]);
    else localStorage.setItem(KEYS[item], text);
  } catch {
    emit('failed', item, 'refused');
    return false;
  }
  emit('written', item);
  return true;
}

// Removes an item the player chose to give up, unusable or not.
export function removeItem(item) {
  unusable.delete(item);
  if (writeText(item, null)) emit('changed', item);
}

// The bytes the page's items take in the browser (UTF-16, two bytes a character).
export function usedBytes() {
  return ITEMS.reduce((sum, item) => sum + 2 * (KEYS[item].length + (readText(item)?.length ?? 0)), 0);
}

const isObject = (value) => value !== null && typeof value === 'object' && !Array.isArray(value);

// A setup in the builds file's form nests a few levels only; the check stops
// at the limit, however deep the stored value goes.
function shallow(value, levels = 6) {
  if (value === null || typeof value !== 'object') return true;
  return levels > 0 && Object.values(value).every((child) => shallow(child, levels - 1));
}
const isSetup = (value) => isObject(value) && shallow(value);

function toBase64(bytes) {
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(text);
}

function fromBase64(text) {
  return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
}

// Own data files, by their names: a category's or the monsters' file name.
const FILE_NAME = /^(Sword|DualSword|GreatSword|Katana|Lance|GunLance|Hummer|HuntingHorn|Monster)\.(dat|ini)$/;

export function loadFiles() {
  return read('files', (stored) => {
    if (!isObject(stored)) return undefined;
    const entries = Object.entries(stored);
    if (!entries.every(([name, data]) => FILE_NAME.test(name) && typeof data === 'string')) return undefined;
    return Object.fromEntries(entries.map(([name, data]) => [name, fromBase64(data)]));
  }, {});
}

// False when the browser refuses to keep them.
export function saveFiles(files) {
  const stored = Object.fromEntries(Object.entries(files).map(([name, bytes]) => [name, toBase64(bytes)]));
  return writeText('files', Object.keys(stored).length ? JSON.stringify(stored) : null);
}

// The builds file's text: the core's store reads it and says when it cannot.
export const loadBuildsText = () => readText('builds');
export const saveBuildsText = (text) => writeText('builds', text);

// The setup on show, in the builds file's form, to open with next time.
export const loadSetup = () => read('setup', (setup) => (isSetup(setup) ? setup : undefined), null);
export const saveSetup = (setup) => writeText('setup', JSON.stringify(setup));

// The loadouts side by side: builds ({name, setup}) in the builds file's form.
export const loadCompared = (max) => read('compared', (builds) => (Array.isArray(builds) && builds.length <= max &&
  builds.every((b) => isObject(b) && typeof b.name === 'string' && isSetup(b.setup)) ? builds : undefined), []);
export const saveCompared = (builds) => writeText('compared', JSON.stringify(builds));

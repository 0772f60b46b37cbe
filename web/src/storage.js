// What the page keeps in the browser between visits: the player's own data
// files (bytes, by file name) and the saved builds (the text of a
// builds.json, the desktop's format), the setup on show and the loadouts
// compared.
const FILES_KEY = 'velkar.files';
const BUILDS_KEY = 'velkar.builds';

function toBase64(bytes) {
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(text);
}

function fromBase64(text) {
  return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
}

export function loadFiles() {
  try {
    const stored = JSON.parse(localStorage.getItem(FILES_KEY) ?? '{}');
    return Object.fromEntries(Object.entries(stored).map(([name, data]) => [name, fromBase64(data)]));
  } catch {
    return {};
  }
}

// False when the browser refuses to keep them (full or forbidden storage).
export function saveFiles(files) {
  try {
    const stored = Object.fromEntries(Object.entries(files).map(([name, bytes]) => [name, toBase64(bytes)]));
    if (Object.keys(stored).length) localStorage.setItem(FILES_KEY, JSON.stringify(stored));
    else localStorage.removeItem(FILES_KEY);
    return true;
  } catch {
    return false;
  }
}

export function loadBuildsText() {
  try {
    return localStorage.getItem(BUILDS_KEY);
  } catch {
    return null;
  }
}

export function saveBuildsText(text) {
  try {
    localStorage.setItem(BUILDS_KEY, text);
    return true;
  } catch {
    return false;
  }
}

const SETUP_KEY = 'velkar.setup';

// The setup on show, in the builds file's form, to open with next time.
export function loadSetup() {
  try {
    return JSON.parse(localStorage.getItem(SETUP_KEY) ?? 'null');
  } catch {
    return null;
  }
}

export function saveSetup(setup) {
  try {
    localStorage.setItem(SETUP_KEY, JSON.stringify(setup));
  } catch {
    // A browser that keeps nothing simply starts afresh next time.
  }
}

const COMPARED_KEY = 'velkar.compared';

// The loadouts side by side: builds ({name, setup}) in the builds file's form.
export function loadCompared() {
  try {
    const builds = JSON.parse(localStorage.getItem(COMPARED_KEY) ?? '[]');
    return Array.isArray(builds) ? builds : [];
  } catch {
    return [];
  }
}

export function saveCompared(builds) {
  try {
    localStorage.setItem(COMPARED_KEY, JSON.stringify(builds));
  } catch {
    // Kept for this visit only.
  }
}

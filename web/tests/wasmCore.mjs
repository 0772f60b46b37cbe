// Loads the site's WebAssembly module in node, with the site's sample data
// in its memory file system, for the tests to drive as the page does.
import { readFileSync, readdirSync, copyFileSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { pathToFileURL } from 'node:url';

export async function loadSiteCore(site) {
  // The loader is an ES module with a .js name: node takes it as one only
  // under a .mjs name.
  const copy = join(mkdtempSync(join(tmpdir(), 'velkar-')), 'velkar.mjs');
  copyFileSync(join(site, 'velkar.js'), copy);
  // emscripten's ES module loader reaches for node's CommonJS names.
  globalThis.require = createRequire(copy);
  globalThis.__dirname = dirname(copy);
  const { default: createVelkar } = await import(pathToFileURL(copy));
  const module = await createVelkar({ wasmBinary: readFileSync(join(site, 'velkar.wasm')) });
  module.FS.mkdirTree('/data');
  for (const name of readdirSync(join(site, 'data'))) {
    module.FS.writeFile(`/data/${name}`, readFileSync(join(site, 'data', name)));
  }
  const call = (op, args = {}) =>
    JSON.parse(module.ccall('velkar_call', 'string', ['string'], [JSON.stringify({ op, ...args })]));
  return { call, module };
}

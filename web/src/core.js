// The core, compiled to WebAssembly: loads the module and passes requests to
// its binding. Every game value, text and report comes from here.
import createVelkar from './velkar.js';

export async function loadCore() {
  const module = await createVelkar();
  return {
    // Runs one operation of the binding and answers its JSON.
    call(op, args = {}) {
      return JSON.parse(module.ccall('velkar_call', 'string', ['string'],
        [JSON.stringify({ op, ...args })]));
    },
    // Puts files (name -> bytes) into a folder of the module's memory, which
    // is emptied first.
    writeFolder(folder, files) {
      const fs = module.FS;
      if (fs.analyzePath(folder).exists) {
        for (const name of fs.readdir(folder)) if (name !== '.' && name !== '..') fs.unlink(`${folder}/${name}`);
      } else {
        fs.mkdirTree(folder);
      }
      for (const [name, bytes] of Object.entries(files)) fs.writeFile(`${folder}/${name}`, bytes);
    },
    readFile(path) {
      return module.FS.analyzePath(path).exists ? module.FS.readFile(path) : null;
    },
  };
}

// The core, compiled to WebAssembly: loads the module and passes requests to
// its binding. Every game value, text and report comes from here.
import createVelkar from './velkar.js';
import { fill } from './dom.js';
import T from './texts.js';

// The longest request the page hands over, in characters: well within what
// the core parses in the memory it may grow to.
export const MAX_REQUEST = 32 * 1024 * 1024;

// A request the core did not run; its message is the page's Japanese.
export class CoreError extends Error {}

export async function loadCore() {
  const module = await createVelkar();
  // Runs the binding on a request copied to the module's heap; the answer
  // stays valid until the next call. The stack comes back as it was when the
  // module fails midway, so the next call runs as usual.
  const run = (text) => {
    const size = module.lengthBytesUTF8(text) + 1;
    const request = module._malloc(size);
    if (!request) throw new CoreError(T.kCoreFailed);
    const stack = module.stackSave();
    try {
      module.stringToUTF8(text, request, size);
      return module.UTF8ToString(module._velkar_call(request));
    } catch (error) {
      module.stackRestore(stack);
      throw new CoreError(T.kCoreFailed, { cause: error });
    } finally {
      module._free(request);
    }
  };
  return {
    // Runs one operation of the binding and answers its JSON.
    call(op, args = {}) {
      const text = JSON.stringify({ op, ...args });
      if (text.length > MAX_REQUEST) throw new CoreError(fill(T.kRequestTooLarge, MAX_REQUEST.toLocaleString('ja-JP')));
      return JSON.parse(run(text));
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

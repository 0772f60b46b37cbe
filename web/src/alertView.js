// The top of the page: what the browser did not keep (a write it refused,
// with the export of what was not kept), the stored items the page cannot use
// (each kept as it is until the player removes it with its button), a link
// that could not be opened, and any failure nothing else reported. A screen reader announces each change.
import { el, fill } from './dom.js';
import T from './texts.js';
import { removeItem, unusableItems, watch } from './storage.js';

const NAMES = { files: T.kItemFiles, builds: T.kItemBuilds, setup: T.kItemSetup, compared: T.kItemCompared };

export class AlertView {
  constructor(root) {
    this.root = root;
    this.failures = {};  // item -> reason
    this.offers = {};
    this.shown = '';
    this.error = '';
    this.messages = {};  // a view's own alert by key, such as a link that did not open
    watch((event, item, reason) => {
      if (event === 'failed') this.failures[item] = reason;
      else if (event === 'written') delete this.failures[item];
      this.later();
    });
    const failed = (error) => { this.error = fill(T.kPageError, error?.message ?? String(error)); this.render(); };
    window.addEventListener('error', (event) => failed(event.error));
    window.addEventListener('unhandledrejection', (event) => failed(event.reason));
  }

  // An action offered with a refused write of the item (the builds' export).
  offer(item, caption, run) {
    this.offers[item] = { caption, run };
    this.later();
  }

  // Puts up the view's alert of that key (a text, or its lines), or takes it
  // down (no text).
  say(key, text) {
    if (text) this.messages[key] = text;
    else delete this.messages[key];
    this.render();
  }

  // Once the views have read the items again.
  later() {
    queueMicrotask(() => this.render());
  }

  render() {
    const lines = [];
    for (const [item, reason] of Object.entries(this.failures)) {
      const offer = this.offers[item];
      lines.push(el('p', { text: reason === 'unusable' ? fill(T.kStorageKeptUnusable, NAMES[item]) : T.kStorageRefused },
        offer ? el('button', { type: 'button', id: 'unsaved-export', text: offer.caption, onclick: offer.run }) : null));
    }
    for (const bad of unusableItems()) {
      lines.push(el('p', { text: fill(T.kStorageUnusable, NAMES[bad]) },
        el('button', { type: 'button', id: `remove-${bad}`, text: fill(T.kStorageRemove, NAMES[bad]),
          onclick: () => removeItem(bad) })));
    }
    for (const text of Object.values(this.messages).flat()) lines.push(el('p', { text }));
    if (this.error) lines.push(el('p', { text: this.error }));
    // Announced once: the same alerts are not put up again.
    const shown = lines.map((line) => line.textContent).join('\n');
    if (shown === this.shown) return;
    this.shown = shown;
    this.root.replaceChildren(...lines);
    this.root.hidden = lines.length === 0;
  }
}

// The setup on show as a build code: in the address bar's fragment after every
// change (so the address is always a link to what is on show), to copy as a
// code or a link, and a code or link to open. A code of several builds puts
// them side by side in the comparison.
import { copyText, describeMisses, el, field, fill, linkOf } from './dom.js';
import T from './texts.js';

export class CodeView {
  constructor(root, store, compare) {
    this.store = store;
    this.compare = compare;
    this.code = el('input', { type: 'text', readOnly: true, className: 'code' });
    this.input = el('input', { type: 'text', autocomplete: 'off', className: 'code' });
    this.note = el('p', { className: 'hint', role: 'status', id: 'code-note' });
    const button = (id, text, onclick) => el('button', { type: 'button', id, text, onclick });
    root.append(el('h2', { id: 'code-heading', text: T.kSectionCode }),
      field('code', T.kCodeLabel, this.code),
      el('div', { className: 'buttons' },
        button('code-copy', T.kCodeCopy, () => copyText(this.code.value, this.note)),
        button('code-link', T.kCodeLinkCopy, () => copyText(linkOf(this.code.value), this.note))),
      el('form', { className: 'inline', onsubmit: (e) => { e.preventDefault(); this.open(this.input.value); } },
        field('code-open', T.kCodeOpenLabel, this.input),
        el('button', { type: 'submit', id: 'code-open-button', text: T.kCodeOpen })),
      this.note);
    window.addEventListener('hashchange', () => this.openFragment());
  }

  // Opens the code of an address's fragment, if there is one; a fragment
  // that is not percent-encoding is named and leaves the setup on show.
  openFragment(fragment = location.hash) {
    let code;
    try {
      code = decodeURIComponent(fragment.slice(1));
    } catch {
      this.refuse(T.kLinkBroken);
      return;
    }
    if (code && code !== this.code.value) this.open(code);
  }

  refuse(message) {
    this.note.textContent = message;
    history.replaceState(null, '', `#${this.code.value}`);  // still the setup on show
  }

  // A code, or any text holding one (a link, a line of chat): its first build
  // goes on show, with what the data lacks and a word when it was made with
  // other data.
  open(text) {
    let answer;
    try {
      answer = this.store.ask('openCode', { code: text });
    } catch (error) {
      answer = { error: error.message };
    }
    if (answer.error) {
      this.refuse(answer.error);
      return;
    }
    this.store.show(answer);
    const lines = [T.kCodeOpened, describeMisses(answer.misses), answer.otherData ? T.kCodeOtherData : ''];
    if (answer.builds.length > 1) {
      this.compare.set(answer.builds);
      lines.push(fill(T.kCompareOpened, answer.builds.length));
    }
    this.note.textContent = lines.filter(Boolean).join('\n');
    this.input.value = '';
  }

  render() {
    const { code } = this.store.ask('code');
    this.code.value = code ?? '';
    if (code && location.hash !== `#${code}`) history.replaceState(null, '', `#${code}`);
  }
}

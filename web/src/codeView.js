// The setup on show as a build code: in the address bar's fragment after every
// change (so the address is always a link to what is on show), to copy as a
// code or a link, and a code or link to open. A code of several builds puts
// them side by side in the comparison.
import { copyText, el, field, fill, linkOf } from './dom.js';
import T from './texts.js';

export class CodeView {
  constructor(root, store, compare, alerts) {
    this.store = store;
    this.compare = compare;
    this.alerts = alerts;
    // The code on show when a link's alert went up (undefined: the next one
    // shown); a change of it takes the alert down, and with it ends the hold
    // of a refused link's address.
    this.alerted = null;
    this.holdAddress = false;
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

  // Opens the code of an address's fragment, if there is one. A link that
  // cannot be opened (not percent-encoding, or no code the core reads) is
  // said at the top of the page, and its address stays as opened until the
  // player changes the setup, which is still the previous one.
  openFragment(fragment = location.hash) {
    let code;
    try {
      code = decodeURIComponent(fragment.slice(1));
    } catch {
      this.refuse(T.kLinkBroken, true);
      return;
    }
    if (code && code !== this.code.value) this.open(code, true);
  }

  refuse(message, fromLink) {
    this.note.textContent = message;
    if (fromLink) {
      this.alert(fill(T.kLinkRefused, message), this.store.ask('code').code ?? '');
      this.holdAddress = true;
    } else {
      history.replaceState(null, '', `#${this.code.value}`);  // still the setup on show
    }
  }

  alert(text, onShow) {
    this.alerted = text ? onShow : null;
    this.alerts.say('link', text);
  }

  // A code, or any text holding one (a link, a line of chat): its first build
  // goes on show, with what the data lacks and a word when it was made with
  // other data.
  open(text, fromLink = false) {
    let answer;
    try {
      answer = this.store.ask('openCode', { code: text });
    } catch (error) {
      answer = { error: error.message };
    }
    if (answer.error) {
      this.refuse(answer.error, fromLink);
      return;
    }
    this.holdAddress = false;
    this.alert(fromLink && answer.otherData ? T.kCodeOtherData : null, undefined);
    this.store.show(answer);
    const lines = [T.kCodeOpened, answer.missText];
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
    if (this.alerted === undefined) {
      this.alerted = this.code.value;
    } else if (this.alerted !== null && this.code.value !== this.alerted) {
      this.alert(null, null);
      this.holdAddress = false;
    }
    if (this.holdAddress) return;
    if (code && location.hash !== `#${code}`) history.replaceState(null, '', `#${code}`);
  }
}

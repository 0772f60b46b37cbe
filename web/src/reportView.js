// The report, as the core writes it for the clipboard, with a copy button.
import { el } from './dom.js';
import T from './texts.js';

export class ReportView {
  constructor(root) {
    this.text = el('pre', { id: 'report', className: 'report', tabIndex: 0 });
    this.note = el('p', { className: 'hint', role: 'status' });
    this.copy = el('button', { type: 'button', id: 'copy-report', text: T.kCopy, title: T.kReportButtonTip,
      onclick: () => this.copyReport() });
    root.append(el('h2', { id: 'report-heading', text: T.kSectionReport }), this.copy, this.note, this.text);
  }

  copyReport() {
    if (!this.report) {
      this.note.textContent = this.reason;
      return;
    }
    navigator.clipboard.writeText(this.report).then(() => { this.note.textContent = T.kReportCopied; },
      () => { this.note.textContent = T.kCopyFailed; });
  }

  render(state) {
    this.report = state.result?.report;
    this.reason = state.reportUnavailable;
    this.text.textContent = this.report ?? this.reason;
    this.note.textContent = '';
  }
}

// Small helpers for building the views' elements and their common texts.
import T from './texts.js';

// An element with properties (on* become listeners, text and a few more are
// set directly) and children.
export function el(tag, props = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(props)) {
    if (value === undefined || value === null || value === false) continue;
    if (key.startsWith('on')) node.addEventListener(key.slice(2), value);
    else if (key === 'text') node.textContent = value;
    else if (key in node && key !== 'list') node[key] = value;
    else node.setAttribute(key, value === true ? '' : value);
  }
  for (const child of children.flat()) if (child !== null && child !== undefined) node.append(child);
  return node;
}

// Replaces a node's children with the elements make() gives for the items,
// one at a time: lists of any length fill in linear time, with no argument
// list as long as the list.
// Offers a file to save, as a download.
export function download(name, type, contents) {
  const link = el('a', { href: URL.createObjectURL(new Blob([contents], { type })), download: name });
  link.click();
  URL.revokeObjectURL(link.href);
}

export function fillList(node, items, make) {
  const children = document.createDocumentFragment();
  items.forEach((item, i) => children.append(make(item, i)));
  node.replaceChildren(children);
}

// Fills a select with names, keeping the element (and its focus); -1 selects
// nothing. A list longer than shown ends in a line that says how many more
// there are, as a list box of many thousand lines takes seconds to lay out.
export function fillSelect(select, names, selected, total = names.length) {
  const labels = total > names.length ? [...names, fill(T.kListMore, (total - names.length).toLocaleString('ja-JP'))] : names;
  const same = select.options.length === labels.length &&
    labels.every((label, i) => select.options[i].textContent === label);
  if (!same) fillList(select, labels, (label, i) => new Option(label, i));
  if (labels !== names) select.options[names.length].disabled = true;
  select.selectedIndex = selected;
}

// A labelled control: the label above, the control below.
export function field(id, label, control) {
  control.id = id;
  return el('div', { className: 'field' }, el('label', { htmlFor: id, text: label }), control);
}

// Replaces %1, %2, ... with the values.
export function fill(text, ...values) {
  return text.replace(/%(\d)/g, (all, n) => (values[n - 1] ?? all).toString());
}

// A change of damage as the window's difference column shows it: "+12",
// "-3", "±0", and "—" where there is no number.
export function signed(value) {
  if (value === null || value === undefined) return T.kDifferenceMissing;
  return value === 0 ? T.kDifferenceZero : `${value > 0 ? '+' : ''}${value}`;
}

// A caption of the window as a button of the page: without its keyboard
// mnemonic, "外す(&R)" as "外す".
export function caption(text) {
  return text.replace(/\(&\w\)/, '');
}

// Puts text on the clipboard and says in the note how that went.
export function copyText(text, note) {
  navigator.clipboard.writeText(text).then(() => { note.textContent = T.kCodeCopied; },
    () => { note.textContent = T.kCopyFailed; });
}

// The page's address with a code in its fragment: a link that opens it.
export function linkOf(code) {
  return `${location.origin}${location.pathname}#${code}`;
}

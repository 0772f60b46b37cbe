// The chart of the answer: one of the core's five charts of the setup on
// show (the loadouts and sharpness charts of the comparison's loadouts),
// drawn by the core as SVG at the area's width and the system's scheme and
// placed here as it is; redrawn on every change (the picture on show changed
// where the new one differs), and saved as the core's SVG or as a PNG of it.
import { download, el, field, fillSelect } from './dom.js';
import T from './texts.js';

const DARK = matchMedia('(prefers-color-scheme: dark)');
const SVG = 'http://www.w3.org/2000/svg';

// The core's SVG as one element to place, parsed in an inert template (where
// nothing loads or runs): the HTML parser reads it several times faster than
// an XML document is made of it. Null unless every element is SVG and none
// has an event handler: a tag or attribute that came out of a name instead
// of its text would break that, and the picture is refused.
const parser = document.createElement('template');
export function pictureOf(svg) {
  parser.innerHTML = svg;
  const picture = parser.content.firstElementChild;
  // Names only: the attributes' nodes would each be made for the check.
  const unsafe = (node) => node.namespaceURI !== SVG || node.getAttributeNames().some((name) => name.startsWith('on'));
  return parser.content.childElementCount === 1 && ![picture, ...picture.getElementsByTagName('*')].some(unsafe) ? picture : null;
}

// Makes the node on show equal to the one drawn, changing only what differs:
// the attributes and texts of nodes in the same place, the rest replaced,
// added or taken away.
export function morph(shown, drawn) {
  if (shown.nodeName !== drawn.nodeName) {
    shown.replaceWith(drawn);
  } else if (shown.nodeType !== Node.ELEMENT_NODE) {
    if (shown.data !== drawn.data) shown.data = drawn.data;
  } else {
    for (const name of shown.getAttributeNames()) if (!drawn.hasAttribute(name)) shown.removeAttribute(name);
    for (const name of drawn.getAttributeNames()) {
      const value = drawn.getAttribute(name);
      if (shown.getAttribute(name) !== value) shown.setAttribute(name, value);
    }
    const kept = [...shown.childNodes];
    const wanted = [...drawn.childNodes];
    wanted.forEach((node, i) => (i < kept.length ? morph(kept[i], node) : shown.append(node)));
    for (const node of kept.slice(wanted.length)) node.remove();
  }
}

export class ChartView {
  constructor(root, store, compare, charts) {
    this.store = store;
    this.compare = compare;
    this.charts = charts;
    this.svg = '';
    this.shownKind = '';  // of the picture on show
    this.kind = el('select', { onchange: () => this.render() });
    fillSelect(this.kind, charts.map((chart) => chart.caption), 0);
    this.region = el('select', { onchange: () => this.render() });
    this.regionField = field('chart-region', T.kChartRegion, this.region);
    this.area = el('div', { id: 'chart', className: 'chart' });
    const button = (id, text, onclick) => el('button', { type: 'button', id, text, onclick });
    root.append(el('h2', { id: 'chart-heading', text: T.kChartCaption }),
      el('div', { className: 'fields' }, field('chart-kind', T.kChartKind, this.kind), this.regionField),
      this.area,
      el('div', { className: 'buttons' }, button('chart-svg', T.kChartDownloadSvg, () => this.saveSvg()),
        button('chart-png', T.kChartDownloadPng, () => this.savePng())));
    // The room inside the area in whole pixels, and its font size, as the
    // last layout left them (read here, a change's drawing forces no layout):
    // a change of the width redraws, in the next frame, as a drawing that
    // changes the area's height within the observer's call is an error.
    this.width = 0;
    this.fontSize = 14;
    new ResizeObserver(([entry]) => {
      const width = Math.floor(entry.contentRect.width);
      if (width === this.width) return;
      this.width = width;
      this.fontSize = Math.round(parseFloat(getComputedStyle(this.area).fontSize));
      requestAnimationFrame(() => this.render());
    }).observe(this.area);
    DARK.addEventListener('change', () => this.render());
    compare.onChange(() => this.render());
  }

  chosen() {
    return this.charts[this.kind.selectedIndex];
  }

  // The core's request for the chart chosen: the comparison's loadouts for
  // the kinds that chart loadouts (the sharpness chart charts the setup on
  // show when there are none), the region chosen where the kind takes one.
  request() {
    const chart = this.chosen();
    const { builds } = this.compare;
    const index = this.region.selectedIndex - 1;
    return { kind: chart.kind, ...(chart.loadouts && builds.length ? { builds } : {}),
      ...(chart.region && index >= 0 ? { region: index } : {}),
      style: { width: this.width, fontSize: this.fontSize, dark: DARK.matches } };
  }

  render() {
    const state = this.store.state;
    if (!state) return;
    const regions = state.result?.rows.map((row) => row.region) ?? [];
    const chosen = this.region.selectedOptions[0]?.textContent;
    fillSelect(this.region, [T.kChartTotal, ...regions], regions.indexOf(chosen) + 1);
    this.regionField.hidden = !this.chosen().region;
    this.area.dataset.width = this.width;
    if (this.width <= 0) return;  // folded or not laid out: drawn once it is
    this.show(this.store.ask('chart', this.request()).svg);
  }

  // The same picture again (a change the chart does not show) stays as it is;
  // another picture of the kind on show changes it where it differs, so that
  // the browser lays out again only what changed (most of the texts stay).
  show(svg) {
    if (svg === this.svg) return;
    const picture = pictureOf(svg);
    if (!picture) return;
    this.svg = svg;
    const shown = this.area.firstElementChild;
    if (shown && this.shownKind === this.chosen().kind) morph(shown, picture);
    else this.area.replaceChildren(picture);
    this.shownKind = this.chosen().kind;
  }

  fileName(extension) {
    return `velkar-${this.chosen().kind}.${extension}`;
  }

  saveSvg() {
    download(this.fileName('svg'), 'image/svg+xml', this.svg);
  }

  // The SVG drawn on a canvas at the screen's pixel ratio.
  savePng() {
    const svg = this.area.firstElementChild;
    const ratio = window.devicePixelRatio || 1;
    const canvas = el('canvas', { width: Math.ceil(svg.width.baseVal.value * ratio), height: Math.ceil(svg.height.baseVal.value * ratio) });
    const image = new Image();
    const url = URL.createObjectURL(new Blob([this.svg], { type: 'image/svg+xml' }));
    image.onload = () => {
      URL.revokeObjectURL(url);
      canvas.getContext('2d').drawImage(image, 0, 0, canvas.width, canvas.height);
      canvas.toBlob((png) => download(this.fileName('png'), 'image/png', png), 'image/png');
    };
    image.src = url;
  }
}

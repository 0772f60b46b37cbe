// The page as a player uses it, in Debian's chromium (headless) driven by
// playwright-core, served from 127.0.0.1: a player's path whose rows and
// weapon table equal velkar-tool's, links that open a build or a comparison,
// loadouts side by side as velkar-tool compares them, charts that are
// velkar-tool's pictures (shown and downloaded), a saved build that
// survives a reload, builds.json going to and from the tool, the page offline
// after the first visit, the answer in view while an input changes, no
// horizontal scrolling on a phone, no serious accessibility violation
// (axe-core), and nothing lost or stuck whatever the browser keeps, refuses or
// was given: two tabs, full storage, damaged links, long lists, unusable
// sources and stored values the page never wrote.
//
//   node --test browser.test.mjs   (VELKAR_SITE, VELKAR_TOOL, VELKAR_CHROMIUM)
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serveSite } from './siteServer.mjs';

const SITE = process.env.VELKAR_SITE;
const TOOL = process.env.VELKAR_TOOL;
const CHROMIUM = process.env.VELKAR_CHROMIUM || '/usr/bin/chromium';
const PHONE = { width: 390, height: 844 };
const GAMEDATA = join(dirname(fileURLToPath(import.meta.url)), '..', '..', 'gamedata');

let server;
let browser;

before(async () => {
  server = await serveSite(SITE);
  browser = await chromium.launch({ executablePath: CHROMIUM, args: ['--no-sandbox'] });
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function openPage(context, fragment = '') {
  const page = await context.newPage();
  page.on('pageerror', (error) => assert.fail(`page error: ${error.message}`));
  await page.goto(server.url + fragment);
  await page.locator('#app').waitFor();
  return page;
}

// Runs a test's steps on a page of a browser context of its own.
async function onPage(steps, options = {}) {
  const context = await browser.newContext(options);
  await steps(await openPage(context), context);
  await context.close();
}

const reload = async (page) => { await page.reload(); await page.locator('#app').waitFor(); };
const rowCells = (page) => page.locator('#rows tbody tr').evaluateAll((rows) =>
  rows.map((row) => [...row.children].slice(0, 4).map((cell) => cell.textContent.replace(/^[▲▼] /, ''))));

// velkar-tool on the site's own data (or the data folder given), with a
// configuration folder of its own (the saved builds) when one is given.
function tool(args, config, data = join(SITE, 'data')) {
  const env = config ? { ...process.env, HOME: config, XDG_CONFIG_HOME: config } : process.env;
  return execFileSync(TOOL, ['--dir', data, ...args], { encoding: 'utf8', env });
}

// What velkar-tool shows for the same choices.
function nativeRows(args, config) {
  return JSON.parse(tool(['report', ...args, '--json'], config)).rows.map((row) => row.cells);
}

// The panels that follow a change a frame later (the comparison, the chart)
// have repainted once the next frame has come, those after it (weapon table,
// gains, the address) once that frame is painted.
const settle = (page) => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(done))));
const fragmentOf = async (page) => { await settle(page); return page.evaluate(() => location.hash.slice(1)); };

// A player's choices, each through its control.
async function playerPath(page) {
  const select = (control, index) => ['selectOption', control, { index }];
  for (const [action, ...args] of [select('#category', 1), select('#weapon', 2), select('#available', 3),
    ['click', '#add-motion'], select('#available', 0), ['click', '#add-motion'], ['press', '#available', 'Enter'],
    select('#chosen', 2), ['click', '#motion-up'], select('#monster', 2), select('#level', 1), ['check', '#anger'],
    ['check', '#modifier-1040'], ['check', '#modifier-1041'], ['check', '#modifier-1029']]) {  // 1041 clears 1040: one group
    await page[action](...args);
  }
  await page.locator('#weapon-view .sharp-4').click();
}
const PATH_ARGS = ['--category', '1', '--weapon', '2', '--sharpness', '4', '--monster', '2', '--level', '1', '--anger',
  '--modifier', '1041', '--modifier', '1029', '--motion', '3', '--motion', '0', '--motion', '0'];

test('a player\'s path gives the rows velkar-tool gives', () => onPage(async (page) => {
  await playerPath(page);
  assert.equal(await page.isChecked('#modifier-1040'), false);
  assert.deepEqual(await rowCells(page), nativeRows(PATH_ARGS));
  assert.equal(await page.locator('#report').textContent(), JSON.parse(tool(['report', ...PATH_ARGS, '--json'])).report);
  const motion = JSON.parse(tool(['list', '--json'])).categories[1].motions[9];  // its values and rates as listed
  await page.selectOption('#available', { index: 9 });
  assert.equal(await page.locator('#motion-values').textContent(), `${motion.name}：モーション値 ${motion.values.join(', ')}　切断 ${motion.cut_rate}% / 打撃 ${motion.impact_rate}%`);
  // The weapon table sorted by attack, then a weapon chosen from it.
  await settle(page);
  const attack = page.locator('#weapon-table thead th', { hasText: '攻撃力' });
  await attack.getByRole('button').click();
  assert.equal(await attack.getAttribute('aria-sort'), 'descending');
  await attack.getByRole('button').click();  // the same header again turns the order round
  const rank = JSON.parse(tool(['rank', ...PATH_ARGS.slice(0, 2), ...PATH_ARGS.slice(6), '--sort', 'attack', '--reverse', '--json']));
  const names = page.locator('#weapon-table tbody th');
  assert.deepEqual(await names.allTextContents(), rank.ranking.map((row) => row.weapon));
  assert.equal(await attack.getAttribute('aria-sort'), 'ascending');
  await names.nth(1).getByRole('button').click();
  assert.equal(await page.locator('#weapon').evaluate((s) => s.selectedOptions[0].textContent), rank.ranking[1].weapon);
}));

// The comparison's cells as the page shows them, and as velkar-tool's
// comparison gives them.
const comparisonCells = (page) => page.locator('#comparison tr').evaluateAll((rows) =>
  rows.slice(1).map((row) => [...row.children].map((cell) => cell.textContent)));
const signed = (n) => (n === null ? '—' : n === 0 ? '±0' : `${n > 0 ? '+' : ''}${n}`);
const marked = (row, i) => (row.best[i] ? `${row.damage[i]} 最高` : String(row.damage[i]));
const nativeCells = (c) => [...c.regions, { ...c.total, region: '合計' }].map((row) =>
  [row.region, marked(row, 0), ...row.damage.slice(1).flatMap((d, i) => [marked(row, i + 1), signed(row.difference[i + 1])])]);

test('loadouts side by side are velkar-tool\'s comparison, and travel as one link', () => onPage(async (page, context) => {
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await playerPath(page);
  await page.selectOption('#monster', { index: 4 });
  const codes = [await fragmentOf(page)];
  await page.click('#compare-add');
  for (const weapon of [0, 3]) {
    await page.selectOption('#weapon', { index: weapon });
    codes.push(await fragmentOf(page));
    await page.click('#compare-add');
  }
  await page.selectOption('#weapon', { index: 1 });  // the target stays; the loadouts stay as added
  const native = JSON.parse(tool(['compare', ...codes.flatMap((c) => ['--code', c]), '--json']));
  await settle(page);
  const cells = await comparisonCells(page);
  assert.deepEqual(cells, nativeCells(native));
  assert.deepEqual(await page.locator('#compare-list li span').allTextContents(),
    native.loadouts.map((loadout, i) => `${'ABC'[i]} ${loadout.label}`), 'the window\'s column headings');
  await page.click('#compare-link');
  const link = await page.evaluate(() => navigator.clipboard.readText());
  const opened = await openPage(await browser.newContext(), link.slice(link.indexOf('#')));
  await opened.locator('#compare-list li').first().waitFor();  // the link's loadouts are restored
  assert.deepEqual(await rowCells(opened), nativeRows(['--code', codes[0]]));
  assert.deepEqual(await comparisonCells(opened), cells);
  await page.selectOption('#monster', { index: 3 });  // the comparison follows the target on show
  await settle(page);
  const level = String(await page.locator('#level').evaluate((s) => s.selectedIndex));
  assert.deepEqual(await comparisonCells(page),
    nativeCells(JSON.parse(tool(['compare', ...codes.flatMap((c) => ['--code', c]), '--monster', '3', '--level', level, '--json']))));
}));

// The chart beside the rows is velkar-tool's picture of the same setup, byte
// for byte, at the area's width: each kind, chosen before a change of the
// target (so the chart follows it, changed in place), the loadouts of the
// comparison, a region, and the dark scheme. The SVG download is the core's bytes and
// what is shown; the PNG is the picture at the screen's pixel ratio; axe
// finds nothing in the chart's area.
test('each chart is velkar-tool\'s picture, shown and downloaded', () => onPage(async (page, context) => {
  await playerPath(page);
  const codes = [];
  for (const weapon of [0, 2]) {  // the path's weapon last, on show
    await page.selectOption('#weapon', { index: weapon });
    codes.push(await fragmentOf(page));
    await page.click('#compare-add');
  }
  await page.locator('#weapon-view .sharp-4').click();  // as the path set it
  const downloaded = async (button) => {
    const [download] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
    return [download.suggestedFilename(), readFileSync(await download.path())];
  };
  for (const [kind, region, monster, scheme] of [['loadouts', 0, 4, 'light'], ['sharpness', 2, 1, 'light'],
    ['gains', 1, 3, 'dark'], ['motions', 0, 0, 'light'], ['target', 0, 10, 'dark']]) {
    await page.emulateMedia({ colorScheme: scheme });
    await page.selectOption('#chart-kind', { index: ['loadouts', 'sharpness', 'gains', 'motions', 'target'].indexOf(kind) });
    if (region) await page.selectOption('#chart-region', { index: region });
    await page.selectOption('#monster', { index: monster });
    await settle(page);
    const regionName = region && await page.locator('#chart-region').evaluate((s) => s.selectedIndex > 0 && s.selectedOptions[0].textContent);
    const level = String(await page.locator('#level').evaluate((s) => s.selectedIndex));
    const target = ['--monster', String(monster), '--level', level];
    const setup = ['loadouts', 'sharpness'].includes(kind) ? [...codes.flatMap((c) => ['--code', c]), ...target, '--anger']
      : [...PATH_ARGS.slice(0, 6), ...target, ...PATH_ARGS.slice(10)];
    const native = tool(['chart', kind, ...setup, ...(regionName ? ['--region', regionName] : []),
      '--width', await page.getAttribute('#chart', 'data-width'), '--font-size', '14', ...(scheme === 'dark' ? ['--dark'] : [])]);
    const [name, svg] = await downloaded('#chart-svg');
    assert.deepEqual([name, svg.toString('utf8')], [`velkar-${kind}.svg`, native], kind);
    assert.ok(await page.locator('#chart').evaluate((area, text) => new DOMParser().parseFromString(text, 'image/svg+xml')
      .documentElement.isEqualNode(area.firstElementChild), native), `${kind}: the shown picture`);
  }
  // A picture with a tag or handler that came out of a name is refused.
  assert.deepEqual(await page.evaluate(async () => {
    const { pictureOf } = await import('./chartView.js');
    const svg = (inner) => `<svg xmlns="http://www.w3.org/2000/svg"><text>${inner}</text></svg>`;
    return Object.fromEntries(Object.entries({ html: svg('</text><foreignObject><iframe></iframe></foreignObject><text>'),
      handler: svg('</text><rect onmouseover="alert(1)"/><text>'), outside: svg('<img src="x">') })
      .map(([row, text]) => [row, pictureOf(text)]));
  }), { html: null, handler: null, outside: null });
  // A bar that loses its mark in a picture changed in place loses its outline.
  assert.equal(await page.evaluate(async () => {
    const { morph, pictureOf } = await import('./chartView.js');
    const shown = pictureOf('<svg xmlns="http://www.w3.org/2000/svg"><rect stroke="#000" fill="#fff"/></svg>');
    morph(shown, pictureOf('<svg xmlns="http://www.w3.org/2000/svg"><rect fill="#111"/></svg>'));
    return shown.innerHTML;
  }), '<rect fill="#111"></rect>');
  const [name, png] = await downloaded('#chart-png');
  const width = await page.locator('#chart svg').evaluate((svg) => svg.width.baseVal.value);
  assert.deepEqual([name, png.subarray(0, 8).toString('hex'), png.readUInt32BE(16)],
    ['velkar-target.png', '89504e470d0a1a0a', 2 * width]);
  await page.selectOption('#chart-kind', { index: 0 });
  await page.click('#compare-clear');  // the loadouts' chart follows the comparison
  assert.equal(await page.textContent('#chart svg desc'), '比べる装備がありません');
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  const { violations } = await page.evaluate(() => window.axe.run('#chart-view'));
  assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);
}, { viewport: { width: 1280, height: 800 }, deviceScaleFactor: 2 }));

// The desktop's builds.json, saved by velkar-tool, goes into the page; the
// page's export goes back to velkar-tool, which reports every build in it.
test('builds.json goes from velkar-tool to the page and back', () => onPage(async (page) => {
  const config = mkdtempSync(join(tmpdir(), 'velkar-config-'));
  tool(['save-build', '太刀 試し', '--category', '3', '--weapon', '1', ...PATH_ARGS.slice(6)], config);
  await page.setInputFiles('#builds-import', join(config, 'velkar', 'builds.json'));
  await page.locator('#builds-note', { hasText: '1 件' }).waitFor();
  await page.locator('#builds-list li', { hasText: '太刀 試し' }).getByRole('button', { name: /読込/ }).click();
  assert.deepEqual(await rowCells(page), nativeRows(['--build', '太刀 試し'], config));
  await playerPath(page);
  await page.fill('#build-name', '双剣 「怒り」');
  await page.click('#build-save');
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#builds-export')]);
  const back = mkdtempSync(join(tmpdir(), 'velkar-config-'));
  mkdirSync(join(back, 'velkar'));
  await download.saveAs(join(back, 'velkar', 'builds.json'));
  assert.deepEqual(nativeRows(['--build', '双剣 「怒り」'], back), nativeRows(PATH_ARGS));
  assert.deepEqual(nativeRows(['--build', '太刀 試し'], back), nativeRows(['--build', '太刀 試し'], config));
  // Another import adds after the page's own builds, a taken name numbered as
  // the window numbers it; an unusable file adds nothing, says why and leaves
  // the stored builds alone.
  const names = page.locator('#builds-list .build-name');
  await page.setInputFiles('#builds-import', join(config, 'velkar', 'builds.json'));
  await names.nth(2).waitFor();
  assert.equal(await page.textContent('#builds-note'), '1 件のビルドを取り込みました。\n名前を変えたもの：\n「太刀 試し」→「太刀 試し (2)」');
  assert.deepEqual(await names.allTextContents(), ['太刀 試し', '双剣 「怒り」', '太刀 試し (2)']);
  const stored = await page.evaluate(() => localStorage.getItem('velkar.builds'));
  await page.setInputFiles('#builds-import', { name: 'builds.json', mimeType: 'application/json',
    buffer: Buffer.from('{"format": "velkar-builds", "version": 99, "builds": []}') });
  await page.locator('#builds-note', { hasText: '何も' }).waitFor();
  assert.equal(await page.textContent('#builds-note'),
    'このファイルは使えないため、何も追加していません。builds.json：この Velkar が知らない版の形式です');
  assert.deepEqual(await names.allTextContents(), ['太刀 試し', '双剣 「怒り」', '太刀 試し (2)']);
  assert.equal(await page.evaluate(() => localStorage.getItem('velkar.builds')), stored);
}));

// A damaged data file gets the window's message; a source file is converted
// in the page by the core's converter and used instead of the sample's file.
test('a player\'s own files: a damaged one is named, a source is converted', () => onPage(async (page) => {
  const katana = '\uFEFF[Action]\n1=突き,A50,20,30\n[HitPattern]\n1=普通,100,100\n[Weapon]\n1=試作刀,200,2,150,4,0\n';
  await page.setInputFiles('#data-files', [
    { name: 'Sword.dat', mimeType: 'application/octet-stream', buffer: Buffer.from([1, 0]) },
    { name: 'Katana.ini', mimeType: 'text/plain', buffer: Buffer.from(katana) }]);
  await page.locator('#data-remove').waitFor();
  assert.deepEqual(await page.locator('#data-messages p').allTextContents(), [
    '次のデータファイルは正しく読み込めませんでした。読み込めた分だけで続けます。',
    'Sword.dat：ファイルが途中で終わっています（0 バイト目）']);
  assert.equal((await page.locator('#category option').allTextContents()).includes('片手剣'), false);
  await page.selectOption('#category', { label: '太刀' });
  assert.deepEqual(await page.locator('#weapon option').allTextContents(), ['試作刀']);
  await reload(page);
  // The data files in use download as sources that give the same data again.
  const choose = () => page.selectOption('#category', { label: '太刀' }).then(() => page.selectOption('#weapon', { index: 0 }))
    .then(() => page.selectOption('#monster', { index: 3 })).then(() => page.selectOption('#available', { index: 0 })).then(() => page.click('#add-motion'));
  await choose();
  const rows = await rowCells(page);
  await page.click('#compare-add');
  await page.click('#compare-add');
  const sources = [];
  for (const stem of ['Katana', 'Monster']) {
    const [file] = await Promise.all([page.waitForEvent('download'), page.click(`#download-${stem}`)]);
    sources.push({ name: file.suggestedFilename(), mimeType: 'text/plain', buffer: readFileSync(await file.path()) });
  }
  await page.click('#data-remove');
  assert.ok((await page.locator('#category option').allTextContents()).includes('片手剣'));
  await settle(page);  // the loadouts' weapon left with the player's data
  const compared = await comparisonCells(page);
  assert.ok(compared.length > 1 && compared.every(([, ...cells]) => cells.every((cell) => cell === '—')), 'no damage');
  await page.setInputFiles('#data-files', sources);
  await page.locator('#data-remove').waitFor();
  await choose();
  assert.deepEqual([await rowCells(page), await page.isHidden('#alerts')], [rows, true]);
}));

test('a first visit shows no weapon\'s parts, and the page works offline after it', () => onPage(async (page, context) => {
  assert.equal(await page.locator('#weapon-view fieldset').isVisible(), false);  // no sharpness without a weapon
  assert.equal(await page.textContent('#table-view .hint'), '武器を選ぶと、武器種の武器がダメージの順に並びます');
  await page.locator('#offline', { hasText: 'オフラインでも使えます' }).waitFor();  // once the service worker is ready
  await context.setOffline(true);
  await reload(page);
  await playerPath(page);
  assert.deepEqual(await rowCells(page), nativeRows(PATH_ARGS));
}));

// Where the answer is while the player changes an input far down the page:
// beside the inputs on a desktop, in the bar at the foot of a phone's screen.
// The chart: beside the rows on a desktop, a tap away on a phone.
for (const [name, viewport, answer, damage, toChart] of [['desktop', { width: 1280, height: 800 }, '#rows tbody tr', 'td:nth-child(4)', []],
  ['phone', PHONE, '#summary-rows li', 'b', ['#summary-chart']]]) {
  test(`${name}: a change shows its effect without scrolling`, () => onPage(async (page) => {
    const first = page.locator(answer).first();
    const inView = (node = first) => node.evaluate((n) => n.getBoundingClientRect().top >= 0 && n.getBoundingClientRect().bottom <= innerHeight);
    await page.selectOption('#weapon', { index: 2 }).then(() => page.selectOption('#available', { index: 0 })).then(() => page.click('#add-motion'));
    assert.ok(await inView(), 'the first row, as the weapon is chosen');
    for (const button of toChart) await page.click(button);
    assert.ok(await inView(page.locator('#chart svg')), 'the chart');
    await page.locator('#modifier-1029').evaluate((box) => box.scrollIntoView({ block: 'start' }));
    await page.check('#modifier-1029');
    assert.ok(await inView(), 'the first row, beside the last modifier');
    const [row] = nativeRows(['--category', '0', '--weapon', '2', '--motion', '0', '--modifier', '1029']);
    assert.equal(await first.locator(damage).textContent(), row[3]);
  }, { viewport }));
}

test('a phone needs no horizontal scrolling and axe finds nothing serious', () => onPage(async (page) => {
  await playerPath(page);
  await page.click('#compare-add');
  await page.click('#compare-add');
  await settle(page);
  // Half the height the page had on this path with every panel open and the
  // answer below the inputs (7752 pixels).
  const height = await page.evaluate(() => document.documentElement.scrollHeight);
  assert.ok(height <= 3876, `${height} pixels high`);
  for (const scheme of ['light', 'dark']) {
    await page.emulateMedia({ colorScheme: scheme });
    await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
    const { violations } = await page.evaluate(() => window.axe.run());
    const serious = violations.filter((v) => ['serious', 'critical'].includes(v.impact));
    assert.deepEqual(serious.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), [], scheme);
  }
  await page.setViewportSize({ width: 360, height: 740 });  // the narrowest phones in use
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth), '360 pixels');
  // The weapon table opens on the answer's columns, within the screen; the
  // others on demand.
  await page.click('#table-heading button');
  const shown = () => page.locator('#weapon-table thead th:visible').allTextContents();
  assert.deepEqual(await shown(), ['順位', '武器', '合計']);
  assert.ok(await page.locator('#weapon-table').evaluate((t) => t.getBoundingClientRect().right <= innerWidth), 'within 360 pixels');
  await page.click('#table-all-columns');
  assert.equal((await shown()).length, 7);
}, { viewport: PHONE }));

const stored = (page, key) => page.evaluate((k) => localStorage.getItem(k), key);
const buildNames = (page) => page.locator('#builds-list .build-name').allTextContents();

// Two tabs of one browser saving in turn keep every build, and each shows the
// other's changes; full storage is said at the top, the list stays as stored
// and the export keeps the change; a data file that cannot be kept is refused.
test('two tabs keep each other\'s builds; full storage loses nothing', () => onPage(async (a, context) => {
  const b = await openPage(context);
  for (const [page, name] of [[a, 'A-1'], [b, 'B-1'], [a, 'A-2'], [b, 'B-2']]) {
    await page.fill('#build-name', name);
    await page.click('#build-save');
  }
  await a.locator('#builds-list .build-name', { hasText: 'B-2' }).waitFor();
  for (const page of [a, b, await openPage(context)]) assert.deepEqual(await buildNames(page), ['A-1', 'B-1', 'A-2', 'B-2']);
  await b.locator('#builds-list li', { hasText: 'A-1' }).getByRole('button', { name: /削除/ }).click();
  await a.click('#compare-add');
  await b.locator('#compare-list li').waitFor();
  await a.evaluate(() => localStorage.setItem('velkar.builds', localStorage.getItem('velkar.builds').replace('B-2', 'B-3')));  // unannounced
  await a.evaluate(() => {  // every character the browser still takes
    for (let size = 1 << 22, i = 0; size >= 1; size >>= 1) for (;;) try { localStorage.setItem(`f${i++}`, 'x'.repeat(size)); } catch { break; }
  });
  await a.fill('#build-name', 'C');
  await a.click('#build-save');
  assert.equal(await a.textContent('#alerts'), 'ブラウザが保存を受け付けませんでした（保存領域がいっぱいか、保存が許可されていません）。' +
    '表示は保存されている内容のままです。保存できなかった内容を builds.json に書き出す');
  assert.deepEqual(await buildNames(a), ['B-1', 'A-2', 'B-3']);
  const [download] = await Promise.all([a.waitForEvent('download'), a.click('#unsaved-export')]);
  assert.deepEqual(JSON.parse(readFileSync(await download.path())).builds.map((build) => build.name), ['B-1', 'A-2', 'B-3', 'C']);
  const weapons = await a.locator('#weapon option').allTextContents();
  await a.setInputFiles('#data-files', join(GAMEDATA, 'Sword.ini'));
  await a.locator('#data-messages p').waitFor();
  assert.equal(await a.textContent('#data-messages'), 'ブラウザに保存できないため、ファイルを使いませんでした：Sword.ini');
  assert.deepEqual([await a.locator('#weapon option').allTextContents(), await stored(a, 'velkar.files')], [weapons, null]);
}));

// The address is a link to the setup on show. A link that cannot be opened,
// at the start or on a loaded page, is said at the top, keeps its address
// until the player changes the setup, and the next link opens.
const LINK_BROKEN = 'リンクのアドレスが壊れています（% の後が正しい形ではありません）。もう一度まるごとコピーしてください。';
const refused = (note) => `このリンクは開けませんでした。${note} 表示しているのは前の設定のままです。`;
test('the address is a link; links that cannot be opened are named, and the next link opens', async () => {
  await onPage(async (page) => { await playerPath(page); assert.equal(await fragmentOf(page), tool(['code', ...PATH_ARGS]).trim()); });
  const code = tool(['code', ...PATH_ARGS]).trim();
  const damaged = code.slice(0, 8) + (code[8] === 'A' ? 'B' : 'A') + code.slice(9);
  for (const [fragment, note] of [['%', LINK_BROKEN], ['VK1.%ZZ', LINK_BROKEN],
    [damaged, 'コードが壊れています（途中で切れているか、書き間違いがあります）。もう一度まるごとコピーしてください。'],
    [`VK1.${'A'.repeat(1400000)}`, 'コードが長すぎます（8192 文字まで）。']]) {  // beyond the core's stack
    const page = await openPage(await browser.newContext(), `#${fragment}`);
    assert.equal(await page.textContent('#alerts'), refused(note), fragment.slice(0, 8));
    assert.equal(await fragmentOf(page), fragment, fragment.slice(0, 8));
    await page.goto(`${server.url}#${code}`);
    await page.locator('#code-note', { hasText: 'コードの設定を開きました' }).waitFor();
    assert.deepEqual([await rowCells(page), await page.isHidden('#alerts')], [nativeRows(PATH_ARGS), true]);
    await page.goto(`${server.url}#%`);
    await page.locator('#alerts', { hasText: refused(LINK_BROKEN) }).waitFor();
    assert.equal(await fragmentOf(page), '%');
    await page.selectOption('#monster', { index: 0 });  // a change: the address follows, the alert goes
    assert.deepEqual([await fragmentOf(page) === '%', await page.isHidden('#alerts')], [false, true]);
    await page.context().close();
  }
  // A link made with other data files (here without the other categories'
  // files) opens, with a word that the numbers may differ from its maker's.
  const other = mkdtempSync(join(tmpdir(), 'velkar-other-data-'));
  for (const file of ['Monster.dat', 'DualSword.dat']) copyFileSync(join(SITE, 'data', file), join(other, file));
  const page = await openPage(await browser.newContext(), `#${tool(['code', ...PATH_ARGS], undefined, other).trim()}`);
  assert.deepEqual([await page.textContent('#alerts'), await rowCells(page)],
    ['このコードは別のデータファイルで作られました。', nativeRows(PATH_ARGS)]);
  await page.context().close();
});

// Lists of any length fill and compare; a request longer than the core
// takes is refused with a word.
test('lists of any length fill and compare; a longer request is refused', () => onPage(async (page) => {
  const config = mkdtempSync(join(tmpdir(), 'velkar-config-'));
  tool(['save-build', 'x', '--category', '0', '--weapon', '0', '--motion', '0'], config);
  const { setup } = JSON.parse(readFileSync(join(config, 'velkar', 'builds.json'))).builds[0];
  const long = (n) => ({ ...setup, motions: Array(n).fill(setup.motions[0]) });
  await page.evaluate(([one, two]) => {
    localStorage.setItem('velkar.setup', JSON.stringify(one));
    localStorage.setItem('velkar.compared', JSON.stringify([{ name: 'A', setup: two }, { name: 'B', setup: two }]));
  }, [long(150000), long(120000)]);
  const opened = await openPage(page.context());  // with no link to open
  assert.equal(await opened.locator('#chosen option').count(), 1001);
  assert.equal(await opened.locator('#chosen option').last().textContent(), '…ほか 149,000 件');
  await settle(opened);
  const total = await opened.locator('#comparison tr').last().locator('td').allTextContents();
  const one = JSON.parse(tool(['compare', '--build', 'x', '--build', 'x', '--json'], config));
  assert.deepEqual(total, [String(one.total.damage[0] * 120000), String(one.total.damage[0] * 120000), '±0']);
  await opened.evaluate(() => { document.getElementById('code-open').value = 'x'.repeat(32 * 1024 * 1024); });
  await opened.click('#code-open-button');
  assert.equal(await opened.textContent('#code-note'), '内容が大きすぎるため計算できません（計算部に渡せるのは 33,554,432 文字までです）。');
}));

// Sources the converter makes nothing of, or only mojibake of (the
// repository's own UTF-8 without the byte-order mark): refused at the top of
// the page with what velkar-tool lint says of them, the category's data as
// before.
const sword = readFileSync(join(GAMEDATA, 'Sword.ini'));
for (const [name, bytes] of [['random bytes', Buffer.from(Array.from({ length: 900 }, (_, i) => (i * i * 157 + 11) % 256))], ['half-cut', sword.subarray(0, sword.length >> 1)],
  ['UTF-16', Buffer.from(`\uFEFF${sword.toString('utf8').slice(1)}`, 'utf16le')], ['UTF-8 without a byte-order mark', sword]]) {
  test(`a ${name} source is refused with the linter's findings`, () => onPage(async (page) => {
    const weapons = await page.locator('#weapon option').allTextContents();
    await page.setInputFiles('#data-files', { name: 'Sword.ini', mimeType: 'text/plain', buffer: bytes });
    await page.locator('#alerts p').first().waitFor();
    const dir = mkdtempSync(join(tmpdir(), 'velkar-lint-'));
    writeFileSync(join(dir, 'Sword.ini'), bytes);
    assert.deepEqual(await page.locator('#alerts p').allTextContents(), ['Sword.ini からは正しいデータを作れないため使いませんでした。' +
      '前のデータのままです。velkar-tool lint の結果：', ...spawnSync(TOOL, ['--dir', dir, 'lint'], { encoding: 'utf8' }).stdout.split('\n').filter(Boolean)]);
    assert.deepEqual([await page.locator('#weapon option').allTextContents(), await stored(page, 'velkar.files')], [weapons, null]);
  }));
}

// Values in storage the page never wrote: it starts, names the item, works on
// without it (an unusable builds file says why, and a save leaves it as it is)
// and keeps the item as it is until the player removes it.
const UNUSABLE = 'ビルドのファイルを使えないため、一覧は空です。ファイルはそのままにしてあり、ビルドの保存や変更はできません。' +
  '\nbuilds.json：この Velkar が知らない版の形式です';
for (const [name, key, label, text, note] of [['a file in a folder', 'velkar.files', '自分のデータ', '{"a/b.dat": "AAAA"}', ''],
  ['a file named ..', 'velkar.files', '自分のデータ', '{"..": "AAAA"}', ''],
  ['a setup nested 100,000 deep', 'velkar.setup', '前回の設定', `${'{"a":'.repeat(100000)}1${'}'.repeat(100000)}`, ''],
  ['a comparison of the wrong type', 'velkar.compared', '比べる装備', '[{"name": 5, "setup": 3}]', ''],
  ['builds of another version', 'velkar.builds', '保存した装備', '{"format": "velkar-builds", "version": 99, "builds": []}', UNUSABLE]]) {
  test(`stored ${name} is named and kept until removed`, () => onPage(async (page) => {
    await page.evaluate(([k, t]) => localStorage.setItem(k, t), [key, text]);
    await reload(page);
    await page.locator('#alerts p').waitFor();
    assert.equal(await page.textContent('#alerts'),
      `保存されている${label}を使えないため、使わずに続けています。削除するまでそのままにしておきます。${label}を削除`);
    await page.fill('#build-name', 'x');
    await page.click('#build-save');
    await page.click('#compare-add');
    assert.deepEqual([await page.textContent('#builds-note'), await stored(page, key)], [note, text]);
    await page.click('#alerts button');
    assert.deepEqual([await stored(page, key), await page.isHidden('#alerts')], [null, true]);
  }));
}

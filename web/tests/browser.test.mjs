// The page as a player uses it, in Debian's chromium (headless) driven by
// playwright-core, served from 127.0.0.1: a player's path whose rows and
// weapon table equal velkar-tool's, links that open a build or a comparison,
// loadouts side by side as velkar-tool compares them, a saved build that
// survives a reload, builds.json going to and from the tool, the page offline
// after the first visit, no horizontal scrolling on a phone, and no serious
// accessibility violation (axe-core).
//
//   node --test browser.test.mjs   (VELKAR_SITE, VELKAR_TOOL, VELKAR_CHROMIUM)
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import { serveSite } from './siteServer.mjs';

const SITE = process.env.VELKAR_SITE;
const TOOL = process.env.VELKAR_TOOL;
const CHROMIUM = process.env.VELKAR_CHROMIUM || '/usr/bin/chromium';
const PHONE = { width: 390, height: 844 };

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

// velkar-tool on the site's own data, with a configuration folder of its own
// (the saved builds) when one is given.
function tool(args, config) {
  const env = config ? { ...process.env, HOME: config, XDG_CONFIG_HOME: config } : process.env;
  return execFileSync(TOOL, ['--dir', join(SITE, 'data'), ...args], { encoding: 'utf8', env });
}

// What velkar-tool shows for the same choices.
function nativeRows(args, config) {
  return JSON.parse(tool(['report', ...args, '--json'], config)).rows.map((row) => row.cells);
}

const fragmentOf = (page) => page.evaluate(() => location.hash.slice(1));
// The panels that follow a change a frame later (weapon table, gains,
// comparison) have repainted once the next frame has come.
const settle = (page) => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));

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
  // The weapon table sorted by attack, then a weapon chosen from it.
  await settle(page);
  await page.locator('#weapon-table thead button', { hasText: '攻撃力' }).click();
  const rank = JSON.parse(tool(['rank', ...PATH_ARGS.slice(0, 2), ...PATH_ARGS.slice(6), '--sort', 'attack', '--json']));
  const names = page.locator('#weapon-table tbody th');
  assert.deepEqual(await names.allTextContents(), rank.ranking.map((row) => row.weapon));
  await names.nth(1).getByRole('button').click();
  assert.equal(await page.locator('#weapon').evaluate((s) => s.selectedOptions[0].textContent), rank.ranking[1].weapon);
}));

test('the address is a link to the setup on show; a damaged link is named', () => onPage(async (page) => {
  await playerPath(page);
  const code = await fragmentOf(page);
  assert.equal(code, tool(['code', ...PATH_ARGS]).trim());
  const opened = await openPage(await browser.newContext(), `#${code}`);
  assert.deepEqual(await rowCells(opened), nativeRows(PATH_ARGS));
  assert.equal(await opened.locator('#code-note').textContent(), 'コードの設定を開きました');
  const damaged = code.slice(0, 8) + (code[8] === 'A' ? 'B' : 'A') + code.slice(9);
  await opened.goto(`${server.url}#${damaged}`);
  await opened.locator('#code-note', { hasText: '壊れて' }).waitFor();
  assert.equal(await opened.locator('#code-note').textContent(),
    'コードが壊れています（途中で切れているか、書き間違いがあります）。もう一度まるごとコピーしてください。');
  assert.equal(await fragmentOf(opened), code);
}));

// The comparison's cells as the page shows them, and as velkar-tool's
// comparison gives them.
const comparisonCells = (page) => page.locator('#comparison tr').evaluateAll((rows) =>
  rows.slice(1).map((row) => [...row.children].map((cell) => cell.textContent)));
const signed = (n) => (n === null ? '—' : n === 0 ? '±0' : `${n > 0 ? '+' : ''}${n}`);
const nativeCells = (c) => [...c.regions, { ...c.total, region: '合計' }].map((row) =>
  [row.region, String(row.damage[0]), ...row.damage.slice(1).flatMap((d, i) => [String(d), signed(row.difference[i + 1])])]);

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
  await page.click('#compare-link');
  const link = await page.evaluate(() => navigator.clipboard.readText());
  const opened = await openPage(await browser.newContext(), link.slice(link.indexOf('#')));
  await opened.locator('#compare-list li').first().waitFor();  // the link's loadouts are restored
  assert.equal(await opened.locator('#compare-list li').count(), 3);
  assert.deepEqual(await rowCells(opened), nativeRows(['--code', codes[0]]));
  assert.deepEqual(await comparisonCells(opened), cells);
}));

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
  // Another import adds after the page's own builds, a name taken or not; an
  // unusable file adds nothing, says why and leaves the stored builds alone.
  const names = page.locator('#builds-list .build-name');
  await page.setInputFiles('#builds-import', join(config, 'velkar', 'builds.json'));
  await names.nth(2).waitFor();
  assert.equal(await page.textContent('#builds-note'), '1 件の装備を追加しました');
  assert.deepEqual(await names.allTextContents(), ['太刀 試し', '双剣 「怒り」', '太刀 試し']);
  const stored = await page.evaluate(() => localStorage.getItem('velkar.builds'));
  await page.setInputFiles('#builds-import', { name: 'builds.json', mimeType: 'application/json',
    buffer: Buffer.from('{"format": "velkar-builds", "version": 99, "builds": []}') });
  await page.locator('#builds-note', { hasText: '何も' }).waitFor();
  assert.equal(await page.textContent('#builds-note'),
    'このファイルは使えないため、何も追加していません。builds.json：この Velkar が知らない版の形式です');
  assert.deepEqual(await names.allTextContents(), ['太刀 試し', '双剣 「怒り」', '太刀 試し']);
  assert.equal(await page.evaluate(() => localStorage.getItem('velkar.builds')), stored);
}));

test('a saved build survives a reload and brings its setup back', () => onPage(async (page) => {
  await playerPath(page);
  const rows = await rowCells(page);
  await page.fill('#build-name', '双剣 怒り');
  await page.click('#build-save');
  await page.selectOption('#category', { index: 0 });
  await reload(page);
  await page.locator('#builds-list li', { hasText: '双剣 怒り' }).getByRole('button', { name: /読込/ }).click();
  assert.deepEqual(await rowCells(page), rows);
  // Stored builds the core cannot use are listed as none, with the window's
  // reason, and kept as they are through a save.
  const unusable = '{"format": "velkar-builds", "version": 99, "builds": [{"name": "双剣 怒り"}]}';
  await page.evaluate((text) => localStorage.setItem('velkar.builds', text), unusable);
  await reload(page);
  assert.equal(await page.textContent('#builds-note'), 'ビルドのファイルを使えないため、一覧は空です。' +
    'ファイルはそのままにしてあり、ビルドの保存や変更はできません。\nbuilds.json：この Velkar が知らない版の形式です');
  await page.fill('#build-name', '双剣 怒り 2');
  await page.click('#build-save');
  assert.equal(await page.evaluate(() => localStorage.getItem('velkar.builds')), unusable);
  assert.deepEqual(await page.locator('#builds-list li').allTextContents(), ['保存した装備はまだありません']);
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
  await page.click('#data-remove');
  assert.ok((await page.locator('#category option').allTextContents()).includes('片手剣'));
}));

test('the page works offline after the first visit', () => onPage(async (page, context) => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  await reload(page);
  await page.selectOption('#weapon', { index: 0 });
  assert.ok((await rowCells(page)).length > 0);
}));

test('a phone needs no horizontal scrolling and axe finds nothing serious', () => onPage(async (page) => {
  await playerPath(page);
  await page.click('#compare-add');
  await page.click('#compare-add');
  await settle(page);
  const fits = () => page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth);
  for (const scheme of ['light', 'dark']) {
    await page.emulateMedia({ colorScheme: scheme });
    assert.ok(await fits(), scheme);
    await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
    const { violations } = await page.evaluate(() => window.axe.run());
    const serious = violations.filter((v) => ['serious', 'critical'].includes(v.impact));
    assert.deepEqual(serious.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), [], scheme);
  }
  await page.setViewportSize({ width: 360, height: 740 });  // the narrowest phones in use
  assert.ok(await fits(), '360 pixels');
}, { viewport: PHONE }));

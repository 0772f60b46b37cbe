// The page as a player uses it, in Debian's chromium (headless) driven by
// playwright-core, served from 127.0.0.1: a player's path whose rows equal
// velkar-tool's, a saved build that survives a reload, the page offline after
// the first visit, no horizontal scrolling on a phone, and no serious
// accessibility violation (axe-core).
//
//   node --test browser.test.mjs   (VELKAR_SITE, VELKAR_TOOL, VELKAR_CHROMIUM)
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
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

async function openPage(context) {
  const page = await context.newPage();
  page.on('pageerror', (error) => assert.fail(`page error: ${error.message}`));
  await page.goto(server.url);
  await page.locator('#app').waitFor();
  return page;
}

const rowCells = (page) => page.locator('#rows tbody tr').evaluateAll((rows) =>
  rows.map((row) => [...row.children].slice(0, 4).map((cell) => cell.textContent.replace(/^[▲▼] /, ''))));

// What velkar-tool shows for the same choices, on the site's own data.
function nativeRows(...args) {
  const out = execFileSync(TOOL, ['--dir', join(SITE, 'data'), 'report', ...args, '--json'], { encoding: 'utf8' });
  return JSON.parse(out).rows.map((row) => row.cells);
}

// A player's choices, each through its control.
async function playerPath(page) {
  await page.selectOption('#category', { index: 1 });
  await page.selectOption('#weapon', { index: 2 });
  await page.selectOption('#available', { index: 3 });
  await page.click('#add-motion');
  await page.selectOption('#available', { index: 0 });
  await page.click('#add-motion');
  await page.press('#available', 'Enter');
  await page.selectOption('#chosen', { index: 2 });
  await page.click('#motion-up');
  await page.selectOption('#monster', { index: 2 });
  await page.selectOption('#level', { index: 1 });
  await page.check('#anger');
  await page.check('#modifier-1040');
  await page.check('#modifier-1041');  // clears 1040: one group, one tick
  await page.check('#modifier-1029');
  await page.locator('.sharp-4').click();
}
const PATH_ARGS = ['--category', '1', '--weapon', '2', '--sharpness', '4', '--monster', '2', '--level', '1', '--anger',
  '--modifier', '1041', '--modifier', '1029', '--motion', '3', '--motion', '0', '--motion', '0'];

test('a player\'s path gives the rows velkar-tool gives', async () => {
  const context = await browser.newContext();
  const page = await openPage(context);
  await playerPath(page);
  assert.equal(await page.isChecked('#modifier-1040'), false);
  assert.deepEqual(await rowCells(page), nativeRows(...PATH_ARGS));
  const report = JSON.parse(execFileSync(TOOL, ['--dir', join(SITE, 'data'), 'report', ...PATH_ARGS, '--json'],
    { encoding: 'utf8' })).report;
  assert.equal(await page.locator('#report').textContent(), report);
  await context.close();
});

test('a saved build survives a reload and brings its setup back', async () => {
  const context = await browser.newContext();
  const page = await openPage(context);
  await playerPath(page);
  const rows = await rowCells(page);
  await page.fill('#build-name', '双剣 怒り');
  await page.click('#build-save');
  await page.selectOption('#category', { index: 0 });
  await page.reload();
  await page.locator('#app').waitFor();
  const item = page.locator('#builds-list li', { hasText: '双剣 怒り' });
  await item.getByRole('button', { name: /読込/ }).click();
  assert.deepEqual(await rowCells(page), rows);
  await context.close();
});

// A damaged data file gets the window's message; a source file is converted
// in the page by the core's converter and used instead of the sample's file.
test('a player\'s own files: a damaged one is named, a source is converted', async () => {
  const context = await browser.newContext();
  const page = await openPage(context);
  const katana = '\uFEFF[Action]\n1=突き,A50,20,30\n[HitPattern]\n1=普通,100,100\n[Weapon]\n1=試作刀,200,2,150,4,0\n';
  await page.setInputFiles('#data-files', [
    { name: 'Sword.dat', mimeType: 'application/octet-stream', buffer: Buffer.from([1, 0]) },
    { name: 'Katana.ini', mimeType: 'text/plain', buffer: Buffer.from(katana) }]);
  await page.locator('#data-remove').waitFor();
  assert.deepEqual(await page.locator('#data-messages p').allTextContents(), [
    '次のデータファイルは正しく読み込めませんでした。読み込めた分だけで続けます。',
    'Sword.dat：ファイルが途中で終わっています（0 バイト目）']);
  const categories = await page.locator('#category option').allTextContents();
  assert.equal(categories.includes('片手剣'), false);
  await page.selectOption('#category', { label: '太刀' });
  assert.deepEqual(await page.locator('#weapon option').allTextContents(), ['試作刀']);
  await page.reload();
  await page.locator('#app').waitFor();
  await page.click('#data-remove');
  assert.ok((await page.locator('#category option').allTextContents()).includes('片手剣'));
  await context.close();
});

test('the page works offline after the first visit', async () => {
  const context = await browser.newContext();
  const page = await openPage(context);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  await page.reload();
  await page.locator('#app').waitFor();
  await page.selectOption('#weapon', { index: 0 });
  assert.ok((await rowCells(page)).length > 0);
  await context.close();
});

test('a phone needs no horizontal scrolling and axe finds nothing serious', async () => {
  const context = await browser.newContext({ viewport: PHONE });
  const page = await openPage(context);
  await playerPath(page);
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
  await context.close();
});

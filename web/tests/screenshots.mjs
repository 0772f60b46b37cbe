// Saves pictures of the page after a player's choices (two loadouts side by
// side), at 1280x800 and at 390x844, light and dark, for a person to look at:
//   node screenshots.mjs SITE OUTPUT_FOLDER   (cmake --build --preset web --target web_screenshots)
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import { serveSite } from './siteServer.mjs';

const [site, output] = process.argv.slice(2);
mkdirSync(output, { recursive: true });
const server = await serveSite(site);
const browser = await chromium.launch({ executablePath: process.env.VELKAR_CHROMIUM || '/usr/bin/chromium', args: ['--no-sandbox'] });
for (const [name, viewport] of [['desktop', { width: 1280, height: 800 }], ['phone', { width: 390, height: 844 }]]) {
  for (const scheme of ['light', 'dark']) {
    const page = await browser.newPage({ viewport, colorScheme: scheme });
    await page.goto(server.url);
    await page.locator('#app').waitFor();
    const select = (control, index) => ['selectOption', control, { index }];
    for (const [action, ...args] of [select('#weapon', 1), ...[0, 2, 2].flatMap((m) => [select('#available', m), ['click', '#add-motion']]),
      ['check', '#modifier-1040'], ['check', '#anger'], ['click', '#compare-add'], select('#weapon', 2), ['click', '#compare-add']]) {
      await page[action](...args);
    }
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(done))));
    await page.screenshot({ path: join(output, `${name}-${scheme}.png`) });
    await page.screenshot({ path: join(output, `${name}-${scheme}-full.png`), fullPage: true });
    await page.close();
  }
}
await browser.close();
server.close();

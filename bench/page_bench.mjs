// The page's own figures, in Debian's chromium (headless) on 127.0.0.1:
//   first rows   navigation to the first result rows on show (the page opens
//                on the setup it showed last), median of 10 loads;
//   change       a ticked modifier to its repainted rows (the core's operation,
//                the views' update and the layout), median and 95th percentile;
//   chart        the loadouts chart of six loadouts on the largest monster
//                (12 regions) made in the page: the core's series (of the
//                comparison the comparison's panel had the core make) and
//                SVG as the page asks for them (the chart on show asked for
//                again, so that the same picture stays and nothing is
//                placed); median and 95th percentile;
//   chart shown  the same chart made, then parsed, placed and laid out
//                (another chart on show before it); median and 95th
//                percentile;
//   chart change a ticked modifier to its redrawn motions chart (the rows,
//                then the chart and the comparison in the next frame, laid
//                out); median and 95th percentile. Each change starts from a
//                page painted after the last one, as a player's click does:
//                clicked at once, the frame after it also laid out the
//                panels the last change filled once its frame was painted
//                (gains, the weapon table: ~8 ms of layout, counted twice);
//   all panels   the same change until the panels that follow once that frame
//                is painted (gains, the weapon table, the address) have been
//                filled too (laid out in the frame after); median and 95th
//                percentile;
//   main thread  for the chart and the chart change, the CPU time the page's
//                main thread spent from the start to the laid-out chart
//                (chromium's trace of thread time between marks): what the
//                page costs, apart from the machine's other load;
//   long list    a saved build of 50,000 motions put on show (the core's
//                operation, the lists filled and laid out), and until the
//                panels that follow it have repainted too;
//   size         wasm + scripts + page + style, gzip -9.
//   node bench/page_bench.mjs build/web/site   (cmake --build --preset web --target web_bench)
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromium } from '../web/node_modules/playwright-core/index.mjs';
import { serveSite } from '../web/tests/siteServer.mjs';

const site = process.argv[2];
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.ceil(values.length * p) - 1];

const server = await serveSite(site);
const browser = await chromium.launch({ executablePath: process.env.VELKAR_CHROMIUM || '/usr/bin/chromium', args: ['--no-sandbox'] });
const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
await page.goto(server.url);
await page.locator('#app').waitFor();
await page.selectOption('#weapon', { index: 3 });
for (const motion of [0, 1, 2, 3]) {
  await page.selectOption('#available', { index: motion });
  await page.click('#add-motion');
}

const loads = [];
for (let i = 0; i < 10; i++) {
  const start = Date.now();
  await page.reload();
  await page.locator('#rows tbody tr').first().waitFor();
  loads.push(Date.now() - start);
}

const changes = await page.evaluate(() => {
  const box = document.getElementById('modifier-1021');
  const times = [];
  for (let i = 0; i < 200; i++) {
    const start = performance.now();
    box.click();
    void document.getElementById('rows').offsetHeight;  // the layout of the new rows
    times.push(performance.now() - start);
  }
  return times;
});
for (const weapon of [0, 1, 2, 3, 4, 5]) {
  await page.selectOption('#weapon', { index: weapon });
  await page.click('#compare-add');
}
await page.selectOption('#monster', { index: 10 });
await browser.startTracing(page, { categories: ['blink.user_timing'] });
const [charts, made, redraws, repaints] = await page.evaluate(async () => {
  const kind = document.getElementById('chart-kind');
  const chart = document.getElementById('chart');
  const choose = (index) => {
    kind.selectedIndex = index;
    kind.dispatchEvent(new Event('change'));
  };
  const drawn = [];
  for (let i = 0; i < 100; i++) {
    choose(4);  // another chart between, so that each time the loadouts' is drawn anew
    void chart.offsetHeight;
    performance.mark(`chart-${i}`);
    const start = performance.now();
    choose(0);
    void chart.offsetHeight;
    drawn.push(performance.now() - start);
    performance.mark(`chart-${i}-end`);
  }
  const asked = [];
  for (let i = 0; i < 100; i++) {
    const start = performance.now();
    choose(0);
    asked.push(performance.now() - start);
  }
  // The frame's start is when its callbacks began (the panels', then this),
  // or the click's end where the frame had begun before it: the frame that
  // lays out the panels filled after the last change may start during the
  // click, which must not count twice. The motions chart changes with the
  // modifier (the loadouts' does not).
  choose(3);
  const box = document.getElementById('modifier-1021');
  const changed = [];
  const all = [];
  for (let i = 0; i < 100; i++) {
    await new Promise((painted) => requestAnimationFrame(() => setTimeout(painted)));
    performance.mark(`change-${i}`);
    const start = performance.now();
    box.click();
    const end = performance.now();
    await new Promise((done) => requestAnimationFrame((frame) => {
      void chart.offsetHeight;
      const from = Math.max(frame, end);
      changed.push(end - start + performance.now() - from);
      performance.mark(`change-${i}-end`);
      // The page's task that follows the frame was queued before this one.
      setTimeout(() => {
        all.push(end - start + performance.now() - from);
        done();
      });
    }));
  }
  return [drawn, asked, changed, all];
});
// The main thread's CPU time between each pair of marks, in ms.
const marks = JSON.parse(await browser.stopTracing()).traceEvents.filter((event) => event.cat === 'blink.user_timing');
const threadTime = Object.fromEntries(marks.map((mark) => [mark.name, mark.tts]));
const cpu = (name, values) => values.map((_, i) => (threadTime[`${name}-${i}-end`] - threadTime[`${name}-${i}`]) / 1000);
await page.fill('#build-name', 'long');
await page.click('#build-save');
await page.evaluate(() => {
  const file = JSON.parse(localStorage.getItem('velkar.builds'));
  file.builds[0].setup.motions = Array(50000).fill(file.builds[0].setup.motions[0]);
  localStorage.setItem('velkar.builds', JSON.stringify(file));
});
await page.reload();
await page.locator('#app').waitFor();
const [listed, framed, count] = await page.evaluate(() => new Promise((done) => {
  const start = performance.now();
  document.querySelector('#builds-list button').click();
  const chosen = document.getElementById('chosen');
  void chosen.offsetHeight;
  const listed = performance.now() - start;
  requestAnimationFrame(() => setTimeout(() => done([listed, performance.now() - start, chosen.options.length])));
}));
await browser.close();
server.close();

const shipped = readdirSync(site).filter((name) => /\.(wasm|js|html|css)$/.test(name) && name !== 'sw.js');
const gzip = shipped.reduce((sum, name) => sum + gzipSync(readFileSync(join(site, name)), { level: 9 }).length, 0);
const wasm = gzipSync(readFileSync(join(site, 'velkar.wasm')), { level: 9 }).length;
console.log(`first rows after navigation: median ${median(loads)} ms (of ${loads.join(', ')})`);
console.log(`change to repainted rows: median ${median(changes).toFixed(2)} ms, p95 ${percentile(changes, 0.95).toFixed(2)} ms`);
const figures = (values) => `median ${median(values).toFixed(2)} ms, p95 ${percentile(values, 0.95).toFixed(2)} ms`;
console.log(`loadouts chart, 6 loadouts x 12 regions, made: ${figures(made)}`);
console.log(`loadouts chart, 6 loadouts x 12 regions, shown: ${figures(charts)} (main thread: ${figures(cpu('chart', charts))})`);
console.log(`change to redrawn chart: ${figures(redraws)} (main thread: ${figures(cpu('change', redraws))})`);
console.log(`change to all panels repainted: median ${median(repaints).toFixed(2)} ms, p95 ${percentile(repaints, 0.95).toFixed(2)} ms`);
console.log(`50,000 motions (${count} lines listed): ${listed.toFixed(0)} ms to the lists, ${framed.toFixed(0)} ms to the next frame's panels`);
console.log(`size (gzip -9): ${(gzip / 1024).toFixed(1)} KiB in ${shipped.length} files, of which velkar.wasm ${(wasm / 1024).toFixed(1)} KiB`);

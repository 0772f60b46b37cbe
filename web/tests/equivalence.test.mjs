// The page's core against the desktop's: node drives the WebAssembly build
// through its binding over a table of requests, and velkar-tool (native)
// computes the same requests on the same data files; the report document,
// 17-digit breakdown, ranking, gains, comparison, charts, build codes and the
// records listed must be the same, byte for byte.
//
//   node --test equivalence.test.mjs   (VELKAR_SITE, VELKAR_TOOL: see below)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { loadSiteCore } from './wasmCore.mjs';

const SITE = process.env.VELKAR_SITE;  // build/web/site
const TOOL = process.env.VELKAR_TOOL;  // the native velkar-tool
const DATA = join(SITE ?? '', 'data');

// One calculation per row: every category, sharpness set or the weapon's own,
// anger, modifiers of every group, motions repeated and in any order.
const REQUESTS = [
  { name: 'sword-plain', category: 0, weapon: 0, motions: [0, 1, 2] },
  { name: 'dual-angry-fire', category: 1, weapon: 1, anger: true, monster: 3, motions: [3, 3, 0] },
  { name: 'great-sword-sharp-white', category: 2, weapon: 4, sharpness: 5, modifiers: [1040, 1022], motions: [5] },
  { name: 'katana-renki', category: 3, weapon: 2, modifiers: [1033, 1020, 1037], motions: [1, 4, 9], level: 2 },
  { name: 'lance-minus', category: 4, weapon: 7, modifiers: [1041, 1039, 1031], hit: 2, motions: [0, 8] },
  { name: 'gunlance-red', category: 5, weapon: 11, sharpness: 0, monster: 11, level: 3, motions: [2, 6, 2] },
  { name: 'hammer-all-groups', category: 6, weapon: 5, modifiers: [1018, 1021, 1024, 1029, 1034, 1038, 1040], monster: 7, motions: [7, 1] },
  { name: 'horn-no-motions', category: 7, weapon: 3, anger: true, hit: 1, motions: [] },
];

const toolArgs = (r) => ['--category', r.category, '--weapon', r.weapon, '--monster', r.monster ?? 0, '--level', r.level ?? 0,
  '--hit', r.hit ?? 0, ...(r.sharpness === undefined ? [] : ['--sharpness', r.sharpness]), ...(r.anger ? ['--anger'] : []),
  ...(r.modifiers ?? []).flatMap((id) => ['--modifier', id]), ...r.motions.flatMap((m) => ['--motion', m])].map(String);

function tool(...args) {
  return execFileSync(TOOL, ['--dir', DATA, ...args], { encoding: 'utf8', env: { ...process.env, LANG: 'C.UTF-8' } });
}

// The page's way to the same calculation: one operation per control.
function drive(core, r) {
  let state = core.call('load', { dir: '/data/' });
  // Anger and the modifiers outlive a load, as in the window.
  core.call('setAnger', { on: false });
  for (const m of state.modifiers) if (m.ticked) core.call('setModifier', { id: m.id, on: false });
  state = core.call('selectCategory', { index: state.categories.findIndex((c) => c.category === r.category) });
  core.call('selectWeapon', { index: r.weapon });
  if (r.sharpness !== undefined) core.call('releaseSharpness', { position: r.sharpness });
  core.call('selectMonster', { index: r.monster ?? 0 });
  core.call('selectLevel', { index: r.level ?? 0 });
  core.call('selectHitCorrection', { index: r.hit ?? 0 });
  if (r.anger) core.call('setAnger', { on: true });
  for (const id of r.modifiers ?? []) core.call('setModifier', { id, on: true });
  for (const m of r.motions) state = core.call('addMotion', { index: m });
  return core.call('state');
}


// The site's sample data was converted by velkar-tool built to WebAssembly;
// the native tool converted the same sources beside itself.
test('the WebAssembly converter writes the native converter\'s bytes', () => {
  for (const name of readdirSync(DATA)) {
    assert.ok(readFileSync(join(DATA, name)).equals(readFileSync(join(dirname(TOOL), name))), name);
  }
});

test('the page computes what velkar-tool computes', async (t) => {
  assert.ok(SITE && TOOL, 'VELKAR_SITE and VELKAR_TOOL must name the site and the native tool');
  const core = await loadSiteCore(SITE);
  const listed = JSON.parse(tool('list', '--json'));
  for (const r of REQUESTS) {
    await t.test(r.name, () => {
      const native = JSON.parse(tool('report', ...toolArgs(r), '--json'));
      const page = drive(core, r);
      assert.deepEqual(page.result, native);
      // The page's lists are the records that velkar-tool list --json prints.
      const { weapons, motions, hit_corrections: hits, ...category } = listed.categories.find((c) => c.category === r.category);
      assert.deepEqual([page.categories[page.category], page.weapons, page.available, page.hitCorrections, page.monsters, page.levels],
        [category, weapons, motions, hits, listed.monsters, listed.levels]);
      // report --explain prints the report, an empty line, then the breakdown.
      assert.equal(`${page.result.report}\n${core.call('explain').text}`, tool('report', ...toolArgs(r), '--explain'));
      assert.deepEqual(core.call('gains'), JSON.parse(tool('gains', ...toolArgs(r), '--json')));
      // The code of the setup, and the setup that code opens on a page that
      // showed something else.
      const code = tool('code', ...toolArgs(r)).trim();
      assert.equal(core.call('code').code, code);
      core.call('selectCategory', { index: 0 });
      const opened = core.call('openCode', { code });
      assert.deepEqual([opened.result, opened.missText, opened.otherData], [native, '', false]);
      // The page's download of a data file is velkar-tool dump's source, marked as UTF-8.
      const names = core.call('names');
      for (const stem of [names.categoryFiles[r.category], names.monsterFile]) {
        assert.equal(core.call('source', { dir: '/data/', stem }).text, `\uFEFF${tool('dump', `${stem}.dat`)}`, stem);
      }
    });
  }
  await t.test('gains-by-region', () => {
    const region = drive(core, REQUESTS[6]).result.rows[1].region;
    assert.deepEqual(core.call('gains', { region: 1 }), JSON.parse(tool('gains', ...toolArgs(REQUESTS[6]), '--region', region, '--json')));
  });
  // The charts' pictures, byte for byte: the gains of a region in the dark at
  // another size, and the setup on show at each sharpness level (the tool
  // reads it from its code).
  await t.test('chart-gains-and-sharpness', () => {
    const r = REQUESTS[6];
    const region = drive(core, r).result.rows[1].region;
    const style = ['--width', '500', '--font-size', '16', '--dark'];
    const gains = core.call('chart', { kind: 'gains', region: 1, style: { width: 500, fontSize: 16, dark: true } });
    assert.equal(gains.svg, tool('chart', 'gains', ...toolArgs(r), '--region', region, ...style));
    assert.deepEqual(gains.chart, JSON.parse(tool('chart', 'gains', ...toolArgs(r), '--region', region, '--json')));
    const code = core.call('code').code;
    assert.equal(core.call('chart', { kind: 'sharpness' }).svg, tool('chart', 'sharpness', '--code', code));
  });
  // Six loadouts, one of them with a weapon the data lacks, against a target
  // of its own; velkar-tool reads them from the page's codes.
  await t.test('compare-six', () => {
    const builds = REQUESTS.slice(0, 5).map((r, i) => {
      drive(core, r);
      return { name: `装備${i + 1}`, setup: core.call('getSetup').setup };
    });
    builds.push({ name: '幻', setup: { ...builds[1].setup, weapon: '幻の双剣' } });
    core.call('selectMonster', { index: 5 });
    core.call('selectLevel', { index: 1 });
    core.call('setAnger', { on: true });
    const codes = builds.map((build) => core.call('code', { builds: [build] }).code);
    const native = spawnSync(TOOL, ['--dir', DATA, 'compare', ...codes.flatMap((c) => ['--code', c]),
      '--monster', '5', '--level', '1', '--anger', '--json'], { encoding: 'utf8' });
    assert.equal(native.status, 1, native.stderr);  // a loadout without numbers
    const { headings, notes, ...page } = core.call('compare', { builds });
    assert.equal(page.loadouts[5].problem.part, 'weapon');
    assert.deepEqual(page, JSON.parse(native.stdout));
    // The window's column headings and its words for what each loadout lacks.
    assert.deepEqual(headings, page.loadouts.map((loadout, i) => `${'ABCDEF'[i]} ${loadout.label}`));
    assert.deepEqual(notes, ['', '', '', '', '', '計算できません：武器「幻の双剣」']);
  });
  for (const [name, extra, region, sharpness, filter] of [['rank-total', [], null, null], ['rank-region', ['--region', '頭'], '頭', null],
    ['rank-sharpness', ['--sharpness', '2'], null, 2], ['rank-name', ['--name', '剣'], null, null, '剣']]) {
    await t.test(name, () => {
      const r = REQUESTS[1];
      const native = JSON.parse(tool('rank', '--category', r.category, '--monster', r.monster, '--anger',
        ...r.motions.flatMap((m) => ['--motion', String(m)]), ...extra, '--json'));
      drive(core, { ...r, modifiers: [], weapon: 0 });
      const regions = core.call('rank').regions;
      assert.deepEqual(core.call('rank', { region: region === null ? null : regions.indexOf(region), sharpness, name: filter }), native);
    });
  }
});

// Starts the page: loads the core and the sample data, builds the views, and
// registers the service worker that keeps the site for offline use (and says
// so once it is ready).
import { loadCore } from './core.js';
import { Store } from './store.js';
import T from './texts.js';
import { WeaponView } from './weaponView.js';
import { MotionsView } from './motionsView.js';
import { TargetView } from './targetView.js';
import { ModifiersView } from './modifiersView.js';
import { ResultsView } from './resultsView.js';
import { ReportView } from './reportView.js';
import { DataView } from './dataView.js';
import { BuildsView } from './buildsView.js';
import { WeaponTableView } from './weaponTableView.js';
import { GainsView } from './gainsView.js';
import { CompareView } from './compareView.js';
import { ChartView } from './chartView.js';
import { CodeView } from './codeView.js';
import { AlertView } from './alertView.js';
import { makeFoldable } from './fold.js';
import { loadSetup, saveSetup, unusableItems } from './storage.js';

// The sample's data files, by the stems the core names.
async function fetchSample(names) {
  const files = await Promise.all([...names.categoryFiles, names.monsterFile].map(async (stem) => {
    const response = await fetch(`data/${stem}.dat`);
    return response.ok ? [`${stem}.dat`, new Uint8Array(await response.arrayBuffer())] : null;
  }));
  return Object.fromEntries(files.filter(Boolean));
}

async function start() {
  const status = document.getElementById('status');
  document.title = T.kTitle;
  document.getElementById('title').textContent = T.kTitle;
  status.textContent = T.kLoading;
  let core;
  let names;
  let sample;
  try {
    core = await loadCore();
    names = core.call('names');
    sample = await fetchSample(names);
  } catch (error) {
    status.textContent = T.kLoadFailed;
    throw error;
  }
  const store = new Store(core);
  const view = (id) => document.getElementById(id);
  const alerts = new AlertView(view('alerts'));
  const data = new DataView(view('data-view'), store, sample, names, alerts);
  const views = { 'weapon-view': WeaponView, 'motions-view': MotionsView, 'target-view': TargetView,
    'modifiers-view': ModifiersView, 'results-view': ResultsView, 'report-view': ReportView };
  for (const [id, View] of Object.entries(views)) store.addView(new View(view(id), store));
  const compare = new CompareView(view('compare-view'), store);
  const code = new CodeView(view('code-view'), store, compare, alerts);
  // The comparison and the chart beside the rows follow them in the next
  // frame (the chart of the loadouts after the comparison, whose result the
  // core keeps for it); the panels below, and the address, whose
  // replacement takes longer than the rest of a change, once it is painted.
  store.addView(compare, { when: 'frame' });
  store.addView(new ChartView(view('chart-view'), store, compare, names.charts), { when: 'frame' });
  store.addView(code, { when: 'painted' });
  store.addView(new GainsView(view('gains-view'), store), { when: 'painted' });
  store.addView(new WeaponTableView(view('table-view'), store), { when: 'painted' });
  new BuildsView(view('builds-view'), store, compare, alerts);
  // The chart and the long panels below the answer start folded where the
  // answer is not beside the inputs (the same width as the style's two
  // columns); the bar at the foot of a phone's screen opens the chart.
  makeFoldable(['chart-view', 'gains-view', 'table-view', 'report-view', 'builds-view', 'data-view'].map(view),
    !matchMedia('(min-width: 64rem)').matches);
  // The page opens on the setup it showed last, as the window does, or on
  // the build of the link it was opened with.
  const fragment = location.hash;
  data.load(loadSetup());
  if (fragment.length > 1) code.openFragment(fragment);
  // Remembered once the player pauses, off the path from a click to its rows.
  let pending = 0;
  const remember = () => {
    clearTimeout(pending);
    pending = 0;
    if (!unusableItems().includes('setup')) saveSetup(store.ask('getSetup').setup);
  };
  store.onChange(() => {
    clearTimeout(pending);
    pending = setTimeout(remember, 250);
  });
  window.addEventListener('pagehide', () => { if (pending) remember(); });
  status.textContent = '';
  alerts.render();
  view('app').hidden = false;
}

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').then(() => navigator.serviceWorker.ready).then(() => {
    const offline = document.getElementById('offline');
    offline.textContent = T.kOffline;
    offline.hidden = false;
  }).catch(() => {});
}
start();

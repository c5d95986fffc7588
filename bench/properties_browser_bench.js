// The property window on a surface of 50 forms of 40 controls (2,000
// controls of every kind), in the designer (zolt and headless Chromium
// without automation instrumentation):
//   select  refreshing the window when a control is selected: its type's
//           table shown and filled, the page laid out again (median over
//           selections of controls of every kind, in turn; of labels only;
//           and the page changing one short text, what the machine gives)
//   tables  building all sixteen tables into a new window, laid out
//           (median of runs in the page), and the first View > Property
//           request through the host with its Loading window (one run)
// Targets: select at most 5 ms, tables at most 50 ms.
// Run after a build: node bench/properties_browser_bench.js
'use strict';
const { openLargeProject } = require('./helpers/largeProject');

const FORMS = 50;
const CONTROLS = 40;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];

async function firstRequest(browser) {
  return browser.evaluate(`(async () => {
    const t0 = performance.now();
    await ShowPropertyWin();
    document.body.offsetHeight;
    return performance.now() - t0;
  })()`);
}

// Selecting controls of one form after another: every kind in turn, or
// labels only (their table stays), and, for comparison, what the machine
// gives at that moment for one short text changed and laid out.
async function selections(browser, which) {
  return browser.evaluate(`(async () => {
    const all = Array.from(document.querySelectorAll('[controltype="TF" i] > [controlid]'));
    const controls = '${which}' === 'labels' ? all.filter((c) => ModelType(c) === 'L') : all;
    const step = '${which}' === 'text'
      ? (k) => { document.getElementById('PO').textContent = String(k); }
      : (k) => CheckProperty(controls[(k * 41) % controls.length]);
    const times = [];
    for (let k = 0; k < 300; k++) {
      const t0 = performance.now();
      step(k);
      document.body.offsetHeight;
      times.push(performance.now() - t0);
      await new Promise((r) => setTimeout(r, 0));
    }
    return { times, types: new Set(controls.map(ModelType)).size };
  })()`);
}

async function tableBuilds(browser) {
  return browser.evaluate(`(() => {
    const times = [];
    for (let run = 0; run < 9; run++) {
      PropertyWindow().remove();
      const t0 = performance.now();
      PropertyTypeCodes.forEach(BuildProperties);
      document.body.offsetHeight;
      times.push(performance.now() - t0);
    }
    PropertyShownObj = null;
    CheckProperty(SelectedObj);
    return times;
  })()`);
}

async function main() {
  const { browser, close } = await openLargeProject(FORMS, CONTROLS);
  try {
    await sleep(500);
    const first = await firstRequest(browser);
    if (!(await browser.evaluate('bPropertyWindowOpen && !!document.getElementById("PropCAL")'))) throw new Error('no window');
    const select = await selections(browser, 'every');
    const figures = (t) => `median ${median(t).toFixed(2)} ms, max ${Math.max(...t).toFixed(2)} ms`;
    console.log(`select a control with the window open (${FORMS * CONTROLS} controls, ${select.types} kinds in turn): ` +
      figures(select.times));
    console.log(`  labels only (one table): ${figures((await selections(browser, 'labels')).times)}`);
    console.log(`  one short text changed instead: ${figures((await selections(browser, 'text')).times)}`);
    console.log(`build all tables in the page: median ${median(await tableBuilds(browser)).toFixed(1)} ms`);
    console.log(`first View > Property through the host (Loading window, 16 tables, filled): ${first.toFixed(1)} ms`);
  } finally {
    await close();
  }
}

main().catch((e) => { console.error(e); process.exit(1); });

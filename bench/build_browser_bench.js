// Build of 50 forms of 40 controls in the designer, through the page bridge
// (node, run by hand after a build: `node bench/build_browser_bench.js`).
// The project is opened with `zolt PROJECT.rwp` in headless Chromium without
// automation instrumentation, as a user's browser runs it; the time runs
// from the page sending "BuildProject&1" to the "was built" box showing.
// Five builds in a row; the first one also carries the calendars' rebuilt
// handlers and dates back to the design surface.
'use strict';
const { openLargeProject } = require('./helpers/largeProject');

const FORMS = 50;

const BUILD = `new Promise((resolve) => {
  const t0 = performance.now();
  const seen = new MutationObserver(() => {
    const box = Array.from(document.querySelectorAll('dialog[open]')).find((d) => d.id !== 'frmLoading');
    if (!box) return;
    seen.disconnect();
    const ms = performance.now() - t0;
    const text = box.textContent;
    box.querySelector('button').click();
    resolve(/was built/.test(text) ? ms : text);
  });
  seen.observe(document.body, { childList: true, subtree: true, attributes: true });
  sendCommand('BuildProject&1');
})`;

async function main() {
  const { browser, close } = await openLargeProject(FORMS, 40);
  try {
    const times = [];
    for (let run = 0; run < 5; run++) {
      const ms = await browser.evaluate(BUILD);
      if (typeof ms !== 'number') throw new Error('the build did not succeed: ' + ms);
      times.push(ms);
      await new Promise((r) => setTimeout(r, 200));
    }
    const sorted = times.slice().sort((a, b) => a - b);
    console.log(`build in the designer, ${FORMS} forms x 40 controls: median ${sorted[2].toFixed(0)} ms ` +
      `(runs: ${times.map((t) => t.toFixed(0)).join(', ')})`);
  } finally {
    await close();
  }
}

main().catch((e) => { console.error(e); process.exit(1); });

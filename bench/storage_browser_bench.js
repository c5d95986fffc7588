// Opening and saving a project of 50 forms of 40 controls in the designer
// (zolt and headless Chromium without automation instrumentation).
//   open  from the page's load (when it connects and `zolt PROJECT.rwp`
//         starts opening) until every form is on the page and listed and
//         Loading is gone; "drawn" adds the first frame that shows them
//   save  from the Save command to its " Saved." box
// Run after a build: node bench/storage_browser_bench.js
'use strict';
const { execFileSync } = require('node:child_process');
const path = require('node:path');
const { tempDir } = require('../tests/e2e/helpers/browser');
const { startZolt } = require('../tests/e2e/helpers/zolt');
const { launchPlainBrowser } = require('./helpers/plainBrowser');

const ROOT = path.join(__dirname, '..');
const FORMS = 50;

// Notes in the page the moments the open and the save are done.
const WATCH = `(${function watch(forms) {
  window.__bench = {};
  const check = () => {
    const b = window.__bench;
    if (!b.listed && document.querySelectorAll('#x_FormsList_x option').length === forms &&
        !document.getElementById('frmLoading')) {
      b.listed = performance.now();
      b.loaded = performance.getEntriesByType('navigation')[0].loadEventStart;
      // The next frame draws the forms; the task after it comes once it is drawn.
      requestAnimationFrame(() => setTimeout(() => { b.opened = performance.now(); }, 0));
    }
    if (b.saveStart && !b.saved) {
      const box = Array.from(document.querySelectorAll('dialog[open]')).find((d) => /Saved\./.test(d.textContent));
      if (box) {
        b.saved = performance.now();
        box.querySelector('button').click();
      }
    }
  };
  document.addEventListener('DOMContentLoaded', () => {
    new MutationObserver(check).observe(document.documentElement, { childList: true, subtree: true, attributes: true });
  });
}})(${FORMS});`;

async function main() {
  const project = execFileSync(path.join(ROOT, 'out/build/bench/storage_bench'), ['--write', tempDir('zolt-bench-')])
    .toString().trim();
  const opens = [];
  const drawn = [];
  const saves = [];
  for (let run = 0; run < 5; run++) {
    const zolt = await startZolt({ args: [project] });
    const browser = await launchPlainBrowser();
    try {
      await browser.addInitScript(WATCH);
      await browser.navigate(zolt.url);
      await browser.waitFor('window.__bench && window.__bench.opened');
      opens.push(await browser.evaluate('__bench.listed - __bench.loaded'));
      drawn.push(await browser.evaluate('__bench.opened - __bench.loaded'));
      await browser.evaluate('__bench.saveStart = performance.now(); sendCommand("SaveExistingProjectFalse"); 0');
      await browser.waitFor('__bench.saved');
      saves.push(await browser.evaluate('__bench.saved - __bench.saveStart'));
    } finally {
      await browser.close();
      await zolt.stop();
    }
  }
  const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];
  const list = (v) => v.map((ms) => ms.toFixed(0)).join(', ');
  console.log(`open in the designer: median ${median(opens).toFixed(0)} ms (runs: ${list(opens)})`);
  console.log(`  and drawn: median ${median(drawn).toFixed(0)} ms (runs: ${list(drawn)})`);
  console.log(`save in the designer: median ${median(saves).toFixed(0)} ms (runs: ${list(saves)})`);
}

main().catch((e) => { console.error(e); process.exit(1); });

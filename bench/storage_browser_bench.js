// Opening and saving a project of 50 forms of 40 controls in the designer
// (zolt and headless Chromium): open = from `zolt PROJECT.rwp` connecting to
// every form listed (timed from the page having loaded); save = from the Save command to its " Saved." message.
// Run after a build: node bench/storage_browser_bench.js
'use strict';
const { execFileSync } = require('node:child_process');
const path = require('node:path');
const { withPage, tempDir } = require('../tests/e2e/helpers/browser');
const { startZolt } = require('../tests/e2e/helpers/zolt');

const ROOT = path.join(__dirname, '..');

async function main() {
  const project = execFileSync(path.join(ROOT, 'out/build/bench/storage_bench'), ['--write', tempDir('zolt-bench-')])
    .toString().trim();
  const opens = [];
  const saves = [];
  for (let run = 0; run < 5; run++) {
    const zolt = await startZolt({ args: [project] });
    try {
      await withPage(async (page) => {
        await page.goto(zolt.url);
        const t0 = Date.now();
        await page.waitForFunction(() => document.querySelectorAll('#x_FormsList_x option').length === 50
          && !document.getElementById('frmLoading'), null, { timeout: 60000, polling: 10 });
        opens.push(Date.now() - t0);
        const t1 = Date.now();
        const done = page.evaluate(() => sendCommand('SaveExistingProjectFalse'));
        const box = page.locator('dialog[open]', { hasText: 'Saved.' });
        await box.waitFor({ timeout: 60000 });
        saves.push(Date.now() - t1);
        await box.getByRole('button', { name: 'OK' }).click();
        await done;
      });
    } finally {
      await zolt.stop();
    }
  }
  const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];
  console.log(`open in the designer: median ${median(opens)} ms (runs: ${opens.join(', ')})`);
  console.log(`save in the designer: median ${median(saves)} ms (runs: ${saves.join(', ')})`);
}

main().catch((e) => { console.error(e); process.exit(1); });

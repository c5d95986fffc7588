// Build of 50 forms of 40 controls in the designer, through the page bridge
// (node, run by hand: `node bench/build_browser_bench.js`). The forms are the
// designer's own control markup, every kind among them; the time runs from
// the page sending "BuildProject&1" to the "was built" box showing.
'use strict';
const path = require('node:path');
const { withPage, tempDir } = require('../tests/e2e/helpers/browser');
const { startZolt } = require('../tests/e2e/helpers/zolt');
const { openDesigner } = require('../tests/e2e/helpers/designer');
const { writeSampleProject, makeProjectForms } = require('../tests/e2e/helpers/sampleProject');

const FORMS = 50;
const CONTROLS = 40;

async function main() {
  const projectFile = writeSampleProject(tempDir('zolt-build-bench-'));
  const forms = makeProjectForms(FORMS, CONTROLS);
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await page.evaluate(({ forms, file }) => {
        let list = document.getElementById('x_FormsList_x');
        if (!list) {
          list = document.createElement('select');
          list.id = 'x_FormsList_x';
          document.body.appendChild(list);
        }
        list.length = 0;
        for (const [name, markup] of forms) {
          document.body.insertAdjacentHTML('beforeend', markup);
          list.add(new Option(name, name));
        }
        window.GProjectStartForm = 'Form1';
        return sendCommand('ZoltTestHook&project&' + file);
      }, { forms, file: projectFile });
      const times = [];
      for (let run = 0; run < 5; run++) {
        const ms = await page.evaluate(() => new Promise((resolve) => {
          const t0 = performance.now();
          const seen = new MutationObserver(() => {
            const box = Array.from(document.querySelectorAll('dialog[open]')).find((d) => /was built/.test(d.innerText));
            if (!box) return;
            seen.disconnect();
            const ms = performance.now() - t0;
            box.querySelector('button').click();
            resolve(ms);
          });
          seen.observe(document.body, { childList: true, subtree: true, attributes: true });
          sendCommand('BuildProject&1');
        }));
        times.push(ms);
        await page.waitForTimeout(200);
      }
      times.sort((a, b) => a - b);
      console.log(`build in the designer, ${FORMS} forms x ${CONTROLS} controls: median ${times[2].toFixed(0)} ms, ` +
        `best ${times[0].toFixed(0)} ms`);
    });
  } finally {
    await zolt.stop();
  }
}

main().catch((e) => { console.error(e); process.exit(1); });

'use strict';
// Ending the designer by leaving the page. (The close question: host_page.test.js.)
const test = require('node:test');
const assert = require('node:assert');
const { withPage } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner } = require('./helpers/designer');

const stillRunning = (zolt) => zolt.proc.exitCode === null && zolt.proc.signalCode === null;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

test('unsaved changes bring up the leave-page question; a reload keeps zolt; closing the window ends it', async () => {
  const zolt = await startZolt();
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await page.mouse.click(400, 400);  // the question needs a page the user has touched
      const asked = [];
      page.on('dialog', async (dialog) => { asked.push(dialog.type()); await dialog.dismiss(); });
      await page.evaluate(() => { window.bProjectInfoChanged = true; });
      await page.evaluate(() => { setTimeout(() => { location.href = 'about:blank'; }, 10); });
      await sleep(1000);
      assert.deepStrictEqual(asked, ['beforeunload']);

      // Nothing changed: the reload asks nothing, and zolt waits for the page.
      await page.evaluate(() => { window.bProjectInfoChanged = false; });
      await page.reload();
      await page.waitForFunction(() => document.title.startsWith('Velkora'));
      await sleep(3500);
      assert.deepStrictEqual(asked, ['beforeunload']);
      assert.ok(stillRunning(zolt), 'a reload keeps zolt running');
      await page.close();
      const ended = await Promise.race([zolt.exited, sleep(8000).then(() => null)]);
      assert.strictEqual(ended && ended.code, 0, 'zolt ends once no page comes back');
    });
  } finally {
    await zolt.stop();
  }
});

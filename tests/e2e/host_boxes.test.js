'use strict';
// Message boxes are modal without the browser's modal mode.
const test = require('node:test');
const assert = require('node:assert');
const { withPage, tempDir } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { startNewProject, openBox } = require('./helpers/designer');

test('a message box keeps presses and keys away from the page under it', async () => {
  const zolt = await startZolt({ cwd: tempDir() });
  try {
    await withPage(async (page) => {
      await startNewProject(page, zolt, 'Boxes');
      await page.evaluate(() => {
        window.reached = [];
        for (const type of ['mousedown', 'click', 'keydown']) {
          document.addEventListener(type, (e) => {
            if (!(e.target instanceof Element && e.target.closest('dialog'))) reached.push(type);
          }, true);
        }
      });
      const asked = page.evaluate(() => MsgBox('Go on?', vbYesNoCancel + vbQuestion));
      const box = await openBox(page);
      assert.strictEqual(await box.getAttribute('aria-modal'), 'true');
      const focused = () => page.evaluate(() => [!!document.activeElement.closest('dialog[open]'), document.activeElement.textContent]);
      assert.deepStrictEqual(await focused(), [true, 'Yes']);

      // A press on Form1's caption, or on the close control, reaches neither; the focus stays.
      const caption = await page.locator('#Form1').boundingBox();
      await page.mouse.click(caption.x + 20, caption.y + 8);
      await page.mouse.click(1270, 10);
      await page.keyboard.press('Delete');
      assert.deepStrictEqual(await focused(), [true, 'Yes']);

      // Tab and Shift+Tab go round the three buttons.
      const order = [];
      for (const key of ['Tab', 'Tab', 'Tab', 'Shift+Tab']) {
        await page.keyboard.press(key);
        order.push((await focused()).join(' '));
      }
      assert.deepStrictEqual(order, ['true No', 'true Cancel', 'true Yes', 'true Cancel']);
      await page.keyboard.press('Enter');
      assert.strictEqual(await asked, 2, 'Cancel');
      assert.deepStrictEqual(await page.evaluate(() => reached), []);
      assert.strictEqual(zolt.proc.exitCode, null, 'the close control was not pressed');
    });
  } finally {
    await zolt.stop();
  }
});

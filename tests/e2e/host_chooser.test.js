'use strict';
// The file chooser in its three modes.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, answer } = require('./helpers/designer');

function makeFolder() {
  const dir = tempDir('zolt-chooser-');
  fs.mkdirSync(path.join(dir, 'Sub'));
  const files = ['Shop.rwp', 'Old.RWP', 'Form1.rwf', 'notes.txt', 'Sub/Inner.rwp', 'Sub/Part.rwf'];
  for (const f of files) fs.writeFileSync(path.join(dir, f), 'x');
  return dir;
}

const options = (list) => list.locator('option').allInnerTexts();

// [opened by, caption, files listed, name box enabled, button, message for no name]
const MODES = [
  ['#NewProject', 'Velkora Create New Project', ['Old.RWP', 'Shop.rwp'], true, 'Save', 'You must enter a FileName for your New Project.'],
  ['#ExistingProject', 'Velkora Project Load', ['Old.RWP', 'Shop.rwp'], false, 'Load', 'You must select a Project File to load.'],
  ['LoadForm', 'Velkora Form Load', ['Form1.rwf'], false, 'Load', 'You must select a Form File to load.'],
];

test('each mode shows its caption, files, name box, button and empty-name message; a chosen file or typed name runs the task', async () => {
  const dir = makeFolder();
  const zolt = await startZolt({ cwd: dir });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      for (const [opener, caption, files, nameEnabled, label, empty] of MODES) {
        const done = opener.startsWith('#') ? page.click(opener).then(() => true) : page.evaluate((c) => sendCommand(c), opener);
        const chooser = page.locator('dialog#frmDialog[open]');
        await chooser.waitFor();
        assert.deepStrictEqual([await chooser.locator('.zolt-caption').innerText(), await options(page.locator('#File1')),
          await page.locator('#txtFileName').isEnabled(), await page.locator('#btnAll').innerText()], [caption, files, nameEnabled, label]);
        assert.deepStrictEqual([await page.locator('#Dir1').getAttribute('path'), await options(page.locator('#Dir1'))],
          [fs.realpathSync(dir), ['..', 'Sub']]);

        await page.locator('#btnAll').click();
        await page.locator('dialog[open]', { hasText: empty }).locator('.zolt-icon-information').waitFor();
        await answer(page, 'OK', empty);
        assert.ok(await chooser.isVisible(), 'the chooser stays open after the message');

        // The close box abandons the task; the command then ends.
        await chooser.locator('.zolt-closebox').click();
        assert.deepStrictEqual([await done, await page.locator('#frmDialog').count()], [true, 0]);
      }

      const done = page.evaluate(() => sendCommand('LoadForm'));
      await page.locator('dialog#frmDialog[open]').waitFor();
      await page.locator('#File1').selectOption('Form1.rwf');
      assert.strictEqual(await page.locator('#txtFileName').inputValue(), 'Form1.rwf');

      // A chosen file runs the task, which reports this one is no form file.
      await page.locator('#btnAll').click();
      await answer(page, 'OK', /Form: Form1\.rwf\s+Has corrupt or missing information\./);
      assert.deepStrictEqual([await done, await page.locator('#frmDialog').count()], [true, 0]);

      // A typed name runs the task, blanks inside it kept.
      const created = page.evaluate(() => sendCommand('NewProject'));
      await page.locator('dialog#frmDialog[open]').waitFor();
      await page.locator('#txtFileName').fill('My Shop');
      await page.keyboard.press('Enter');
      assert.deepStrictEqual([await created, await page.locator('dialog[open]').count(),
        fs.existsSync(path.join(dir, 'My Shop', 'My Shop.rwp'))], [true, 0, true]);
    });
  } finally {
    await zolt.stop();
  }
});

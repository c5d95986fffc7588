'use strict';
// The file chooser in its three modes.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, openBox } = require('./helpers/designer');

function makeFolder() {
  const dir = tempDir('zolt-chooser-');
  for (const f of ['Shop.rwp', 'Old.RWP', 'Form1.rwf', 'notes.txt']) fs.writeFileSync(path.join(dir, f), 'x');
  fs.mkdirSync(path.join(dir, 'Sub'));
  fs.writeFileSync(path.join(dir, 'Sub', 'Inner.rwp'), 'x');
  fs.writeFileSync(path.join(dir, 'Sub', 'Part.rwf'), 'x');
  return dir;
}

const options = (list) => list.locator('option').allInnerTexts();

const MODES = [
  { button: '#NewProject', caption: 'Velkora Create New Project', pattern: '*.rwp', files: ['Old.RWP', 'Shop.rwp'],
    nameEnabled: true, label: 'Save', empty: 'You must enter a FileName for your New Project.' },
  { button: '#ExistingProject', caption: 'Velkora Project Load', pattern: '*.rwp', files: ['Old.RWP', 'Shop.rwp'],
    nameEnabled: false, label: 'Load', empty: 'You must select a Project File to load.' },
  { command: 'LoadForm', caption: 'Velkora Form Load', pattern: '*.rwf', files: ['Form1.rwf'],
    nameEnabled: false, label: 'Load', empty: 'You must select a Form File to load.' },
];

test('each mode shows its caption, pattern, name box, button and empty-name message; a chosen file or typed name runs the task', async () => {
  const dir = makeFolder();
  const zolt = await startZolt({ cwd: dir });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      for (const mode of MODES) {
        const done = mode.button ? page.click(mode.button).then(() => true)
          : page.evaluate((c) => sendCommand(c), mode.command);
        const chooser = page.locator('dialog#frmDialog[open]');
        await chooser.waitFor();
        assert.strictEqual(await chooser.locator('.zolt-caption').innerText(), mode.caption);
        assert.strictEqual(await page.locator('#File1').getAttribute('pattern'), mode.pattern);
        assert.strictEqual(await page.locator('#Dir1').getAttribute('path'), fs.realpathSync(dir));
        assert.deepStrictEqual(await options(page.locator('#File1')), mode.files);
        assert.deepStrictEqual(await options(page.locator('#Dir1')), ['..', 'Sub']);
        assert.strictEqual(await page.locator('#txtFileName').isEnabled(), mode.nameEnabled);
        assert.strictEqual(await page.locator('#btnAll').innerText(), mode.label);

        await page.locator('#btnAll').click();
        const box = await openBox(page);
        assert.strictEqual(await box.locator('.zolt-msgbox-text').innerText(), mode.empty);
        assert.strictEqual(await box.locator('.zolt-icon-information').count(), 1);
        await box.getByRole('button', { name: 'OK' }).click();
        assert.ok(await chooser.isVisible(), 'the chooser stays open after the message');

        // The close box abandons the task; the command then ends.
        await chooser.locator('.zolt-closebox').click();
        assert.strictEqual(await done, true);
        assert.strictEqual(await page.locator('#frmDialog').count(), 0);
      }

      const done = page.evaluate(() => sendCommand('LoadForm'));
      await page.locator('dialog#frmDialog[open]').waitFor();
      await page.locator('#File1').selectOption('Form1.rwf');
      assert.strictEqual(await page.locator('#txtFileName').inputValue(), 'Form1.rwf');

      // A chosen file runs the task, which reports this one is no form file.
      await page.locator('#btnAll').click();
      const report = page.locator('dialog[open]', { hasText: 'Has corrupt or missing information.' });
      await report.waitFor();
      assert.match(await report.innerText(), /Form: Form1\.rwf\s+Has corrupt or missing information\./);
      await report.getByRole('button', { name: 'OK' }).click();
      assert.strictEqual(await done, true);
      assert.strictEqual(await page.locator('#frmDialog').count(), 0);

      // A typed name runs the task, blanks inside it kept.
      const created = page.evaluate(() => sendCommand('NewProject'));
      await page.locator('dialog#frmDialog[open]').waitFor();
      await page.locator('#txtFileName').fill('My Shop');
      await page.keyboard.press('Enter');
      assert.strictEqual(await created, true);
      assert.strictEqual(await page.locator('dialog[open]').count(), 0);
      assert.ok(fs.existsSync(path.join(dir, 'My Shop', 'My Shop.rwp')));
    });
  } finally {
    await zolt.stop();
  }
});

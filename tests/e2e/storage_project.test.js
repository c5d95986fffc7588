'use strict';
// Projects on disk as a new user meets them in the browser: create a
// project, draw on it, save, quit, start again with the project, find it as
// it was; rename and delete it; the unsaved-changes question.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, answer, menuItem, createProject } = require('./helpers/designer');

const bytes = (f) => fs.readFileSync(f).toString('latin1');

test('a project made in the browser is saved and comes back as it was', async () => {
  const dir = tempDir('zolt-project-');
  const folder = path.join(dir, 'Shop');
  let zolt = await startZolt({ cwd: dir });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await createProject(page, 'Shop');
      assert.strictEqual((await page.locator('#ProjectName').innerText()).trim(), '--Shop.rwp');
      assert.ok(fs.existsSync(path.join(folder, 'Form1.rwf')));

      // A label on Form1, a second form from the Form menu, hidden again.
      await page.locator('#Form1 #TForm').click();
      await page.locator('#x_T1_x').click();
      await page.locator('#Form1 #lbl1').waitFor();
      await menuItem(page, 'x_W1_x', 'FormMenu', 'New');
      await page.locator('#Form2').waitFor();
      await page.evaluate(() => {
        document.getElementById('Form1').setAttribute('Caption', 'Café € «x»');
        document.body.setAttribute('F_Total', 'Function Total(a)\n\tTotal = a * 2\nEnd Function');
        GProjectStartForm = 'Form1';
      });
      await page.locator('#Form2 #CloseFormX').click();

      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Save');
      await answer(page, 'OK', 'Shop.rwp Saved.');
    });
    const saved = ['Shop.rwp', 'Form1.rwf', 'Form2.rwf'].map((f) => bytes(path.join(folder, f)));
    assert.match(saved[0], /#Form1\/True#\r\n#Form2\/False#\r\n/);
    assert.match(saved[0], /!ProjectStartForm=Form1!/);
    assert.match(saved[0], /\xa7f_total=Function Total\(a\)\r\n\tTotal = a \* 2\r\nEnd Function\xa7/i);
    assert.ok(saved[1].includes('caption="Caf\xe9 \x80 \xabx\xbb"'), 'captions keep their characters');
    await zolt.stop();

    // Quit and start again with the project.
    zolt = await startZolt({ cwd: dir, args: [path.join(folder, 'Shop.rwp')] });
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      // The project is open once both forms are listed and Loading is gone.
      await page.waitForFunction(() => document.querySelectorAll('#x_FormsList_x option').length === 2
        && !document.getElementById('frmLoading') && document.getElementById('ProjectName').innerText.includes('Shop.rwp'));
      await page.locator('#Form1 #lbl1').waitFor();
      assert.strictEqual(await page.locator('#StartScreen').count(), 0);
      assert.strictEqual(await page.locator('#Form2').isVisible(), false);
      assert.strictEqual(await page.locator('#Form1').getAttribute('caption'), 'Café € «x»');
      assert.deepStrictEqual(await page.locator('#x_FormsList_x option').allInnerTexts(), ['Form1', 'Form2']);
      assert.strictEqual(await page.evaluate(() => document.body.getAttribute('f_total')),
        'Function Total(a)\r\n\tTotal = a * 2\r\nEnd Function');
      assert.strictEqual(await page.evaluate(() => GProjectStartForm), 'Form1');
      await page.screenshot({ path: screenshotPath('storage_reopened') });

      // Saved again, the project file is as the first session wrote it.
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Save');
      await answer(page, 'OK', 'Shop.rwp Saved.');
      assert.strictEqual(bytes(path.join(folder, 'Shop.rwp')), saved[0]);
    });
  } finally {
    await zolt.stop();
  }
});

test('the unsaved-changes question; the project renamed from its name link and deleted from the Project menu', async () => {
  const dir = tempDir('zolt-rename-');
  const zolt = await startZolt({ cwd: dir });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await createProject(page, 'First');
      await page.evaluate(() => { bProjectInfoChanged = true; });
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'New');
      await page.locator('dialog#frmDialog[open]').waitFor();
      await page.locator('#txtFileName').fill('Shop');
      await page.locator('#btnAll').click();
      await answer(page, 'No', 'Information has changed since your last save.\r\n\r\nDo you want to Save the changes?');
      await page.locator('#Form1').waitFor();
      // Opening another project asks too.
      await page.evaluate(() => { bProjectInfoChanged = true; });
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Load');
      await page.locator('dialog#frmDialog[open]').waitFor();
      await page.locator('#Dir1 option', { hasText: /^First$/ }).dblclick();
      await page.locator('#File1 option', { hasText: 'First.rwp' }).waitFor();
      await page.locator('#File1').selectOption('First.rwp');
      await page.locator('#btnAll').click();
      const box = page.locator('dialog[open]', { hasText: 'Information has changed since your last save.' });
      await box.waitFor();
      await box.getByRole('button', { name: 'No', exact: true }).click();
      await page.waitForFunction(() => document.getElementById('ProjectName').innerText.includes('First.rwp')
        && document.querySelectorAll('#x_FormsList_x option').length === 1 && !document.getElementById('frmLoading'));
      assert.deepStrictEqual(await page.locator('#x_FormsList_x option').allInnerTexts(), ['Form1']);

      await page.locator('#ProjectName a').click();
      await page.locator('#NewProjectName').fill('Store');
      await page.locator('#ChangeProjectName button', { hasText: 'Save' }).click();
      await page.locator('#ChangeProjectName').waitFor({ state: 'detached' });
      assert.strictEqual((await page.locator('#ProjectName').innerText()).trim(), '--Store.rwp');
      assert.ok(fs.existsSync(path.join(dir, 'Store', 'Store.rwp')));
      assert.ok(!fs.existsSync(path.join(dir, 'First')));

      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Delete');
      await answer(page, 'Yes', 'Delete Project: Store.rwp .');
      await page.locator('#StartScreen').waitFor();
      assert.ok(!fs.existsSync(path.join(dir, 'Store')));
    });
  } finally {
    await zolt.stop();
  }
});

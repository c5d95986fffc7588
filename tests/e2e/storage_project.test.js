'use strict';
// Projects on disk as a new user meets them in the browser: create a
// project, draw on it, save, quit, start again with the project, find it as
// it was; delete a form; rename and delete the project. (The unsaved-changes
// question: storage_safety.test.js and code_window.test.js.)
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, answer, waitForProject, menuItem, createProject } = require('./helpers/designer');

const bytes = (f) => fs.readFileSync(f).toString('latin1');

test('a project made in the browser is saved and comes back as it was; a form deleted; renamed and deleted', async () => {
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
      await waitForProject(page, 'Shop.rwp', 2);
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

      // A form deleted through the Form menu: Cancel keeps it; OK removes its
      // file and its line, and frees its number for the next new form.
      await menuItem(page, 'x_W1_x', 'FormMenu', 'New');
      await page.locator('#Form3').waitFor();
      await menuItem(page, 'x_W1_x', 'FormMenu', 'Delete');
      await answer(page, 'Cancel', 'Delete selected Form: Form3?');
      assert.strictEqual(await page.locator('#Form3').count(), 1);
      await menuItem(page, 'x_W1_x', 'FormMenu', 'Delete');
      await answer(page, 'OK', 'Delete selected Form: Form3?');
      await answer(page, 'OK', 'Shop.rwp Saved.');
      assert.ok(!fs.existsSync(path.join(folder, 'Form3.rwf')));
      assert.doesNotMatch(bytes(path.join(folder, 'Shop.rwp')), /Form3/);
      await menuItem(page, 'x_W1_x', 'FormMenu', 'New');
      await page.locator('#Form3').waitFor();

      // Renamed from its name link, then deleted from the Project menu.
      await page.locator('#ProjectName a').click();
      await page.locator('#NewProjectName').fill('Store');
      await page.locator('#ChangeProjectName button', { hasText: 'Save' }).click();
      await page.locator('#ChangeProjectName').waitFor({ state: 'detached' });
      assert.strictEqual((await page.locator('#ProjectName').innerText()).trim(), '--Store.rwp');
      assert.ok(fs.existsSync(path.join(dir, 'Store', 'Store.rwp')));
      assert.ok(!fs.existsSync(folder));
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Delete');
      await answer(page, 'Yes', 'Delete Project: Store.rwp .');
      await page.locator('#StartScreen').waitFor();
      assert.ok(!fs.existsSync(path.join(dir, 'Store')));
    });
  } finally {
    await zolt.stop();
  }
});

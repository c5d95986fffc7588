'use strict';
// Projects on disk: saved, reopened as they were, a form deleted, renamed and deleted.
// (Unsaved changes: storage_safety.test.js.)
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { screenshotPath } = require('./helpers/browser');
const { answer, projectMenu, formMenu, saveProject, newForm, drawControl, withNewProject, withProject, readText } = require('./helpers/designer');

test('a project made in the browser is saved and comes back as it was; a form deleted; renamed and deleted', async (t) => {
  const folder = await withNewProject(t, 'zolt-project-', async (page) => {
    assert.strictEqual((await page.locator('#ProjectName').innerText()).trim(), '--Shop.rwp');

    // A label on Form1, a second form from the Form menu, hidden again.
    await page.locator('#Form1 #TForm').click();
    await drawControl(page, 'x_T1_x', '#Form1 #lbl1');
    await newForm(page, 'Form2');
    await page.evaluate(() => {
      document.getElementById('Form1').setAttribute('Caption', 'Café € «x»');
      document.body.setAttribute('F_Total', 'Function Total(a)\n\tTotal = a * 2\nEnd Function');
      GProjectStartForm = 'Form1';
    });
    await page.locator('#Form2 #CloseFormX').click();
    await saveProject(page);
  });
  const saved = ['Shop.rwp', 'Form1.rwf', 'Form2.rwf'].map((f) => readText(folder, f));
  assert.match(saved[0], /#Form1\/True#\r\n#Form2\/False#\r\n/);
  assert.match(saved[0], /!ProjectStartForm=Form1!/);
  assert.match(saved[0], /\xa7f_total=Function Total\(a\)\r\n\tTotal = a \* 2\r\nEnd Function\xa7/i);
  assert.ok(saved[1].includes('caption="Caf\xe9 \x80 \xabx\xbb"'), 'captions keep their characters');

  // Quit and start again with the project.
  await withProject(path.join(folder, 'Shop.rwp'), 2, async (page) => {
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
    await saveProject(page);
    assert.strictEqual(readText(folder, 'Shop.rwp'), saved[0]);

    // A deleted form loses its file and its line, and frees its number.
    await newForm(page, 'Form3');
    await formMenu(page, 'Delete');
    await answer(page, 'Cancel', 'Delete selected Form: Form3?');
    assert.strictEqual(await page.locator('#Form3').count(), 1);
    await formMenu(page, 'Delete');
    await answer(page, 'OK', 'Delete selected Form: Form3?');
    await answer(page, 'OK', 'Shop.rwp Saved.');
    assert.ok(!fs.existsSync(path.join(folder, 'Form3.rwf')));
    assert.doesNotMatch(readText(folder, 'Shop.rwp'), /Form3/);
    await newForm(page, 'Form3');

    // Renamed from its name link, then deleted from the Project menu.
    await page.locator('#ProjectName a').click();
    await page.locator('#NewProjectName').fill('Store');
    await page.locator('#ChangeProjectName button', { hasText: 'Save' }).click();
    await page.locator('#ChangeProjectName').waitFor({ state: 'detached' });
    assert.strictEqual((await page.locator('#ProjectName').innerText()).trim(), '--Store.rwp');
    assert.ok(fs.existsSync(path.join(folder, '..', 'Store', 'Store.rwp')));
    assert.ok(!fs.existsSync(folder));
    await projectMenu(page, 'Delete');
    await answer(page, 'Yes', 'Delete Project: Store.rwp .');
    await page.locator('#StartScreen').waitFor();
    assert.ok(!fs.existsSync(path.join(folder, '..', 'Store')));
  });
});

'use strict';
// A form the page refuses while a project opens: the rest opens, a save and a build keep it.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, answer, projectMenu, saveProject } = require('./helpers/designer');
const { writeLargeProject } = require('./helpers/sampleProject');

test('a refused form leaves the rest of the project open and stays in it after a save', async () => {
  const dir = tempDir('zolt-refused-');
  const folder = path.dirname(writeLargeProject(dir, 3, 2));
  const refusedFile = fs.readFileSync(path.join(folder, 'Form2.rwf'));
  const zolt = await startZolt({ cwd: dir });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await page.evaluate(() => {
        const insert = window.InsertStoredForm;
        window.InsertStoredForm = (markup) => {
          if (/id="?Form2"?[\s>]/i.test(markup)) throw new Error('no room for Form2');
          return insert(markup);
        };
      });
      await page.locator('#ExistingProject').click();
      await page.locator('#Dir1 option', { hasText: /^Big$/ }).dblclick();
      await page.locator('#File1 option', { hasText: 'Big.rwp' }).dblclick();

      await answer(page, 'OK', /^Project: Big\.rwp was opened, but some of it could not be applied:[^]*Form: Form2 could not be put on the design surface \(no room for Form2\)\. Its file is left as it is and the project keeps it\.$/);
      assert.deepStrictEqual([await page.locator('#x_FormsList_x option').allInnerTexts(), await page.locator('body > #Form3').count(),
        await page.locator('#Form2').count()], [['Form1', 'Form3'], 1, 0]);

      await saveProject(page, 'Big');
      // A build names the refused form without the advice for a broken file.
      await projectMenu(page, 'Build Project');
      await answer(page, 'OK', /^The project was not built\.\r?\nThe form Form2 cannot be built: it could not be put on the design surface when the project was opened\. Its file .*Form2\.rwf is kept as it was: mend it and open the project again\.$/);
    });
    const project = fs.readFileSync(path.join(folder, 'Big.rwp'), 'latin1');
    assert.match(project, /«Forms»\r\n#Form1\/True#\r\n#Form3\/True#\r\n#Form2\/True#\r\n«Positions»/);
    assert.deepStrictEqual(fs.readFileSync(path.join(folder, 'Form2.rwf')), refusedFile);
  } finally {
    await zolt.stop();
  }
});

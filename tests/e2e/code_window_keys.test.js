'use strict';
// The code window with the keys and the mouse a developer uses beyond its
// buttons: Ctrl+S inside the editor, an F2 entry pasted at the caret,
// the window dragged by its caption, every syntax error of the project
// listed in one message before a build, and code typed just before a new
// project is made kept when the developer saves.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openBox, menuItem, startNewProject } = require('./helpers/designer');

const editorText = (page) => page.evaluate(() => document.getElementById('x_Code_x').value);
const attr = (page, selector, name) => page.$eval(selector, (e, n) => e.getAttribute(n), name);
const caretInEditor = (page) => page.evaluate(() => document.getElementById('x_Code_x').contains(document.activeElement));

async function openCode(page, selector) {
  await page.locator(selector).dblclick();
  await page.locator('#xC_xodeWindox_xw .cm-content').waitFor();
}

async function reply(page, button, text) {
  const box = page.locator('dialog.zolt-msgbox[open]');
  if (text !== undefined) assert.strictEqual(await box.locator('.zolt-msgbox-text').innerText(), text);
  const shown = await box.elementHandle();
  await box.getByRole('button', { name: button, exact: true }).click();
  await page.waitForFunction((b) => !b.isConnected, shown);
}

async function newFunction(page, name) {
  await page.locator('#CodeNew').click();
  const box = page.locator('dialog.zolt-inputbox[open]');
  await box.locator('input').fill(name);
  const shown = await box.elementHandle();
  await page.keyboard.press('Enter');
  await page.waitForFunction((b) => !b.isConnected, shown);
}

test('Ctrl+S, F2 at the caret, the caption drag, every syntax error before a build, code kept through New', async (t) => {
  const dir = tempDir('zolt-code-keys-');
  const zolt = await startZolt({ cwd: dir });
  t.after(() => zolt.stop());
  await withPage(async (page) => {
    const errors = await startNewProject(page, zolt, 'Shop');
    await page.locator('#x_T1_x').click();
    await page.locator('#Form1 #lbl1').waitFor();
    await page.locator('#x_T2_x').click();
    await page.locator('#Form1 #btn1').waitFor();
    await openCode(page, '#Form1 #btn1');
    await newFunction(page, 'Total');

    await t.test('Ctrl+S in the editor stores the code and leaves the caret where it was', async () => {
      await page.keyboard.type('var a = 1;');
      const skeleton = 'function Total() {\r\n\r\n}';
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'F_Total'), skeleton, 'typing alone stores nothing yet');
      await page.keyboard.press('Control+s');
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'F_Total'), 'function Total() {\r\nvar a = 1;\r\n}');
      assert.ok(await caretInEditor(page));
      await page.keyboard.type(' a++;');
      assert.strictEqual(await editorText(page), 'function Total() {\r\nvar a = 1; a++;\r\n}');
    });

    await t.test('a double click in the function list pastes the entry at the caret, inside the line', async () => {
      await page.keyboard.press('Home');
      for (let k = 0; k < 'var a = '.length; k++) await page.keyboard.press('ArrowRight');
      await page.keyboard.press('F2');
      await page.locator('#x_FuncList_x option', { hasText: /^Total\(\)$/ }).dblclick();
      assert.ok(await caretInEditor(page));
      await page.keyboard.type('+');
      assert.strictEqual(await editorText(page), 'function Total() {\r\nvar a = Total()\r\n+1; a++;\r\n}');
      await page.keyboard.press('F2');
      assert.ok(!(await page.locator('#x_FuncListWin_x').isVisible()));
    });

    await t.test('the window follows its caption when dragged', async () => {
      const before = await page.locator('#xC_xodeWindox_xw').boundingBox();
      const caption = await page.locator('#Code_x_CaptionBar').boundingBox();
      await page.mouse.move(caption.x + 40, caption.y + caption.height / 2);
      await page.mouse.down();
      await page.mouse.move(caption.x + 80, caption.y + caption.height / 2 + 30, { steps: 5 });
      await page.mouse.up();
      const after = await page.locator('#xC_xodeWindox_xw').boundingBox();
      assert.deepStrictEqual([after.x - before.x, after.y - before.y], [40, 30]);
    });

    await t.test('a build lists every function and event with a syntax error, and builds on OK', async () => {
      // Total is broken on its third line; btn1's click and lbl1's
      // declarations too; btn1's mouse-over is sound.
      await page.keyboard.press('Control+End');
      await page.keyboard.press('ArrowUp');
      await page.keyboard.press('End');
      await page.keyboard.type(' if (a {');
      await page.locator('#x_Code_x .cm-lintRange-error').waitFor();
      await page.screenshot({ path: screenshotPath('code_window_errors') });
      await page.locator('#x_Events_x').click();
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.type('Total(;');
      await page.locator('#ControlObjects').selectOption('onmouseover');
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.type('Total();');
      await openCode(page, '#Form1 #lbl1');
      await page.keyboard.type('var = 2;');
      await page.locator('#CloseCodeX').click();

      await page.locator('#x_FormsList_x option', { hasText: 'Form1' }).click({ button: 'right' });
      await reply(page, 'Yes', 'Mark Form: Form1 as the start form?');
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Build Project');
      const text = await (await openBox(page)).locator('.zolt-msgbox-text').innerText();
      const listed = text.split('\n').filter((l) => l.startsWith('Form1')).map((l) => l.replace(/: [^:]*$/, ''));
      assert.deepStrictEqual(listed.sort(), [
        'Form1, btn1: event onclick, line 1',
        'Form1, btn1: function Total, line 3',
        'Form1, lbl1: Declarations, line 1',
      ]);
      assert.match(text, /Build anyway\?$/);
      await reply(page, 'Cancel');
      assert.ok(!fs.existsSync(path.join(dir, 'Shop', 'Build', 'default.htm')), 'Cancel builds nothing');
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Build Project');
      await reply(page, 'OK');
      await reply(page, 'OK', 'Project: Shop.rwp was built.');
      assert.ok(fs.existsSync(path.join(dir, 'Shop', 'Build', 'default.htm')));
    });

    await t.test('code typed just before Project > New is kept by the save the question offers', async () => {
      await openCode(page, '#Form1 #lbl1');
      await page.keyboard.press('Control+a');
      await page.keyboard.type('var b = 2;');
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'New');
      await page.locator('dialog#frmDialog[open]').waitFor();
      await page.locator('#txtFileName').fill('Two');
      await page.locator('#btnAll').click();
      await reply(page, 'Yes');
      await reply(page, 'OK', 'Shop.rwp Saved.');
      await page.waitForFunction(() => document.getElementById('ProjectName').innerText.includes('Two.rwp'));
      assert.strictEqual(await page.locator('#xC_xodeWindox_xw').count(), 0, 'the code window closed with Shop');
      assert.strictEqual(await page.locator('#lbl1').count(), 0);
      assert.match(fs.readFileSync(path.join(dir, 'Shop', 'Form1.rwf'), 'latin1'), /f_declarations="var b = 2;"/);
    });
    assert.deepStrictEqual(errors, []);
  });
});

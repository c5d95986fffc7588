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
const { openDesigner, openBox, menuItem, startNewProject } = require('./helpers/designer');
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
  const box = page.locator('dialog.zolt-inputbox[open]');
  assert.strictEqual(await box.locator('.zolt-msgbox-text').innerText(), 'Enter New Function Name.\n\nExample: ValidateControls');
  const shown = await box.elementHandle();
  await box.locator('input').fill(name);
  await page.keyboard.press('Enter');
  await page.waitForFunction((b) => !b.isConnected, shown);
}

// Answers the message box showing, after checking its text; another box
// may open at once (the name box asks again).
async function reply(page, button, text) {
  const box = page.locator('dialog.zolt-msgbox[open]');
  if (text !== undefined) assert.strictEqual(await box.locator('.zolt-msgbox-text').innerText(), text);
  const shown = await box.elementHandle();
  await box.getByRole('button', { name: button, exact: true }).click();
  await page.waitForFunction((b) => !b.isConnected, shown);
}

test('a button\'s function and click event, saved, reopened, built and run', async (t) => {
  const dir = tempDir('zolt-code-');
  const folder = path.join(dir, 'Shop');
  let zolt = await startZolt({ cwd: dir });
  t.after(() => zolt.stop());
  let stored;
  await withPage(async (page) => {
    const errors = await startNewProject(page, zolt, 'Shop');
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
      await page.keyboard.type("document.title = greeting + ' ' + n;");
      await page.keyboard.press('ArrowUp');
      await page.keyboard.press('End');
      for (let k = 0; k < 3; k++) await page.keyboard.press('ArrowLeft');
      await page.keyboard.type('n');
      assert.strictEqual(await editorText(page), "function MyFunc(n) {\r\ndocument.title = greeting + ' ' + n;\r\n}");
      assert.deepStrictEqual(await funcList(page), ['MyFunc(n)']);
    });

    await t.test('the click event, written in Events mode, turns gold', async () => {
      await page.locator('#x_Events_x').click();
      assert.ok(await page.locator('#ControlObjects').isVisible());
      assert.strictEqual(await page.locator('#ControlObjects').inputValue(), 'onclick');
      // The function was saved on the way.
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'F_MyFunc'), "function MyFunc(n) {\r\ndocument.title = greeting + ' ' + n;\r\n}");
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.type("MyFunc('there');");
      await page.locator('#ControlObjects').selectOption('onmouseover');
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'C_onclick'), "=MyFunc('there');");
      assert.strictEqual(await page.$eval('#ControlObjects option[value="onclick"]', (o) => o.style.backgroundColor), 'gold');
      assert.strictEqual(await editorText(page), '');
    });

    await t.test('the page\'s own code: Body, its declarations, its events; back to the button in events', async () => {
      // The project properties' "Enter Code..." opens the page body's code so.
      await page.evaluate(() => { SelectedObj = document.body; ShowCodeWindow(); });
      assert.strictEqual(await page.textContent('#Code_x_CaptionBar'), 'Body (code)');
      assert.strictEqual(await page.textContent('#Cap_x_tion1'), 'Body');
      assert.ok(!(await page.locator('#x_Events_x').isChecked()), 'functions again');
      assert.deepStrictEqual(await options(page, 'EventObjects'), ['Declarations']);
      assert.ok((await options(page, 'ControlObjects')).includes('onload'));
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.type("var greeting = 'Hello';");
      await openCode(page, '#Form1 #btn1');
      assert.strictEqual(await page.evaluate(() => document.body.getAttribute('F_Declarations')), "var greeting = 'Hello';");
      assert.strictEqual(await page.textContent('#Cap_x_tion1'), 'btn1');
      await page.locator('#x_Events_x').click();
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
      await reply(page, 'Yes', 'Mark Form: Form1 as the start form?');
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Save');
      await reply(page, 'OK', 'Shop.rwp Saved.');
      stored = fs.readFileSync(path.join(folder, 'Form1.rwf'), 'latin1');
      assert.ok(stored.includes('f_myfunc="function MyFunc(n) {\r\ndocument.title = greeting + \' \' + n;\r\n}"'), stored);
      const projectFile = fs.readFileSync(path.join(folder, 'Shop.rwp'), 'latin1');
      assert.match(projectFile, /\+MyFunc\(n\)\+/);
      assert.match(projectFile, /\xa7f_declarations=var greeting = 'Hello';\xa7/i);
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
      assert.strictEqual(await attr(page, '#Form1 #btn1', 'F_MyFunc'), "function MyFunc(n) {\r\ndocument.title = greeting + ' ' + n;\r\n}");
      assert.deepStrictEqual(await funcList(page), ['MyFunc(n)']);
      await openCode(page, '#Form1 #btn1');
      await page.locator('#EventObjects').selectOption('MyFunc');
      assert.strictEqual(await editorText(page), "function MyFunc(n) {\r\ndocument.title = greeting + ' ' + n;\r\n}");
      await page.locator('#CloseCodeX').click();
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Save');
      await reply(page, 'OK', 'Shop.rwp Saved.');
      // Only the form's stacking order moved (it was brought to the front).
      const stacking = (text) => text.replace(/z-index: \d+;/, 'z-index: ?;');
      assert.strictEqual(stacking(fs.readFileSync(path.join(folder, 'Form1.rwf'), 'latin1')), stacking(stored));
    });

    await t.test('built, its button runs the handler, which calls the function', async () => {
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Build Project');
      await reply(page, 'OK', 'Project: Shop.rwp was built.');
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

test('names, the first line, events, renames, old line breaks, find and replace, the check before a build', async (t) => {
  const dir = tempDir('zolt-code-rules-');
  const zolt = await startZolt({ cwd: dir });
  t.after(() => zolt.stop());
  await withPage(async (page) => {
    const errors = await startNewProject(page, zolt, 'Shop');
    await page.locator('#x_T1_x').click();
    await page.locator('#Form1 #lbl1').waitFor();
    await page.locator('#x_T2_x').click();
    await page.locator('#Form1 #btn1').waitFor();
    await openCode(page, '#Form1 #lbl1');

    await t.test('a refused name is explained and asked for again; spaces become underscores', async () => {
      await page.locator('#CodeNew').click();
      const refused = [
        ['Declarations', "(Declarations) is a reserved word in 'Velkora'.\nYou must enter a different function name."],
        ['FUNCTION', "(Function) is a reserved word in 'Velkora'.\nYou must enter a different function name."],
        ['5Searches', 'Function names cannot begin with numeric characters.\nExample: 5Searches, is a bad name.'],
        ['a-b', 'The following Characters cannot be used in a Function name:\n' +
          '!,@,#,$,%,^,&,*,(,),-,+,=,~,`,\',",;,:,<,>,?,/,[,],{,},|,\\'],
        ['document', "(document) is a reserved word in 'Velkora'.\nYou must enter a different function name."],
      ];
      for (const [name, message] of refused) {
        await nameBox(page, name);
        await reply(page, 'OK', message);
      }
      await nameBox(page, 'my func');
      assert.deepStrictEqual(await options(page, 'EventObjects'), ['Declarations', 'my_func']);
      assert.strictEqual(await editorText(page), 'function my_func() {\r\n\r\n}');
      // Cancelled, nothing is added.
      await page.locator('#CodeNew').click();
      await page.keyboard.press('Escape');
      assert.deepStrictEqual(await options(page, 'EventObjects'), ['Declarations', 'my_func']);
    });

    await t.test('the name in the first line stays: a change of it is undone with a message', async () => {
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.press('Control+Home');
      for (let k = 0; k < 'function my_func'.length; k++) await page.keyboard.press('ArrowRight');
      await page.keyboard.type('2');
      await reply(page, 'OK', "To change the function name please use the 'CHANGE' button above.");
      assert.strictEqual(await editorText(page), 'function my_func() {\r\n\r\n}');
      await page.keyboard.press('ArrowDown');
      await page.keyboard.type('var my_funcs = my_func;');
    });

    await t.test('Change renames the function in its attribute, its text and the function list', async () => {
      await page.locator('#CodeChange').click();
      assert.strictEqual(await page.locator('dialog.zolt-inputbox input').inputValue(), 'Old Func Name: my_func');
      await nameBox(page, 'greet');
      assert.deepStrictEqual(await options(page, 'EventObjects'), ['Declarations', 'greet']);
      assert.strictEqual(await editorText(page), 'function greet() {\r\nvar my_funcs = greet;\r\n}');
      assert.strictEqual(await attr(page, '#Form1 #lbl1', 'F_greet'), 'function greet() {\r\nvar my_funcs = greet;\r\n}');
      assert.strictEqual(await attr(page, '#Form1 #lbl1', 'F_my_func'), null);
      assert.deepStrictEqual(await funcList(page), ['greet()']);
    });

    await t.test('Delete asks, then removes the function and its entry; Declarations stays', async () => {
      await page.locator('#CodeDelete').click();
      await reply(page, 'Yes', 'Delete Function: greet');
      assert.deepStrictEqual(await options(page, 'EventObjects'), ['Declarations']);
      assert.strictEqual(await attr(page, '#Form1 #lbl1', 'F_greet'), null);
      assert.deepStrictEqual(await funcList(page), []);
      await page.locator('#CodeDelete').click();
      await reply(page, 'OK', 'You cannot Delete (Declarations) entry.');
    });

    await t.test('an emptied event loses its code and its gold', async () => {
      await page.locator('#x_Events_x').click();
      await page.locator('#CodeNew').click();
      await reply(page, 'OK', 'You must un-select the Events checkbox, in order to add a new function.');
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.type('lbl1.title = 1;');
      await page.locator('#ControlObjects').selectOption('ondblclick');
      const gold = () => page.$eval('#ControlObjects option[value="onclick"]', (o) => o.style.backgroundColor);
      assert.strictEqual(await gold(), 'gold');
      await page.locator('#ControlObjects').selectOption('onclick');
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.press('Control+a');
      await page.keyboard.press('Delete');
      await page.locator('#ControlObjects').selectOption('ondblclick');
      assert.strictEqual(await gold(), 'white');
      assert.strictEqual(await attr(page, '#Form1 #lbl1', 'C_onclick'), null);
      await page.locator('#x_Events_x').click();
    });

    await t.test('renaming the label rewrites its own code, in the open window too', async () => {
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.type('lbl1.innerHTML = lbl10;');
      await page.locator('#Form1 #lbl1').click();
      await openPropertyWindow(page);
      await typeInto(page, 'PropertyName', 'lblName');
      assert.strictEqual(await attr(page, '#Form1 #lblName', 'F_Declarations'), 'lblName.innerHTML = lbl10;');
      assert.strictEqual(await editorText(page), 'lblName.innerHTML = lbl10;');
      assert.strictEqual(await page.textContent('#Cap_x_tion1'), 'lblName');
      await page.locator('#x_MainProp_x #x_PropClose_x').click();
    });

    await t.test('closing without typing stores nothing; old line breaks show as lines', async () => {
      const before = await page.$eval('#Form1 #btn1', (b) => b.outerHTML);
      await openCode(page, '#Form1 #btn1');
      assert.strictEqual(await page.textContent('#Cap_x_tion1'), 'btn1');
      await page.locator('#CloseCodeX').click();
      assert.strictEqual(await page.$eval('#Form1 #btn1', (b) => b.outerHTML), before);
      await page.$eval('#Form1 #btn1', (b) => b.setAttribute('F_Declarations', 'a&13;b&9;c'));
      await openCode(page, '#Form1 #btn1');
      assert.strictEqual(await editorText(page), 'a\r\nb\tc');
      // A double click in the function list pastes its entry and a line break.
      await page.keyboard.press('Control+End');
      await page.keyboard.press('F2');
      await page.locator('#x_FuncList_x option', { hasText: 'CenterForm(' }).dblclick();
      await page.keyboard.type('x');
      assert.strictEqual(await editorText(page), 'a\r\nb\tcCenterForm(pFormName)\r\nx');
      await page.keyboard.press('F2');
    });

    await t.test('find, find next, whole words, replace and replace all', async () => {
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.press('Control+a');
      await page.keyboard.type('cat(dog, Cat);');
      await page.keyboard.press('Enter');
      await page.keyboard.type('catalog = cat;');
      await page.keyboard.press('Control+Home');
      await page.locator('#CodeFind').click();
      await page.locator('#FindTextWindow #Find').fill('cat');
      const selected = () => page.evaluate(() => CodeEditor.selection().text + '@' + CodeEditor.selection().from);
      const found = [];
      for (let k = 0; k < 4; k++) {
        await page.locator('#FindButton').click();
        found.push(await selected());
      }
      assert.deepStrictEqual(found, ['cat@0', 'Cat@9', 'cat@15', 'cat@25']);
      await page.locator('#FindButton').click();
      await reply(page, 'OK', 'No more matches found.');
      await page.locator('#MatchWholeWord').click();
      await page.locator('#FindButton').click();
      await page.locator('#FindButton').click();
      await page.locator('#FindButton').click();
      assert.strictEqual(await selected(), 'cat@25', 'catalog is passed over');
      await page.locator('#Replace').fill('cow');
      await page.locator('#ReplaceButton').click();
      await reply(page, 'OK', 'Replace ( cat ) with ( cow )');
      // The next match is found: the search started over at the top.
      await reply(page, 'OK', 'No more matches found.');
      await page.locator('#FindButton').click();
      await page.locator('#ReplaceAll').click();
      await page.locator('#ReplaceButton').click();
      await reply(page, 'OK', 'Replace All ( cat ) with ( cow )');
      assert.strictEqual(await editorText(page), 'cow(dog, cow);\r\ncatalog = cow;');
      await page.locator('#Find').fill('zebra');
      await page.keyboard.press('Enter');
      await reply(page, 'OK', 'No matches found.');
      await page.locator('#FindClose').click();
      assert.strictEqual(await page.locator('#FindTextWindow').count(), 0);
      await page.keyboard.press('Control+f');
      await page.locator('#FindTextWindow #Find').waitFor();
      await page.keyboard.press('Escape');
      assert.strictEqual(await page.locator('#FindTextWindow').count(), 0);
    });

    await t.test('a syntax error is marked as it is typed', async () => {
      await page.locator('#x_Code_x .cm-content').click();
      await page.keyboard.press('Control+End');
      await page.keyboard.press('Enter');
      await page.keyboard.type('if (cow > 1 {');
      await page.locator('#x_Code_x .cm-lintRange-error').waitFor();
      await page.screenshot({ path: screenshotPath('code_window') });
    });

    await t.test('the build lists code with syntax errors, and builds on OK', async () => {
      await page.locator('#x_FormsList_x option', { hasText: 'Form1' }).click({ button: 'right' });
      await reply(page, 'Yes', 'Mark Form: Form1 as the start form?');
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Build Project');
      const box = await openBox(page);
      const text = await box.locator('.zolt-msgbox-text').innerText();
      assert.match(text, /^Form1, btn1: Declarations, line 3: Unexpected token$/m);
      assert.strictEqual(text.split('\n').filter((l) => l.startsWith('Form1')).length, 1);
      await reply(page, 'Cancel');
      assert.ok(!fs.existsSync(path.join(dir, 'Shop', 'Build', 'default.htm')));
      await menuItem(page, 'x_W2_x', 'ProjectMenu', 'Build Project');
      await reply(page, 'OK');
      await reply(page, 'OK', 'Project: Shop.rwp was built.');
      assert.ok(fs.existsSync(path.join(dir, 'Shop', 'Build', 'default.htm')));
    });

    await t.test('maximised and back; resized by its corner', async () => {
      const box = () => page.locator('#xC_xodeWindox_xw').boundingBox();
      const before = await box();
      await page.locator('#MinMaxGen').click();
      const max = await box();
      assert.deepStrictEqual([max.x, max.y, max.width], [0, 0, 1280 - 18 + 6]);
      await page.locator('#MinMaxGen').click();
      assert.deepStrictEqual(await box(), before);
      await page.mouse.move(before.x + before.width - 5, before.y + before.height - 5);
      await page.mouse.down();
      await page.mouse.move(before.x + before.width + 95, before.y + before.height + 45, { steps: 4 });
      await page.mouse.up();
      const after = await box();
      assert.deepStrictEqual([after.width - before.width, after.height - before.height], [100, 50]);
      const code = await page.locator('#x_Code_x').boundingBox();
      assert.strictEqual(Math.round(code.width), 600 - 8);
    });
    assert.deepStrictEqual(errors, []);
  });
});

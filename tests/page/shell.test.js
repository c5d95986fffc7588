'use strict';
// The designer page's shell scripts: helpers, commands and keys. (F2: code_window,
// F5: storage_safety end-to-end tests.)
const test = require('node:test');
const assert = require('node:assert');
const { loadDesigner, fakeElement } = require('./helpers/designer');

test('sizes from style texts, and centring on the page', () => {
  const { page, document } = loadDesigner(['shell/variables.js', 'shell/helpers.js']);
  assert.deepStrictEqual(['50px', '120', '', undefined, '12.6px'].map(page.GetCorrectSize), [50, 120, 0, 0, 13]);
  const start = document.addElement('StartScreen', { style: { width: '197px', height: '253px' } });
  const position = document.addElement('Position', { style: { display: 'none' } });
  page.CenterStartScreen();
  assert.deepStrictEqual([start.style.left, start.style.top], ['401px', '273px']);
  // Once a project is open the start screen stays where it is.
  position.style.display = 'inline';
  document.body.clientWidth = 600;
  page.CenterStartScreen();
  assert.strictEqual(start.style.left, '401px');
});

test('command texts, folder URLs and routines of later parts called only when present', () => {
  const { page } = loadDesigner(['shell/variables.js', 'shell/helpers.js', 'shell/startup.js']);
  assert.deepStrictEqual([true, false, undefined, 3].map(page.CommandText), ['True', 'False', '', '3']);
  assert.deepStrictEqual(['http://h/app', 'http://h/app/'].map((a) => page.FolderUrl(a, 'images/x.jpg')),
    Array(2).fill('http://h/app/images/x.jpg'));
  assert.strictEqual(page.CallIfPresent('ShowStyleWindow'), undefined);
  page.ShowStyleWindow = (a, b) => a + b;
  assert.strictEqual(page.CallIfPresent('ShowStyleWindow', 2, 3), 5);
});

test('the line of an error is read from its stack', () => {
  const { page } = loadDesigner(['shell/errors.js']);
  const err = new Error('boom');
  err.stack = 'Error: boom\n    at Foo (http://127.0.0.1:5/page:1234:7)\n    at http://127.0.0.1:5/page:99:1';
  assert.deepStrictEqual([page.ErrorLine(err), page.ErrorLine('not an error')], [1234, 0]);
});

const SHELL = ['shell/variables.js', 'shell/helpers.js', 'shell/commands.js'];

// The other command routines are sent by the end-to-end tests' menus and
// buttons; the style window's Delete is not.
test('the style window\'s Delete sends its command', async () => {
  const { page, sent } = loadDesigner(SHELL);
  page.SetStartValues();
  await page.DeleteStyleSheet();
  assert.deepStrictEqual(sent, ['DeleteStyleSheet']);
});

test('LoadForm closes the open menu only after the host has loaded the form', async () => {
  const order = [];
  const { page } = loadDesigner(SHELL, { onCommand: (t) => { order.push(t); } });
  page.SetStartValues();
  page.bMenuShown = true;
  page.sMenuType = 'Form';
  page.ShowMenu = (type, key) => order.push(`ShowMenu ${type} ${key}`);
  await page.LoadForm();
  assert.deepStrictEqual(order, ['LoadForm', 'ShowMenu Form 1']);
});

const FILES = ['shell/variables.js', 'shell/helpers.js', 'shell/commands.js', 'shell/keyboard.js'];

function keyEvent(keyCode, target = fakeElement('x', { tagName: 'DIV' })) {
  return { keyCode, target, prevented: false, preventDefault() { this.prevented = true; } };
}

function loaded(options) {
  const env = loadDesigner(FILES, options);
  env.page.SetStartValues();
  env.document.addElement('x_FuncListWin_x', { style: { display: 'none' } });
  env.document.addElement('x_FuncList_x');
  return env;
}

test('Tab types a tab over the selected text and never moves the focus', async () => {
  const { page, document } = loaded();
  const code = document.addElement('x_Code_x', { value: 'abc' });
  page.bCodeWindowOpen = true;
  const field = fakeElement('PropValue', {
    tagName: 'INPUT', type: 'text', value: 'hello', selectionStart: 1, selectionEnd: 3,
    setRangeText(text, start, end) { this.value = this.value.slice(0, start) + text + this.value.slice(end); },
    dispatchEvent() {},
  });
  const e = keyEvent(9, field);
  await page.CheckForTab(e);
  assert.deepStrictEqual([field.value, e.prevented, page.bCodeWindowTabKeyPressed], ['h\tlo', true, true]);
  // Other keys clear the flag and remember the code text as it was.
  await page.CheckForTab(keyEvent(65));
  assert.deepStrictEqual([page.bCodeWindowTabKeyPressed, page.GCodeCharacter], [false, 'abc']);
});

test('keys typed in the host boxes drawn over the page are left to them', async () => {
  const { page, document } = loaded();
  page.bStartScreenOpen = false;
  const inBox = fakeElement('txtFileName', { tagName: 'INPUT', closest: (sel) => (sel === 'dialog' ? {} : null) });
  for (const key of [9, 113, 116]) {
    const e = keyEvent(key, inBox);
    await page.CheckForTab(e);
    assert.strictEqual(e.prevented, false);
  }
  assert.strictEqual(document.getElementById('x_FuncListWin_x').style.display, 'none');
});

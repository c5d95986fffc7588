'use strict';
// Keys in the designer page. (F2: code_window, F5: storage_safety end-to-end tests.)
const test = require('node:test');
const assert = require('node:assert');
const { loadDesigner, fakeElement } = require('./helpers/designer');

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

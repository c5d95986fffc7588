'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadDesigner } = require('./helpers/designer');

test('start values: free form numbers, two empty control entries, windows closed', () => {
  const { page } = loadDesigner(['shell/variables.js']);
  page.SetStartValues();
  assert.strictEqual(page.arrNewFormOrder.length, 11);
  assert.deepStrictEqual(Array.from(page.arrNewFormOrder.slice(1)), Array(10).fill(11));
  assert.deepStrictEqual(Array.from(page.arrControlDelete), [undefined, undefined]);
  assert.strictEqual(page.arrStyleForNewForms.length, 17);
  assert.strictEqual(page.bStartScreenOpen, true);
  assert.strictEqual(page.bProjectWindowOpen, true);
  assert.strictEqual(page.bPropertyWindowOpen, false);
  assert.strictEqual(page.CheckModalOnOff, 'OFF');
  assert.strictEqual(page.zIndexCounter, 0);
  assert.strictEqual(page.NewFormCount, 0);
  assert.strictEqual(page.SystemStyleSheets, '');
  assert.strictEqual(page.ZOLT_VERSION, 'ZOLT v1.0');
  assert.strictEqual(page.SelectedFormID, undefined);
});

test('sizes from style texts, and centring on the page', () => {
  const { page, document } = loadDesigner(['shell/variables.js', 'shell/helpers.js']);
  assert.strictEqual(page.GetCorrectSize('50px'), 50);
  assert.strictEqual(page.GetCorrectSize('120'), 120);
  assert.strictEqual(page.GetCorrectSize(''), 0);
  assert.strictEqual(page.GetCorrectSize(undefined), 0);
  assert.strictEqual(page.GetCorrectSize('12.6px'), 13);
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

test('command texts and folder URLs', () => {
  const { page } = loadDesigner(['shell/variables.js', 'shell/helpers.js', 'shell/startup.js']);
  assert.strictEqual(page.CommandText(true), 'True');
  assert.strictEqual(page.CommandText(false), 'False');
  assert.strictEqual(page.CommandText(undefined), '');
  assert.strictEqual(page.CommandText(3), '3');
  assert.strictEqual(page.FolderUrl('http://h/app', 'images/x.jpg'), 'http://h/app/images/x.jpg');
  assert.strictEqual(page.FolderUrl('http://h/app/', 'images/x.jpg'), 'http://h/app/images/x.jpg');
  assert.strictEqual(page.IIF(0, 'a', 'b'), 'b');
});

test('routines of later parts are called only when the page has them', () => {
  const { page } = loadDesigner(['shell/helpers.js']);
  assert.strictEqual(page.CallIfPresent('ShowStyleWindow'), undefined);
  page.ShowStyleWindow = (a, b) => a + b;
  assert.strictEqual(page.CallIfPresent('ShowStyleWindow', 2, 3), 5);
});

test('the line of an error is read from its stack', () => {
  const { page } = loadDesigner(['shell/errors.js']);
  const err = new Error('boom');
  err.stack = 'Error: boom\n    at Foo (http://127.0.0.1:5/page:1234:7)\n    at http://127.0.0.1:5/page:99:1';
  assert.strictEqual(page.ErrorLine(err), 1234);
  assert.strictEqual(page.ErrorLine('not an error'), 0);
});

'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadDesigner } = require('./helpers/designer');

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
  assert.strictEqual(page.FolderUrl('http://h/app', 'images/x.jpg'), 'http://h/app/images/x.jpg');
  assert.strictEqual(page.FolderUrl('http://h/app/', 'images/x.jpg'), 'http://h/app/images/x.jpg');
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

'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadDesigner } = require('./helpers/designer');

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

'use strict';
// The element model in the real designer page served by zolt: a tab
// control's pages, and deleting a form through the Form menu and its
// question. (Every control from the toolbar: properties_controls.test.js.)
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, answer } = require('./helpers/designer');

// The page shell (start screen, toolbars, menus) comes from its own scripts.
const skip = fs.existsSync(path.join(__dirname, '..', '..', 'designer', 'shell')) ? false : 'the page shell is not there';

// Starts zolt, opens its page and leaves the start screen as the host does
// once a project is open.
async function withDesigner(fn) {
  const zolt = await startZolt();
  try {
    await withPage(async (page) => {
      const errors = [];
      page.on('pageerror', (e) => errors.push(e.message));
      await openDesigner(page, zolt);
      await page.evaluate(() => {
        AppPath = aPath;
        ImagePath = aPath + '/Images/closebutton.jpg';
        CloseStartScreen();
      });
      await fn(page);
      assert.deepStrictEqual(errors, [], 'no script errors');
    });
  } finally {
    await zolt.stop();
  }
}

test('a tab control\'s pages keep their own controls as the strip switches them', { skip }, async () => {
  await withDesigner(async (page) => {
    await page.evaluate(async () => {
      await NewForm();
      await NewTab();
      await NewButton();
    });
    assert.strictEqual(await page.evaluate(() => document.getElementById('Tab0').getAttribute('contents').includes('id="btn1"')), true);
    await page.click('#TabTable_tab1 td:nth-child(2) b');
    await page.evaluate(async () => {
      SelectedObj = document.getElementById('tab1');
      await NewLabel();
    });
    const shown = () => page.evaluate(() => [...document.getElementById('TABContent_tab1').querySelectorAll('[controlid]')].map((e) => e.id));
    for (const [cell, ids] of [[1, ['btn1']], [2, ['lbl1']], [1, ['btn1']]]) {
      await page.click(`#TabTable_tab1 td:nth-child(${cell})`);
      assert.deepStrictEqual(await shown(), ids, 'tab ' + cell);
    }
    assert.deepStrictEqual(await page.evaluate(() => [SelectedObj.id, document.getElementById('tab1').getAttribute('previoustab')]),
      ['tab1', '0'], 'a click on the strip selects the tab control');
  });
});

test('deleting Form2 through the Form menu asks, tells the host, frees its numbers; Cancel keeps it', { skip }, async () => {
  await withDesigner(async (page) => {
    await page.evaluate(async () => {
      await NewForm(); await NewForm(); await NewForm();
      UpdateControlDeleteArray('L', 4, 2);
      window.sent = [];
      const send = window.sendCommand;
      window.sendCommand = (text) => { window.sent.push(text); return send(text); };
    });
    await page.dblclick('#x_FormsList_x option:nth-child(2)');
    assert.strictEqual(await page.evaluate(() => SelectedFormObj.id), 'Form2');
    await page.click('#x_W1_x');
    await page.click('#FormMenu td:text-is("\u00a0Delete")');
    await answer(page, 'Cancel', /Delete selected Form: Form2\?/);
    assert.ok(await page.evaluate(() => !!document.getElementById('Form2')));
    await page.click('#x_W1_x');
    await page.click('#FormMenu td:text-is("\u00a0Delete")');
    await answer(page, 'OK');
    await page.waitForFunction(() => !document.getElementById('Form2'));
    assert.deepStrictEqual(await page.evaluate(() => [sent, SelectedFormObj.id, arrControlDelete.includes('L/4/2')]),
      [['UpdateProjectFile.asp&&Form2&True', 'SaveExistingProject&false'], 'Form1', false]);
    const made = await page.evaluate(async () => [(await NewForm()).id, (await NewForm()).id, NewFormCount,
      [...x_FormsList_x.options].map((o) => o.text + '=' + o.value)]);
    assert.deepStrictEqual(made, ['Form2', 'Form4', 4, ['Form1=1', 'Form3=3', 'Form2=2', 'Form4=4']]);
  });
});

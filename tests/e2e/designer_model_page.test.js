'use strict';
// The element model in the real designer page served by zolt: creating forms
// and every control from ToolBar2, selecting by clicks, and deleting a form
// through the Form menu and its question.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, screenshotPath } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner } = require('./helpers/designer');

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

// Clicks the button of the message box that is showing.
async function answerBox(page, button) {
  const box = page.locator('dialog[open]');
  await box.waitFor();
  const text = await box.innerText();
  await box.getByRole('button', { name: button, exact: true }).click();
  await box.waitFor({ state: 'detached' });
  return text;
}

test('every control from ToolBar2 on a new form, selected by a click', { skip }, async () => {
  await withDesigner(async (page) => {
    await page.evaluate(() => NewForm());
    const toolbar = ['x_T1_x', 'x_T2_x', 'x_T3_x', 'x_T4_x', 'x_T5_x', 'x_T6_x', 'x_T7_x', 'x_T8_x', 'x_T9_x', 'x_T10_x',
      'x_T11_x', 'x_T12_x', 'x_T13_x', 'x_T14_x', 'x_T15_x'];
    for (const id of toolbar) {
      // A click on the form's title bar selects the form again, so each control goes onto the form body.
      await page.click('#Form1 #CaptionBar');
      await page.click('#' + id);
    }
    const ids = await page.evaluate(() => [...FormBody(document.getElementById('Form1')).children].map((e) => e.id));
    assert.deepStrictEqual(ids.sort(), ['Cal1', 'Table1', 'btn1', 'cbo1', 'chk1', 'fra1', 'img1', 'lbl1', 'lnk1', 'lst1',
      'opt1', 'tab1', 'txt1', 'txtA1', 'uol1'].sort());
    await page.evaluate(() => {
      const spots = { lbl1: [12, 12], lnk1: [12, 40], txt1: [12, 66], btn1: [12, 98], chk1: [12, 134], opt1: [90, 134],
        cbo1: [12, 166], lst1: [90, 166], txtA1: [12, 222], uol1: [12, 330], fra1: [190, 20], img1: [190, 140],
        Table1: [190, 240], tab1: [420, 12], Cal1: [420, 150] };
      const form = document.getElementById('Form1');
      form.style.width = '640px'; form.style.height = '430px'; form.style.left = '90px'; form.style.top = '60px';
      FormBody(form).style.width = '640px'; FormBody(form).style.height = '411px';
      form.querySelector('#CloseFormX').style.left = '623px';
      document.getElementById('Forms').style.left = '760px';
      for (const [id, [l, t]] of Object.entries(spots)) {
        const el = document.getElementById(id);
        el.style.left = l + 'px'; el.style.top = t + 'px';
      }
    });
    await page.click('#btn1');
    assert.deepStrictEqual(await page.evaluate(() => [SelectedObj.id, SelectedFormID,
      document.querySelectorAll('#x_SelectionFrames_x .x_SelHandle_x').length]), ['btn1', 1, 8]);
    await page.waitForFunction(() => [...document.images].every((i) => i.complete));
    await page.screenshot({ path: screenshotPath('designer-page-every-control') });
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
    assert.match(await answerBox(page, 'Cancel'), /Delete selected Form: Form2\?/);
    assert.ok(await page.evaluate(() => !!document.getElementById('Form2')));
    await page.click('#x_W1_x');
    await page.click('#FormMenu td:text-is("\u00a0Delete")');
    await answerBox(page, 'OK');
    await page.waitForFunction(() => !document.getElementById('Form2'));
    assert.deepStrictEqual(await page.evaluate(() => [sent, SelectedFormObj.id, arrControlDelete.includes('L/4/2')]),
      [['UpdateProjectFile.asp&&Form2&True', 'SaveExistingProject&false'], 'Form1', false]);
    const made = await page.evaluate(async () => [(await NewForm()).id, (await NewForm()).id, NewFormCount,
      [...x_FormsList_x.options].map((o) => o.text + '=' + o.value)]);
    assert.deepStrictEqual(made, ['Form2', 'Form4', 4, ['Form1=1', 'Form3=3', 'Form2=2', 'Form4=4']]);
  });
});

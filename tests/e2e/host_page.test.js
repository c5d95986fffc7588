'use strict';
// The designer page served by zolt and the bridge between page and host.
const test = require('node:test');
const assert = require('node:assert');
const { withPage } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, openBox } = require('./helpers/designer');

test('the page arrives with its placeholders filled and the caption of the main window', async () => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      const html = await page.content();
      for (const p of ['<replace1>', '<replace2>', '<replace3>', '<x_Velkora_Version_x>']) {
        assert.ok(!html.includes(p), p + ' is left in the page');
        assert.ok(!html.includes(p.replace('<', '&lt;')), p + ' is left in the page');
      }
      assert.strictEqual(await page.evaluate(() => aPath), zolt.origin + '/app');
      assert.ok(html.includes(zolt.origin + '/app/ColorChart.js'));
      // The start screen's style is rewritten once the page centres it: look
      // for the picture in the text the host served.
      const served = await page.evaluate(() => fetch(location.href).then((r) => r.text()));
      assert.ok(served.includes('url(' + zolt.origin + '/app/Images/comp_logo.jpg);'));
      const title = await page.evaluate(() => document.querySelector('title').textContent);
      assert.match(title, /^Velkora {2}ZOLT v1\.0 {3}Last Updated: \S+$/);
    });
  } finally {
    await zolt.stop();
  }
});

test('a host routine reads and writes the page and calls a routine that sends a nested command', async () => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      const result = await page.evaluate(async () => {
        document.body.insertAdjacentHTML('beforeend', '<div id="zoltProbe" Data-In="seven"></div>');
        window.zoltIn = 'in';
        window.zoltArray = [0, 0, 0];
        window.zoltRoutine = async function (a, b) {
          // Runs while the host waits for this routine: the command runs nested.
          await sendCommand('ZoltTestHook&nested');
          return a + b;
        };
        const ran = await sendCommand('ZoltTestHook&probe');
        const probe = document.getElementById('zoltProbe');
        return {
          ran, html: probe.innerHTML, out: probe.getAttribute('data-out'), zoltOut, array: zoltArray[1],
          seen: zoltSeenAfterCall, callResult: zoltCallResult, callArgs: zoltCallArgs,
        };
      });
      assert.deepStrictEqual(result, {
        ran: true, html: 'host wrote <b>seven</b>', out: 'done', zoltOut: 'in!', array: 42,
        seen: 'ran', callResult: 'a2', callArgs: 'a',
      });
    });
  } finally {
    await zolt.stop();
  }
});

test('the host walks lists, tables, styles, attributes and the tree of the page', async () => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      const walk = await page.evaluate(async () => {
        document.body.insertAdjacentHTML('beforeend',
          '<div id="zoltWalk"><div id="zoltProbe" ParentFormID="2" style="position:absolute">x</div> ' +
          '<select name="zoltList"><option value="1">One</option></select>' +
          '<table id="zoltTable"><tr><td>a</td></tr></table></div>');
        await sendCommand('ZoltTestHook&walk');
        return zoltWalkResult;
      });
      assert.strictEqual(walk, [
        'attributes id=zoltProbe;parentformid=2;style=position:absolute;',
        'tag DIV parent DIV',
        'left 100px',
        'options 3 Zero 2 selected 2',
        'after remove One',
        'rows 2 cell b',
        'children 3 nodes 4',
        'removed yes',
        'stale handle refused',
        '',
      ].join('\n'));
    });
  } finally {
    await zolt.stop();
  }
});

test('message boxes and input boxes shown for the host give back the answer', async () => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      const asked = page.evaluate(() => sendCommand('ZoltTestHook&msgbox&Save it?\nReally?&YesNo').then(() => zoltMsgResult));
      let box = await openBox(page);
      assert.strictEqual(await box.locator('.zolt-caption').innerText(), 'ZOLT');
      assert.strictEqual(await box.locator('.zolt-msgbox-text').innerText(), 'Save it?\nReally?');
      assert.deepStrictEqual(await box.locator('.zolt-buttons button').allInnerTexts(), ['Yes', 'No']);
      assert.strictEqual(await box.locator('.zolt-icon-question').count(), 1);
      await box.getByRole('button', { name: 'No' }).click();
      assert.strictEqual(await asked, 'No');
      assert.strictEqual(await page.locator('dialog[open]').count(), 0);

      // Enter presses the default (first) button; Escape gives Cancel.
      let answer = page.evaluate(() => sendCommand('ZoltTestHook&msgbox&Go?&OKCancel').then(() => zoltMsgResult));
      await openBox(page);
      await page.keyboard.press('Enter');
      assert.strictEqual(await answer, 'OK');
      answer = page.evaluate(() => sendCommand('ZoltTestHook&msgbox&Go?&YesNoCancel').then(() => zoltMsgResult));
      await openBox(page);
      await page.keyboard.press('Escape');
      assert.strictEqual(await answer, 'Cancel');

      answer = page.evaluate(() => sendCommand('ZoltTestHook&inputbox&Name?&Form1').then(() => zoltInputResult));
      box = await openBox(page);
      assert.strictEqual(await box.locator('input').inputValue(), 'Form1');
      await box.locator('input').fill('Orders');
      await page.keyboard.press('Enter');
      assert.strictEqual(await answer, 'Orders');
      answer = page.evaluate(() => sendCommand('ZoltTestHook&inputbox&Name?&x').then(() => zoltInputResult));
      await openBox(page);
      await page.keyboard.press('Escape');
      assert.strictEqual(await answer, '<cancelled>');

      // The page's own MsgBox and InputBox.
      const own = page.evaluate(() => MsgBox('Hello', vbOKOnly + vbInformation));
      box = await openBox(page);
      assert.strictEqual(await box.locator('.zolt-icon-information').count(), 1);
      await box.getByRole('button', { name: 'OK' }).click();
      assert.strictEqual(await own, 1);
      const typed = page.evaluate(() => InputBox('Name?', 'Rename'));
      box = await openBox(page);
      assert.strictEqual(await box.locator('.zolt-caption').innerText(), 'Rename');
      await box.getByRole('button', { name: 'Cancel' }).click();
      assert.strictEqual(await typed, '');
    });
  } finally {
    await zolt.stop();
  }
});

test('texts without a command name run nothing; a page error reaches the host routine', async () => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      const r = await page.evaluate(async () => ({
        blank: await sendCommand('about:blank'),
        web: await sendCommand('http://example.com/index.html'),
        lower: await sendCommand('newproject'),
        dialogs: document.querySelectorAll('dialog[open]').length,
      }));
      assert.deepStrictEqual(r, { blank: false, web: false, lower: false, dialogs: 0 });

      const error = await page.evaluate(async () => {
        window.zoltThrows = () => { throw new Error('broken routine'); };
        await sendCommand('ZoltTestHook&pageError');
        return zoltError;
      });
      assert.strictEqual(error, 'broken routine');
    });
  } finally {
    await zolt.stop();
  }
});

test('the Loading window shows and goes, and the modal layer is up only while a command runs', async () => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await page.evaluate(() => sendCommand('ZoltTestHook&loading&Building'));
      assert.strictEqual(await page.locator('#frmLoading[open] #lblLoading').innerText(), 'Building');
      await page.evaluate(() => sendCommand('ZoltTestHook&loading&hide'));
      assert.strictEqual(await page.locator('#frmLoading').count(), 0);

      const during = page.evaluate(() => sendCommand('ZoltTestHook&msgbox&Wait&OK'));
      await openBox(page);
      assert.ok(await page.locator('#zoltModalLayer').isVisible());
      await page.keyboard.press('Enter');
      await during;
      assert.ok(!(await page.locator('#zoltModalLayer').isVisible()));
    });
  } finally {
    await zolt.stop();
  }
});

'use strict';
// The designer page and its bridge to the host (each check leaves the page as it found it); ending the designer.
const test = require('node:test');
const assert = require('node:assert');
const { withPage } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, openBox, answer } = require('./helpers/designer');

test('the designer page and its bridge to the host', async (t) => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  t.after(zolt.stop);
  await withPage(async (page) => {
    await openDesigner(page, zolt);
    // Asks the host to show a box through the test command; returns the answer once given.
    const hook = (command, result) => page.evaluate(([c, r]) => sendCommand('ZoltTestHook&' + c).then(() => window[r]), [command, result]);

    // Each place the address is filled in: server_test.cpp.
    await t.test('the page arrives with the address it is served from and the caption of the main window', async () => {
      assert.strictEqual(await page.evaluate(() => aPath), zolt.origin + '/app');
      assert.match(await page.evaluate(() => document.querySelector('title').textContent), /^Velkora {2}ZOLT v1\.0 {3}Last Updated: \S+$/);
    });

    await t.test('a host routine reads and writes the page and calls a routine that sends a nested command', async () => {
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
        probe.remove();
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

    await t.test('the host walks lists, tables, styles, attributes and the tree of the page, and reads whole lists of '
      + 'elements in one go as the single reads give them', async () => {
      const [walk, lists] = await page.evaluate(async () => {
        document.body.insertAdjacentHTML('beforeend',
          '<div id="zoltWalk"><div id="zoltProbe" ParentFormID="2" style="position:absolute">x</div> ' +
          '<select name="zoltList"><option value="1">One</option></select>' +
          '<table id="zoltTable"><tr><td>a</td></tr></table></div>');
        await sendCommand('ZoltTestHook&walk');
        await sendCommand('ZoltTestHook&lists');
        return [zoltWalkResult, zoltListsResult];
      });
      assert.strictEqual(walk, ['attributes id=zoltProbe;parentformid=2;style=position:absolute;', 'tag DIV parent DIV',
        'left 100px', 'options 3 Zero 2 selected 2', 'after remove One', 'rows 2 cell b', 'children 3 nodes 4',
        'removed yes', 'stale handle refused', ''].join('\n'));
      assert.strictEqual(lists, ['found yes no', 'attributes 2|<none>|<none>', 'styles absolute||',
        'markup <div id="zoltProbe" parentformid="2" style="position: absolute; left: 100px;">x</div>',
        'options One|Two', 'stale handle refused', ''].join('\n'));
    });

    await t.test('message boxes and input boxes shown for the host give back the answer', async () => {
      const asked = hook('msgbox&Save it?\nReally?&YesNo', 'zoltMsgResult');
      let box = await openBox(page);
      assert.deepStrictEqual([await box.locator('.zolt-caption').innerText(), await box.locator('.zolt-msgbox-text').innerText(),
        await box.locator('.zolt-buttons button').allInnerTexts()], ['ZOLT', 'Save it?\nReally?', ['Yes', 'No']]);
      assert.strictEqual(await box.locator('.zolt-icon-question').count(), 1);
      assert.ok(await page.locator('#zoltModalLayer').isVisible(), 'the modal layer is up while a command runs');
      await box.getByRole('button', { name: 'No' }).click();
      assert.deepStrictEqual([await asked, await page.locator('dialog[open]').count(), await page.locator('#zoltModalLayer').isVisible()],
        ['No', 0, false]);

      // Enter presses the default (first) button and accepts a typed answer; Escape cancels.
      for (const [command, result, key, expected] of [
        ['msgbox&Go?&OKCancel', 'zoltMsgResult', 'Enter', 'OK'],
        ['msgbox&Go?&YesNoCancel', 'zoltMsgResult', 'Escape', 'Cancel'],
        ['inputbox&Name?&Form1', 'zoltInputResult', 'Enter', 'Orders'],
        ['inputbox&Name?&x', 'zoltInputResult', 'Escape', '<cancelled>']]) {
        const answer = hook(command, result);
        box = await openBox(page);
        if (expected === 'Orders') {
          assert.strictEqual(await box.locator('input').inputValue(), 'Form1');
          await box.locator('input').fill('Orders');
        }
        await page.keyboard.press(key);
        assert.strictEqual(await answer, expected, command);
      }
    });

    await t.test('texts without a command name run nothing; a page error reaches the host routine', async () => {
      // Which texts are commands: tests/unit/command_bus_test.cpp.
      assert.deepStrictEqual(await page.evaluate(async () => [await sendCommand('newproject'),
        document.querySelectorAll('dialog[open]').length]), [false, 0]);
      await page.evaluate(() => { window.zoltThrows = () => { throw new Error('broken routine'); }; });
      assert.strictEqual(await hook('pageError', 'zoltError'), 'broken routine');
    });

    await t.test('Ctrl+Q and the close control ask before ending; No leaves everything as it was', async () => {
      await page.evaluate(() => { window.keep = 'kept'; });
      await page.keyboard.press('Control+q');
      await answer(page, 'No', 'Close Velkorasoft ZOLT v1.0');
      assert.strictEqual(zolt.proc.exitCode, null);
      assert.strictEqual(await page.evaluate(() => sendCommand('ZoltTestHook&noop').then((r) => r && keep)), 'kept');

      await page.locator('#ZoltCloseButton').click();
      await (await openBox(page)).getByRole('button', { name: 'Yes' }).click();
      assert.strictEqual((await zolt.exited).code, 0);
    });
  });
});

const stillRunning = (zolt) => zolt.proc.exitCode === null && zolt.proc.signalCode === null;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

test('unsaved changes bring up the leave-page question; a reload keeps zolt; closing the window ends it', async () => {
  const zolt = await startZolt();
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await page.mouse.click(400, 400);  // the question needs a page the user has touched
      const asked = [];
      page.on('dialog', async (dialog) => { asked.push(dialog.type()); await dialog.dismiss(); });
      await page.evaluate(() => { window.bProjectInfoChanged = true; });
      await page.evaluate(() => { setTimeout(() => { location.href = 'about:blank'; }, 10); });
      await sleep(1000);
      assert.deepStrictEqual(asked, ['beforeunload']);

      // Nothing changed: the reload asks nothing, and zolt waits for the page.
      await page.evaluate(() => { window.bProjectInfoChanged = false; });
      await page.reload();
      await page.waitForFunction(() => document.title.startsWith('Velkora'));
      await sleep(3500);
      assert.deepStrictEqual(asked, ['beforeunload']);
      assert.ok(stillRunning(zolt), 'a reload keeps zolt running');
      await page.close();
      const ended = await Promise.race([zolt.exited, sleep(8000).then(() => null)]);
      assert.strictEqual(ended && ended.code, 0, 'zolt ends once no page comes back');
    });
  } finally {
    await zolt.stop();
  }
});

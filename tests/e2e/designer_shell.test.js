'use strict';
// The designer page itself: start screen, toolbars, menus, project window, script errors, boxes.
const test = require('node:test');
const assert = require('node:assert');
const { withPage, screenshotPath, tempDir } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner, openBox, answer, createProject, drag } = require('./helpers/designer');

const box = (page, id) => page.locator('#' + id).boundingBox();

test('the designer page: start screen, toolbars, menus, the project window and script errors', async (t) => {
  const zolt = await startZolt({ cwd: tempDir('zolt-shell-') });
  t.after(zolt.stop);
  await withPage(async (page) => {
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await openDesigner(page, zolt);
    await page.waitForFunction(() => window.bLoaded === true);

    await t.test('opens on the centred start screen in quirks mode with nothing left unfilled', async () => {
      assert.doesNotMatch(await page.content(), /<replace\d>|x_Velkora_Version_x|&lt;replace/);
      assert.deepStrictEqual(await page.evaluate(() => [document.compatMode, GVersion]), ['BackCompat', 'V1.01']);
      const start = await box(page, 'StartScreen');
      assert.ok(Math.abs(start.x - (1280 - 197) / 2) <= 1 && Math.abs(start.y - (900 - 253) / 2) <= 1, 'centred');
      await page.screenshot({ path: screenshotPath('designer_start_screen') });
      assert.deepStrictEqual([errors, await page.locator('dialog[open]').count()], [[], 0], 'no error on load');
      await page.keyboard.press('F5');
      assert.strictEqual(await page.locator('dialog[open]').count(), 0, 'F5 asks nothing on the start screen');
    });

    // Every picture the page loads is there: tour.test.js fails on a missing one; the other tests click every toolbar
    // and choose every item of the Project menu.
    await t.test('with a project open: the toolbars in their places, pictures that change under the mouse, menus that '
      + 'open at the mouse, replace each other and close on a body click', async () => {
      await createProject(page, 'Shop');
      assert.deepStrictEqual([(await box(page, 'ToolBar2')).y, (await box(page, 'ToolBar3')).y], [80, 330]);
      await page.hover('#x_T1_x');
      assert.match(await page.getAttribute('#x_T1_x', 'src'), /Label2\.jpg$/);
      await page.mouse.move(600, 600);
      assert.match(await page.getAttribute('#x_T1_x', 'src'), /Label1\.jpg$/);
      await page.screenshot({ path: screenshotPath('designer_empty') });
      const project = await box(page, 'x_W2_x');
      const x = Math.round(project.x + 10), y = Math.round(project.y + 10);
      await page.mouse.click(x, y);
      const menu = await box(page, 'ProjectMenu');
      assert.deepStrictEqual([menu.x, menu.y], [x + 40, Math.max(0, y - 20)]);

      await page.click('#x_W1_x');
      assert.deepStrictEqual([await page.$('#ProjectMenu'), !!(await page.$('#FormMenu'))], [null, true]);
      await page.mouse.click(900, 700);
      assert.deepStrictEqual([await page.$('#FormMenu'), await page.evaluate(() => bMenuShown)], [null, false]);
    });

    await t.test('the project window moves by its own area, outside its children, and collapses', async () => {
      const forms = await box(page, 'Forms');
      await drag(page, { x: forms.x + 1, y: forms.y + forms.height - 2 }, -100, 20, { steps: 4 });
      const moved = await box(page, 'Forms');
      assert.deepStrictEqual([moved.x - forms.x, moved.y - forms.y], [-100, 20]);
      await page.click('#Minimize');
      assert.deepStrictEqual(await page.evaluate(() => [Forms.style.height, Minimize.title,
        document.getElementById('x_FormsList_x').style.display]), ['25px', "'Click to Maximize'", 'none']);
      await page.click('#Minimize');
      assert.deepStrictEqual(await page.evaluate(() => [Forms.style.height, Minimize.title]), ['170px', "'Click to Minimize'"]);
    });

    await t.test('a script error is shown with its line, then the fixed message, and the page goes on', async () => {
      await page.evaluate(() => setTimeout(() => NoSuchRoutine()));
      const fixed = 'An internal script error has happened.';
      assert.strictEqual(await (await openBox(page)).locator('.zolt-icon-critical').count(), 0);
      await answer(page, 'OK', /NoSuchRoutine is not defined\n\n\d+$/);
      await page.locator('dialog[open]', { hasText: fixed }).locator('.zolt-icon-critical').waitFor();
      await answer(page, 'OK', fixed);

      await page.evaluate(() => { Promise.reject(new Error('lost answer')); });
      await answer(page, 'OK', /lost answer\n\n\d+$/);
      await answer(page, 'OK', fixed);

      await page.click('#x_W2_x');
      assert.ok(await page.$('#ProjectMenu'), 'the page still works');
      await page.mouse.click(900, 700);
    });

    await t.test('a message box keeps presses and keys away from the page under it; Tab goes round its buttons, a press on its text keeps the focus', async () => {
      await page.evaluate(() => {
        window.reached = [];
        for (const type of ['mousedown', 'click', 'keydown']) {
          document.addEventListener(type, (e) => {
            if (!(e.target instanceof Element && e.target.closest('dialog'))) reached.push(type);
          }, true);
        }
      });
      const asked = page.evaluate(() => MsgBox('Go on?', vbYesNoCancel + vbQuestion));
      const box = await openBox(page);
      assert.strictEqual(await box.getAttribute('aria-modal'), 'true');
      const focused = () => page.evaluate(() => [!!document.activeElement.closest('dialog[open]'), document.activeElement.textContent]);
      assert.deepStrictEqual(await focused(), [true, 'Yes']);
      // A press on Form1's caption or on the close control, and a key, reach nothing.
      const caption = await page.locator('#Form1').boundingBox();
      await page.mouse.click(caption.x + 20, caption.y + 8);
      await page.mouse.click(1270, 10);
      await page.keyboard.press('Delete');
      assert.deepStrictEqual(await focused(), [true, 'Yes']);
      const order = [];
      for (const key of ['Tab', 'Tab', 'Tab', 'Shift+Tab']) {
        await page.keyboard.press(key);
        order.push((await focused()).join(' '));
      }
      assert.deepStrictEqual(order, ['true No', 'true Cancel', 'true Yes', 'true Cancel']);
      // A press on the box's text leaves the button focused, so Enter still presses it.
      const text = await box.locator('.zolt-msgbox-text').boundingBox();
      await page.mouse.click(text.x + 5, text.y + 5);
      assert.deepStrictEqual(await focused(), [true, 'Cancel']);
      await page.keyboard.press('Enter');
      assert.strictEqual(await asked, 2, 'Cancel');
      assert.deepStrictEqual(await page.evaluate(() => reached), []);
      assert.strictEqual(zolt.proc.exitCode, null, 'the close control was not pressed');
    });
  });
});

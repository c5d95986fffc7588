'use strict';
// Arranging controls with the mouse and the keyboard, and the arrangement saved.
const test = require('node:test');
const assert = require('node:assert');
const { screenshotPath } = require('./helpers/browser');
const { answer, menuItem, formMenu, drag, saveProject, newForm, withNewProject, readText } = require('./helpers/designer');
const { idle } = require('./helpers/properties');

const TOOL = { label: '#x_T1_x', button: '#x_T2_x', text: '#x_T3_x', frame: '#x_T9_x' };

async function centre(page, target) {
  const b = await (typeof target === 'string' ? page.locator(target) : target).boundingBox();
  return { x: b.x + b.width / 2, y: b.y + b.height / 2 };
}

// left, top, width, height as the control's style holds them.
const placeOf = (page, selector) => page.$eval(selector, (e) => [e.style.left, e.style.top, e.style.width, e.style.height]);
const placesOf = (page, selectors) => Promise.all(selectors.map((s) => placeOf(page, s)));

// The middle of a grab handle of the control selected last.
async function handleAt(page, name) {
  const handle = page.locator(`#x_SelectionFrames_x .x_SelFrame_x[primary=true] .x_SelHandle_x[handle=${name}]`);
  await handle.waitFor();
  return centre(page, handle);
}

async function clickFormBody(page, form) {
  const b = await page.locator(`#${form} #TForm`).boundingBox();
  await page.mouse.click(b.x + b.width - 10, b.y + b.height - 10);
}

// Puts a control somewhere by dragging it with Alt held (no snapping).
async function dragTo(page, selector, left, top) {
  const [l, t] = (await placeOf(page, selector)).map((v) => parseInt(v, 10));
  await page.keyboard.down('Alt');
  await drag(page, await centre(page, selector), left - l, top - t);
  await page.keyboard.up('Alt');
}

const press = async (page, key, times) => { for (let k = 0; k < times; k++) await page.keyboard.press(key); };
const undo = (page, times = 1) => press(page, 'Control+z', times);
const redo = (page, times = 1) => press(page, 'Control+y', times);

test('arranging controls on the design surface', async (t) => {
  await withNewProject(t, 'zolt-arrange-', async (page, errors, folder) => {
    const F1 = '#Form1 #TForm';

    await t.test('a label dragged by 100,40 lands there; the indicators follow; Escape puts a drag back', async () => {
      await clickFormBody(page, 'Form1');
      await page.click(TOOL.label);
      await drag(page, await centre(page, `${F1} #lbl1`), 100, 40);
      assert.strictEqual(await page.textContent('#PO'), '150px,90px');
      await drag(page, await centre(page, `${F1} #lbl1`), 60, 30, { during: () => page.keyboard.press('Escape') });
      assert.deepStrictEqual((await placeOf(page, `${F1} #lbl1`)).slice(0, 2), ['150px', '90px']);
      await undo(page);
      assert.deepStrictEqual((await placeOf(page, `${F1} #lbl1`)).slice(0, 2), ['50px', '50px']);
      await redo(page);
      assert.deepStrictEqual((await placeOf(page, `${F1} #lbl1`)).slice(0, 2), ['150px', '90px']);
    });

    await t.test('the south-east handle resizes; a drag near a neighbour snaps to its edge, with a guide', async () => {
      await clickFormBody(page, 'Form1');
      await page.click(TOOL.button);
      await drag(page, await handleAt(page, 'se'), 40, 60);
      assert.deepStrictEqual(await placeOf(page, `${F1} #btn1`), ['50px', '50px', '107px', '84px']);
      assert.strictEqual(await page.textContent('#WH'), '107px,84px');
      await undo(page);
      assert.deepStrictEqual((await placeOf(page, `${F1} #btn1`)).slice(2), ['67px', '24px']);

      // Both sizes are fixed, so no other line is as near as txt1's right edge.
      await clickFormBody(page, 'Form1');
      await page.click(TOOL.text);
      await dragTo(page, `${F1} #txt1`, 220, 250);
      const txt = await page.locator(`${F1} #txt1`).boundingBox();
      const btn = await page.locator(`${F1} #btn1`).boundingBox();
      let guide;
      await drag(page, await centre(page, `${F1} #btn1`), txt.x + txt.width + 3 - btn.x, 100, {
        during: async () => {
          guide = await page.$eval('#x_Guides_x [axis=x]', (g) => [g.style.display, g.getBoundingClientRect().left]);
          await page.screenshot({ path: screenshotPath('arrange_drag_guide') });
        },
      });
      assert.strictEqual((await page.locator(`${F1} #btn1`).boundingBox()).x, txt.x + txt.width);
      assert.deepStrictEqual(guide, ['', txt.x + txt.width], 'the guide shows the line caught');
      assert.strictEqual(await page.$eval('#x_Guides_x [axis=x]', (g) => g.style.display), 'none', 'guides go with the drag');
      await dragTo(page, `${F1} #btn1`, 147, 200);
      assert.deepStrictEqual((await placeOf(page, `${F1} #btn1`)).slice(0, 2), ['147px', '200px'], 'Alt turns snapping off');
    });

    await t.test('three selected controls move together with the arrows, one step per run', async () => {
      const ids = ['#lbl1', '#btn1', '#txt1'].map((id) => `${F1} ${id}`);
      const before = await placesOf(page, ids);
      await page.click(ids[0]);
      await page.click(ids[1], { modifiers: ['Shift'] });
      await page.click(ids[2], { modifiers: ['Shift'] });
      for (const key of ['ArrowRight', 'ArrowRight', 'ArrowDown', 'Shift+ArrowLeft']) await page.keyboard.press(key);
      const moved = (await placesOf(page, ids)).map(([l, tp]) => [parseInt(l, 10), parseInt(tp, 10)]);
      assert.deepStrictEqual(moved, before.map(([l, tp]) => [parseInt(l, 10) - 8, parseInt(tp, 10) + 1]));
      await undo(page);
      assert.deepStrictEqual(await placesOf(page, ids), before, 'the run of presses is one undo step');
    });

    await t.test('a locked form refuses drags, resizes and arrows; its controls can still be deleted', async () => {
      await clickFormBody(page, 'Form1');
      await formMenu(page, 'Lock form');
      await page.click(`${F1} #txt1`);
      const before = await placeOf(page, `${F1} #txt1`);
      await drag(page, await centre(page, `${F1} #txt1`), 50, 50);
      await drag(page, await handleAt(page, 'se'), 30, 30);
      await page.keyboard.press('ArrowDown');
      assert.deepStrictEqual(await placeOf(page, `${F1} #txt1`), before);
      await page.keyboard.press('Delete');
      assert.strictEqual(await page.locator(`${F1} #txt1`).count(), 0);
      await undo(page);
      assert.deepStrictEqual(await placeOf(page, `${F1} #txt1`), before, 'undo brings it back');
      await clickFormBody(page, 'Form1');
      await formMenu(page, 'un-Lock form');
    });

    await t.test('a frame deleted with two controls frees their numbers; a new label takes one back', async () => {
      await clickFormBody(page, 'Form1');
      await page.click(TOOL.frame);
      await dragTo(page, `${F1} #fra1`, 250, 20);
      await page.click(TOOL.label);
      await page.click(`${F1} #fra1`, { position: { x: 90, y: 90 } });
      await page.click(TOOL.button);
      assert.deepStrictEqual(await page.$$eval(`${F1} #fra1 [controlid]`, (es) => es.map((e) => e.id)), ['lbl2', 'btn2']);
      await page.click(`${F1} #fra1`, { position: { x: 90, y: 90 } });
      await page.keyboard.press('Delete');
      assert.strictEqual(await page.locator(`${F1} #fra1`).count(), 0);
      await page.click(TOOL.label);
      assert.strictEqual(await page.locator(`${F1} #lbl2`).count(), 1, 'the freed label number is taken again');
      await undo(page, 2);
      assert.deepStrictEqual(await page.$$eval(`${F1} #fra1 [controlid]`, (es) => es.map((e) => e.id)), ['lbl2', 'btn2']);
      assert.deepStrictEqual(await page.evaluate(() => arrControlDelete.filter(Boolean)), [], 'an undone delete takes its numbers back');
    });

    await t.test('Format aligns bottoms and makes widths the same as the first control selected', async () => {
      const ids = ['#lbl1', '#btn1', '#txt1'].map((id) => `${F1} ${id}`);
      const bottoms = () => page.$$eval(ids.join(','), (es) => es.map((e) => GetCorrectSize(e.style.top) + StyleSize(e, 'height')));
      await page.click(ids[1]);
      await menuItem(page, 'x_W4_x', 'FormatMenu', 'Bottom');
      await answer(page, 'OK', "In order to use 'Format' you must select 2 or more controls on a form.");
      await page.mouse.click(900, 700);
      for (const id of [ids[0], ids[2]]) await page.click(id, { modifiers: ['Shift'] });
      const before = await bottoms();
      await menuItem(page, 'x_W4_x', 'FormatMenu', 'Bottom');
      assert.deepStrictEqual(await bottoms(), [before[1], before[1], before[1]]);
      await menuItem(page, 'x_W4_x', 'FormatMenu', 'Width');
      assert.deepStrictEqual((await placesOf(page, ids)).map((p) => p[2]), ['67px', '67px', '67px']);
      await undo(page, 2);
      assert.deepStrictEqual(await bottoms(), before);

      // Stacking from the toolbar is a step too.
      await page.click(ids[1]);
      const z = await page.$eval(ids[1], (e) => e.style.zIndex);
      await page.click('#x_W7_x');
      assert.strictEqual(await page.$eval(ids[1], (e) => e.style.zIndex), '0');
      await undo(page);
      assert.strictEqual(await page.$eval(ids[1], (e) => e.style.zIndex), z);
    });

    await t.test('cut on Form1 and paste on Form2; copy and paste on one form; no frame in a frame', async () => {
      await newForm(page, 'Form2');
      await idle(page);
      await drag(page, await centre(page, '#Form2 #CaptionBar'), 420, 0);
      await page.click(`${F1} #lbl1`);
      await page.keyboard.press('Control+x');
      assert.strictEqual(await page.locator(`${F1} #lbl1`).count(), 0);
      await clickFormBody(page, 'Form2');
      await page.keyboard.press('Control+v');
      assert.deepStrictEqual((await placeOf(page, '#Form2 #lbl1')).slice(0, 2), ['50px', '50px']);
      assert.ok((await page.evaluate(() => arrControlDelete)).includes('L/1/1'), 'its number is freed on Form1');
      await page.click('#Form2 #lbl1');
      await page.keyboard.press('Control+c');
      await page.keyboard.press('Control+v');
      assert.deepStrictEqual((await placeOf(page, '#Form2 #lbl2')).slice(0, 2), ['50px', '50px']);
      await dragTo(page, '#Form2 #lbl2', 200, 120);
      await page.keyboard.press('Control+x');
      await page.keyboard.press('Control+v');
      assert.deepStrictEqual((await placeOf(page, '#Form2 #lbl2')).slice(0, 2), ['50px', '50px'], 'a cut pasted on its form keeps its name');
      await page.click('#x_W5_x');
      assert.deepStrictEqual(await page.$$eval('#ActionMenu td[id]', (cs) => cs.map((c) => [c.id, c.style.textDecoration])),
        [['Undo', ''], ['Redo', 'line-through'], ['Cut', ''], ['Copy', ''], ['Paste', 'line-through']]);
      await page.mouse.click(900, 700);

      await page.click(TOOL.frame);
      await page.keyboard.press('Control+c');
      await page.click('#Form2 #fra1', { position: { x: 90, y: 90 } });
      await page.keyboard.press('Control+v');
      await answer(page, 'OK', 'You cannot insert a Frame within a Frame.');
      await clickFormBody(page, 'Form1');
      assert.strictEqual(await page.evaluate(() => SelectedFormObj.id), 'Form1', 'selecting forms still works');

      await undo(page, 5);
      assert.deepStrictEqual(await page.$$eval('#Form2 [controlid]', (es) => es.map((e) => e.id)), ['lbl1']);
      await undo(page);
      assert.strictEqual(await page.locator('#Form2 #lbl1').count(), 0);
      await undo(page);
      assert.deepStrictEqual((await placeOf(page, `${F1} #lbl1`)).slice(0, 2), ['150px', '90px'], 'the cut label is back');
      assert.ok(!(await page.evaluate(() => arrControlDelete)).includes('L/1/1'));
      await redo(page, 2);
      assert.strictEqual(await page.locator('#Form2 #lbl1').count(), 1);
      await undo(page, 2);
      const form2 = () => page.evaluate(() => { const f = document.getElementById('Form2'); return [f && f.style.left, x_FormsList_x.options.length, NewFormCount]; });
      await undo(page);
      assert.deepStrictEqual(await form2(), ['124px', 2, 2], 'a form dragged by its caption goes back');
      await undo(page);
      assert.deepStrictEqual(await form2(), [null, 1, 1], 'a new form is undone with its number');
      await redo(page, 2);
      assert.deepStrictEqual(await form2(), ['544px', 2, 2]);
    });

    await t.test('a band dragged on the empty form body selects what it touches; Shift adds', async () => {
      await clickFormBody(page, 'Form1');
      const body = await page.locator(F1).boundingBox();
      const selected = () => page.evaluate(() => GetSelectedControls().map((c) => c.id));
      await drag(page, { x: body.x + 120, y: body.y + 80 }, 80, 40);
      assert.deepStrictEqual(await selected(), ['lbl1']);
      const btn = await page.locator(`${F1} #btn1`).boundingBox();
      await page.keyboard.down('Shift');
      await drag(page, { x: btn.x - 10, y: btn.y - 5 }, 20, 10);
      await page.keyboard.up('Shift');
      assert.deepStrictEqual(await selected(), ['lbl1', 'btn1']);
      await page.keyboard.press('Control+a');
      assert.deepStrictEqual(await selected(), ['lbl1', 'btn1', 'txt1', 'fra1'], 'Ctrl+A: every control on the form body');
    });

    await t.test('keys typed into a text field move and delete nothing', async () => {
      await page.click(`${F1} #lbl1`);
      const before = await placeOf(page, `${F1} #lbl1`);
      await page.click('#ProjectName a');
      await page.locator('#NewProjectName').fill('abc');
      for (const key of ['ArrowLeft', 'ArrowDown', 'Delete', 'Control+a', 'Control+x']) await page.keyboard.press(key);
      await page.click('#CloseNewProject');
      assert.deepStrictEqual([await placeOf(page, `${F1} #lbl1`), errors], [before, []]);
    });

    await t.test('saved, the controls are where they were put, with nothing of the editor on them', async () => {
      await saveProject(page);
      await idle(page);
      const form = readText(folder, 'Form1.rwf');
      assert.match(form, /id="lbl1"[^>]*style="[^"]*\btop: 90px; left: 150px/);
      assert.doesNotMatch(form, /x_Sel|x_Guides|x_RubberBand|cutcopy/i);
    });
  });
});

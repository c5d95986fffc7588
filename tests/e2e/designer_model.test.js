'use strict';
// Forms and controls of the designer's element model, created, selected and
// switched in Chromium as a developer would.
const test = require('node:test');
const assert = require('node:assert');
const { launchBrowser, screenshotPath } = require('./helpers/browser');
const { openModelPage } = require('./helpers/modelpage');

const CREATORS = ['NewLabel', 'NewTextBox', 'NewButton', 'NewCheckBox', 'NewOption', 'NewCombo', 'NewListBox',
  'NewImage', 'NewTable', 'NewTextArea', 'NewFrame', 'NewTab', 'NewCalendar', 'NewLink', 'NewUnOrderedList'];

// Every test gets a fresh model page; the browser is shared.
let browser;
test.after(() => browser && browser.close());
async function designer(fn) {
  browser = browser || await launchBrowser();
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  try {
    await openModelPage(page);
    await fn(page);
    assert.deepStrictEqual(await page.evaluate(() => __errors), [], 'no script errors');
  } finally {
    await page.close();
  }
}

// Places a control (by ID, on the selected form) as the developer would drag it.
async function place(page, id, left, top, extra = {}) {
  await page.evaluate(([id, left, top, extra]) => {
    const el = [...SelectedFormObj.querySelectorAll('[id]')].find((e) => e.id === id && e.hasAttribute('controlid'));
    el.style.left = left + 'px';
    el.style.top = top + 'px';
    Object.assign(el.style, extra);
  }, [id, left, top, extra]);
}

test('every control type is created on the selected form with its number and drawn', async () => {
  await designer(async (page) => {
    const created = await page.evaluate(async (creators) => {
      await NewForm();
      const form = SelectedFormObj;
      form.style.width = '640px'; form.style.height = '430px';
      FormBody(form).style.width = '640px'; FormBody(form).style.height = '411px';
      form.querySelector('#CloseFormX').style.left = '623px';
      const out = [];
      for (const c of creators) {
        await UpdateWhichFormHasTheFocus(form);
        const el = await window[c]();
        const r = el.getBoundingClientRect();
        out.push({ id: el.id, type: el.getAttribute('controltype'), form: el.getAttribute('parentformid'),
          inBody: el.parentElement === FormBody(form), w: r.width || el.tagName === 'IMG', h: r.height || el.tagName === 'IMG',
        selected: SelectedObj === el });
      }
      return out;
    }, CREATORS);
    assert.deepStrictEqual(created.map((c) => c.id), ['lbl1', 'txt1', 'btn1', 'chk1', 'opt1', 'cbo1', 'lst1', 'img1',
      'Table1', 'txtA1', 'fra1', 'tab1', 'Cal1', 'lnk1', 'uol1']);
    for (const c of created) {
      assert.ok(c.inBody && c.form === '1' && c.selected, c.id);
      assert.ok(c.w > 0 && c.h > 0, c.id + ' is drawn');
    }
    const parts = await page.evaluate(() => ({
      checkInput: document.getElementById('chk1').firstChild.outerHTML,
      calClick: document.getElementById('Cal1').getAttribute('c_onclick'),
      gridParts: ['Grid_Header_Table1', 'Grid_Scroll_Table1', 'Grid_Data_Table1'].map((id) => !!document.getElementById(id)),
      tabParts: [document.getElementById('tab1').firstChild.id, document.getElementById('TabTable_tab1').rows[0].cells.length],
      calCells: [!!document.getElementById('Header_Cal1'), document.getElementById('DisplayDate_Cal1').textContent],
    }));
    assert.match(parts.checkInput, /^<input type="checkbox" id="chk1"/);
    assert.strictEqual(parts.calClick, "=Cal_Clicked('Cal1',event);");
    assert.deepStrictEqual(parts.gridParts, [true, true, true]);
    assert.deepStrictEqual(parts.tabParts, ['TABContent_tab1', 3]);
    assert.deepStrictEqual(parts.calCells, [true, 'Apr 30, 2002']);

    // Laid out as a developer would, with a label in the frame and a button on a tab page.
    const spots = { lbl1: [12, 12], lnk1: [12, 40], txt1: [12, 66], btn1: [12, 98], chk1: [12, 134], opt1: [90, 134],
      cbo1: [12, 166], lst1: [90, 166], txtA1: [12, 222], uol1: [12, 330], fra1: [190, 20], img1: [190, 140],
      Table1: [190, 240], tab1: [420, 12], Cal1: [420, 150] };
    for (const [id, [l, t]] of Object.entries(spots)) await place(page, id, l, t);
    await page.evaluate(async () => {
      SelectedObj = document.getElementById('fra1');
      const inner = await NewLabel();
      inner.style.left = '10px'; inner.style.top = '30px';
      SelectedObj = document.getElementById('tab1');
      const b = await NewButton();
      b.style.left = '20px'; b.style.top = '20px';
      await UpdateWhichControlHasTheFocus(document.getElementById('btn1'));
    });
    await page.mouse.click(5, 5);
    await page.waitForFunction(() => document.getElementById('img1').complete);
    assert.ok(await page.evaluate(() => document.getElementById('img1').getBoundingClientRect().width > 0), 'img1 is drawn');
    const shot = screenshotPath('designer-form-every-control');
    await page.screenshot({ path: shot, clip: { x: 90, y: 40, width: 660, height: 450 } });
  });
});

test('controls inside a frame and a tab page, and tab pages keep their controls', async () => {
  await designer(async (page) => {
    const r = await page.evaluate(async () => {
      await NewForm();
      const frame = await NewFrame();
      const inFrame = await NewLabel();
      const tab = await NewTab();
      const onTab0 = await NewButton();
      return {
        frameChild: inFrame.parentElement === frame && inFrame.getAttribute('contained'),
        tabChild: onTab0.parentElement.id, contents: document.getElementById('Tab0').getAttribute('contents').includes('id="btn1"'),
        previousTab: SelectedPreviousTab === tab,
      };
    });
    assert.deepStrictEqual(r, { frameChild: 'true', tabChild: 'TABContent_tab1', contents: true, previousTab: true });

    // Click tab1 in the strip (on its bold caption), put a label there, and switch back and forth.
    await page.click('#TabTable_tab1 td:nth-child(2) b');
    const page1 = await page.evaluate(async () => {
      const before = document.getElementById('TABContent_tab1').innerHTML;
      SelectedObj = document.getElementById('tab1');
      const label = await NewLabel();
      return { before, label: label.id, previous: document.getElementById('tab1').getAttribute('previoustab') };
    });
    assert.deepStrictEqual(page1, { before: '', label: 'lbl2', previous: '1' });
    const contentIds = () => page.evaluate(() => [...document.getElementById('TABContent_tab1').querySelectorAll('[controlid]')].map((e) => e.id));
    await page.click('#TabTable_tab1 td:nth-child(1)');
    assert.deepStrictEqual(await contentIds(), ['btn1']);
    await page.click('#TabTable_tab1 td:nth-child(2)');
    assert.deepStrictEqual(await contentIds(), ['lbl2']);
    await page.click('#TabTable_tab1 td:nth-child(1) b');
    assert.deepStrictEqual(await contentIds(), ['btn1']);
    const selected = await page.evaluate(() => SelectedObj.id);
    assert.strictEqual(selected, 'tab1', 'clicking the strip selects the tab control');
  });
});

test('removing a form asks its own question and does not delete its file', async () => {
  await designer(async (page) => {
    const r = await page.evaluate(async () => {
      await NewForm();
      await DeleteRemoveForm(0, false);
      return { q: __messages[0].text, commands: __commands, count: NewFormCount, id: SelectedFormID, list: x_FormsList_x.options.length };
    });
    assert.deepStrictEqual(r, { q: 'Remove selected Form: Form1 from the Project?',
      commands: ['CreateNewForm', 'SaveExistingProject&false'], count: 0, id: 0, list: 0 });
  });
});

test('the three refusals', async () => {
  await designer(async (page) => {
    const r = await page.evaluate(async () => {
      const none = await NewLabel();
      const form = await NewForm();
      SelectedFormID = 0;
      const unselected = await NewLabel();
      await UpdateWhichFormHasTheFocus(form);
      form.querySelector('#CloseFormX').click();
      const hidden = await NewLabel();
      return { made: [none, unselected, hidden], messages: __messages, labels: form.getAttribute('glblcount') };
    });
    assert.deepStrictEqual(r.made, [null, null, null]);
    assert.deepStrictEqual(r.messages.map((m) => m.text), [
      'You must create a New Form, before you can add a new control.',
      'You must select an existing Form or create a New Form, before you can add a new control.',
      'You must select an existing visible Form or create a New Form, before you can add a new control.']);
    for (const m of r.messages) assert.deepStrictEqual([m.flags, m.title], [64, 'ZOLT']);
    assert.strictEqual(r.labels, '0', 'a refusal takes no number');
  });
});

test('clicking selects: a control with its frame and handles, a list item its list, the form body the form', async () => {
  await designer(async (page) => {
    await page.evaluate(async () => {
      await NewForm();
      const lbl = await NewLabel();
      const ul = await NewUnOrderedList();
      ul.style.left = '150px';
      const cal = await NewCalendar();
      cal.style.left = '200px'; cal.style.top = '150px';
      await UpdateWhichFormHasTheFocus(SelectedFormObj);
    });
    const frameOf = () => page.evaluate(() => {
      const layer = document.getElementById('x_SelectionFrames_x');
      const frames = layer && layer.style.display !== 'none' ? [...layer.children].filter((f) => f.style.display !== 'none') : [];
      return { selected: SelectedObj.id, frames: frames.length, handles: frames[0] ? frames[0].querySelectorAll('.x_SelHandle_x').length : 0,
        box: frames[0] ? [frames[0].style.left, frames[0].style.top] : null };
    });
    await page.click('#lbl1');
    await page.waitForTimeout(50);
    const lbl = await frameOf();
    const lblBox = await page.evaluate(() => { const r = document.getElementById('lbl1').getBoundingClientRect(); return [(r.left - 1) + 'px', (r.top - 1) + 'px']; });
    assert.deepStrictEqual(lbl, { selected: 'lbl1', frames: 1, handles: 8, box: lblBox });
    await page.click('#uol1 li:nth-child(2)');
    await page.waitForTimeout(50);
    assert.strictEqual((await frameOf()).selected, 'uol1');
    await page.click('#Cal1 td[title=Wednesday]');
    assert.strictEqual((await frameOf()).selected, 'Cal1');
    await page.click('#lbl1', { modifiers: ['Shift'] });
    await page.waitForTimeout(50);
    assert.strictEqual((await frameOf()).frames, 2, 'shift adds to the selection');
    const body = await page.evaluate(() => { const r = FormBody(SelectedFormObj).getBoundingClientRect(); return { x: r.right - 20, y: r.bottom - 20 }; });
    await page.mouse.click(body.x, body.y);
    await page.waitForTimeout(50);
    assert.deepStrictEqual(await frameOf(), { selected: 'Form1', frames: 0, handles: 0, box: null });
    const text = await page.evaluate(() => document.getElementById('lbl1').textContent);
    await page.click('#lbl1');
    await page.keyboard.type('xyz');
    assert.strictEqual(await page.evaluate(() => document.getElementById('lbl1').textContent), text, 'typing edits nothing');
  });
});

test('selecting forms: captions, front and forms list', async () => {
  await designer(async (page) => {
    const r = await page.evaluate(async () => {
      const f1 = await NewForm();
      const f2 = await NewForm();
      f2.style.left = '300px';
      const colours = () => [f1, f2].map((f) => f.querySelector('#CaptionBar').style.backgroundColor);
      const after2 = colours();
      await UpdateWhichFormHasTheFocus(f1);
      return { after2, after1: colours(), front: Number(f1.style.zIndex) > Number(f2.style.zIndex), list: x_FormsList_x.value };
    });
    assert.deepStrictEqual(r, { after2: ['rgb(170, 170, 170)', 'rgb(0, 0, 255)'], after1: ['rgb(0, 0, 255)', 'rgb(170, 170, 170)'], front: true, list: '1' });
  });
});

test('calendar date cell, stacking order and the form lock', async () => {
  await designer(async (page) => {
    const r = await page.evaluate(async () => {
      const form = await NewForm();
      const cal = await NewCalendar();
      cal.setAttribute('StartMonthIndex', '3');
      cal.setAttribute('StartYearIndex', '2');
      FormatDate(3, 'mm/dd/yyyy', 'Cal1', 1);
      const cell = document.getElementById('DisplayDate_Cal1');
      const date = [cell.textContent, cell.getAttribute('formatstyle')];
      const lbl = await NewLabel();
      bProjectInfoChanged = false;
      BringToFront(cal);
      const front = [Number(cal.style.zIndex) === zIndexCounter, bProjectInfoChanged];
      SendToBack(cal);
      document.body.insertAdjacentHTML('beforeend', '<table id=FormMenu><tr><td>&nbsp;Lock form</td></tr></table>');
      await LockForm();
      const locked = [form.getAttribute('locked'), document.querySelector('#FormMenu td').textContent];
      await LockForm();
      return { date, front, back: cal.style.zIndex, locked, unlocked: form.getAttribute('locked') };
    });
    assert.deepStrictEqual(r, { date: ['3/1/2002', 'mm/dd/yyyy'], front: [true, true], back: '0',
      locked: ['true', '\u00a0un-Lock form'], unlocked: 'false' });
  });
});

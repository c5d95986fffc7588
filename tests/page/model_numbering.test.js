'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadModel, fakeElement } = require('./helpers/model');

function withForms() {
  const ctx = loadModel();
  const form1 = fakeElement({ ParentFormID: 1, GLblCount: 0, GBtnCount: 0 });
  const form2 = fakeElement({ ParentFormID: 2, GLblCount: 0, GBtnCount: 0 });
  const select = (form) => { ctx.SelectedFormObj = form; ctx.SelectedObj = form; };
  return { ctx, form1, form2, select };
}

test('control numbers count per form and per type', () => {
  const { ctx, form1, form2, select } = withForms();
  select(form1);
  assert.deepStrictEqual([ctx.GetUniqueControlID('L', 'GLblCount'), ctx.GetUniqueControlID('L', 'GLblCount')], [1, 2]);
  assert.strictEqual(ctx.GetUniqueControlID('B', 'GBtnCount'), 1);
  assert.strictEqual(form1.getAttribute('GLblCount'), '2');
  select(form2);
  assert.strictEqual(ctx.GetUniqueControlID('L', 'GLblCount'), 1, 'the same number on a second form');
});

test('freed numbers below 1000 are reused on their own form and type only, lowest first', () => {
  const { ctx, form1, form2, select } = withForms();
  select(form1);
  for (let k = 0; k < 4; k++) ctx.GetUniqueControlID('L', 'GLblCount');
  ctx.UpdateControlDeleteArray('L', 3, 1);
  ctx.UpdateControlDeleteArray('L', 2, 1);
  ctx.UpdateControlDeleteArray('B', 1, 1);
  ctx.UpdateControlDeleteArray('L', 1000, 1); // numbers of 1000 and above are never taken again
  select(form2);
  assert.strictEqual(ctx.GetUniqueControlID('L', 'GLblCount'), 1, 'a label freed on Form1 is not taken on Form2');
  select(form1);
  assert.strictEqual(ctx.GetUniqueControlID('L', 'GLblCount'), 2);
  assert.strictEqual(ctx.GetUniqueControlID('L', 'GLblCount'), 3);
  assert.strictEqual(ctx.GetUniqueControlID('L', 'GLblCount'), 5, 'the counter goes on once no number is free');
  assert.strictEqual(ctx.GetUniqueControlID('B', 'GBtnCount'), 1);
});

test('freeing fills the first empty entry but the last, else grows the list', () => {
  const { ctx, form1, select } = withForms();
  select(form1);
  ctx.UpdateControlDeleteArray('L', 1);
  assert.deepStrictEqual(Array.from(ctx.arrControlDelete), ['L/1/1', '']);
  ctx.UpdateControlDeleteArray('T', 4, 2);
  assert.deepStrictEqual(Array.from(ctx.arrControlDelete), ['L/1/1', '', 'T/4/2']);
  ctx.arrControlDelete[0] = '';
  ctx.UpdateControlDeleteArray('B', 7, 3);
  assert.strictEqual(ctx.arrControlDelete[0], 'B/7/3');
  ctx.ForgetFreedControlNumbers(2);
  assert.deepStrictEqual(Array.from(ctx.arrControlDelete), ['B/7/3', '', '']);
});

test('form numbers: the lowest freed one first, at most ten remembered, never one in use', () => {
  const ctx = loadModel();
  assert.strictEqual(ctx.TakeFreedFormNumber(), 0);
  ctx.RememberFreedFormNumber(5);
  ctx.RememberFreedFormNumber(2);
  assert.strictEqual(ctx.TakeFreedFormNumber(), 2);
  assert.strictEqual(ctx.TakeFreedFormNumber(), 5);
  for (let n = 1; n <= 11; n++) ctx.RememberFreedFormNumber(n);
  assert.deepStrictEqual(Array.from(ctx.arrNewFormOrder).slice(1), [1, 2, 3, 4, 5, 6, 7, 8, 9, 10],
    'the eleventh freed number is not remembered');
  const inUse = new Set([12]);
  assert.strictEqual(ctx.NextFormNumber(0, 12, (k) => inUse.has(k)), 1);
  assert.strictEqual(ctx.NextFormNumber(2, 12, (k) => inUse.has(k)), 2);
  assert.strictEqual(ctx.NextFormNumber(0, 3, () => false), 3);
});

test('no control without a visible selected form: each refusal says why', async () => {
  const ctx = loadModel();
  const boxes = [];
  Object.assign(ctx, { vbOKOnly: 0, vbInformation: 64, MsgBox: async (...a) => { boxes.push(a); } });
  const form = Object.assign(fakeElement({ ParentFormID: 1 }), { isConnected: true });
  const cases = [
    // [forms made, selected form ID, form shown?, connected?] -> message
    [[0, '', true, true], ctx.RefusalNoForm], [[1, 0, true, true], ctx.RefusalNoSelectedForm],
    [[1, 1, true, false], ctx.RefusalNoSelectedForm], [[1, 1, false, true], ctx.RefusalHiddenForm], [[1, 1, true, true], null],
  ];
  for (const [[made, id, shown, connected], message] of cases) {
    Object.assign(ctx, { NewFormCount: made, SelectedFormID: id, SelectedFormObj: form });
    Object.assign(form, { isConnected: connected, style: { display: shown ? '' : 'none' } });
    boxes.length = 0;
    assert.strictEqual(await ctx.CheckIfFormAvailableForNewControl(), message === null, String(message));
    assert.deepStrictEqual(boxes, message === null ? [] : [[message, 64, 'ZOLT']]);
  }
});

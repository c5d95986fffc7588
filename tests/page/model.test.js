'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadModel, fakeElement, openingTagAttributes } = require('./helpers/model');

const ctx = loadModel();

const EXPECTED = {
  // code: [tag, temporary ID, final ID, name, first type attribute, caption]
  L: ['DIV', 'xL_xBx_Lx', 'lbl1', 'lbl1', 'backcolorindex', 'label1'],
  T: ['INPUT', 'xT_xXx_Tx', 'txt1', 'txt1', 'type', 'Text1'],
  B: ['BUTTON', 'xB_xTx_Nx', 'btn1', 'btn1', 'backcolorindex', 'Button1'],
  CK: ['DIV', 'xD_xCHx_Kx', 'chk1', 'chk1', 'backcolorindex', 'Chk1'],
  O: ['DIV', 'xD_xOPx_Tx', 'opt1', 'opt1', 'backcolorindex', 'Opt1'],
  CB: ['SELECT', 'xC_xBx_Ox', 'cbo1', 'cbo1', 'db_datasrc', null],
  LB: ['SELECT', 'xL_xSx_Tx', 'lst1', 'lst1', 'multiple_index', null],
  IM: ['IMG', 'xI_xMx_Gx', 'img1', 'img1', 'src', null],
  TBL: ['DIV', 'xT_xBx_Lx', 'Table1', 'Table1', 'colcount', null],
  TXTA: ['TEXTAREA', 'xT_xXTx_Ax', 'txtA1', 'txtA1', 'wrap', null],
  FRA: ['DIV', 'xF_xRx_Ax', 'fra1', 'Frame1', 'backcolorindex', 'Frame1'],
  TAB: ['DIV', 'xT_xAx_Bx', 'tab1', 'Tab1', 'bordercolorindex', null],
  CAL: ['TABLE', 'xC_xAx_Lx', 'Cal1', 'Cal1', 'id_cal_write', null],
  LNK: ['A', 'xL_xNx_Kx', 'lnk1', 'lnk1', 'href', 'link1'],
  UL: ['DIV', 'xU_xOx_Lx', 'uol1', 'uol1', 'backcolorindex', null],
};

test('every control type: identity, common attributes first, caption and designer handlers', () => {
  assert.deepStrictEqual(Object.keys(ctx.ControlTypes).sort(), Object.keys(EXPECTED).sort());
  for (const [code, [tag, temp, finalId, name, firstOwn, caption]] of Object.entries(EXPECTED)) {
    const t = ctx.ControlTypes[code];
    const m = openingTagAttributes(t.markup(1, 3));
    assert.deepStrictEqual(m.attrs.slice(0, 10), [['id', temp], ['name', name], ['controltype', code],
      ['controlid', '1'], ['parentformid', '3'], ['f_declarations', null], ['x_upda_' + code.toLowerCase() + '_tes_x', null],
      ['hassomecode', code === 'CAL' ? 'true' : 'false'], ['recorded', 'false'], ['contained', 'false']], code);
    // Last: no attribute is written twice.
    assert.deepStrictEqual([m.tag, t.temp, t.prefix + 1, m.attrs[10][0], m.get('caption') ?? null, m.get('oncontrolselect'),
      new Set(m.attrs.map(([k]) => k)).size], [tag, temp, finalId, firstOwn, caption,
      code === 'TAB' ? undefined : 'UpdateWhichControlHasTheFocus(this)', m.attrs.length], code);
  }
});

// Controls' parts and new forms: properties_controls and arrange end-to-end tests.
test('a text area keeps its own double click and watches the Delete key', () => {
  const area = openingTagAttributes(ctx.TextAreaMarkup(1, 1));
  assert.deepStrictEqual([area.get('onkeydown'), area.get('ondblclick')], ['CheckDelete(this.ControlID)', undefined]);
});

test('BringUpToDateForm leaves current markup alone and upgrades older markup', () => {
  const markup = '<IMG x_Upda_IM_tes_x ID=img1><img x_upda_im_tes_x id=img2>';
  assert.strictEqual(ctx.BringUpToDateForm(markup, ' v1.01 '), markup);
  const up = ctx.BringUpToDateForm(markup, 'V1.00');
  assert.strictEqual((up.match(/ x_Upda_IM_tes_x CursorStyleIndex=0 CursorStyle='default' /g) || []).length, 2);
  assert.strictEqual(ctx.BringUpToDateForm(up, 'V1.00').match(/CursorStyleIndex/g).length, 4,
    'the marker stays, so a later upgrade can extend the element again');
  const byRef = { value: markup };
  assert.strictEqual(ctx.BringUpToDateForm(byRef, 'V1.00'), up);
  assert.strictEqual(byRef.value, up, 'the host gets the markup back through its first argument');
});

function withForms() {
  const ctx = loadModel();
  const form1 = fakeElement({ ParentFormID: 1, GLblCount: 0, GBtnCount: 0 });
  const form2 = fakeElement({ ParentFormID: 2, GLblCount: 0, GBtnCount: 0 });
  const select = (form) => { ctx.SelectedFormObj = form; ctx.SelectedObj = form; };
  return { ctx, form1, form2, select };
}

test('control numbers count per form and type; freed ones below 1000 come back on their form and type, lowest first', () => {
  const { ctx, form1, form2, select } = withForms();
  const label = () => ctx.GetUniqueControlID('L', 'GLblCount');
  select(form1);
  assert.deepStrictEqual([label(), label(), ctx.GetUniqueControlID('B', 'GBtnCount'), form1.getAttribute('GLblCount')],
    [1, 2, 1, '2']);
  label();
  label();
  ctx.UpdateControlDeleteArray('L', 3, 1);
  ctx.UpdateControlDeleteArray('L', 2, 1);
  ctx.UpdateControlDeleteArray('B', 1, 1);
  ctx.UpdateControlDeleteArray('L', 1000, 1); // numbers of 1000 and above are never taken again
  select(form2);
  assert.strictEqual(label(), 1, 'a number of Form1, freed or not, is taken on Form2');
  select(form1);
  assert.deepStrictEqual([label(), label(), label(), ctx.GetUniqueControlID('B', 'GBtnCount')], [2, 3, 5, 1],
    'the counter goes on once no number is free');
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
  assert.deepStrictEqual([ctx.TakeFreedFormNumber(), ctx.TakeFreedFormNumber()], [2, 5]);
  for (let n = 1; n <= 11; n++) ctx.RememberFreedFormNumber(n);
  assert.deepStrictEqual(Array.from(ctx.arrNewFormOrder).slice(1), [1, 2, 3, 4, 5, 6, 7, 8, 9, 10],
    'the eleventh freed number is not remembered');
  const inUse = (k) => k === 12;
  assert.deepStrictEqual([[0, 12, inUse], [2, 12, inUse], [0, 3, () => 0]].map((a) => ctx.NextFormNumber(...a)), [1, 2, 3]);
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

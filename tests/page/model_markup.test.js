'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadModel, openingTagAttributes } = require('./helpers/model');

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
    assert.strictEqual(m.tag, tag, code);
    assert.strictEqual(t.temp, temp, code);
    assert.strictEqual(t.prefix + 1, finalId, code);
    assert.deepStrictEqual(m.attrs.slice(0, 10), [['id', temp], ['name', name], ['controltype', code],
      ['controlid', '1'], ['parentformid', '3'], ['f_declarations', null], ['x_upda_' + code.toLowerCase() + '_tes_x', null],
      ['hassomecode', code === 'CAL' ? 'true' : 'false'], ['recorded', 'false'],
      ['contained', 'false']], code);
    assert.strictEqual(m.attrs[10][0], firstOwn, code);
    assert.strictEqual(m.get('caption'), caption === null ? undefined : caption, code);
    const names = m.attrs.map(([k]) => k);
    assert.strictEqual(new Set(names).size, names.length, code + ' has no attribute twice');
    const common = !['TBL', 'TXTA', 'TAB'].includes(code);
    assert.strictEqual(m.get('oncontrolselect'), common || code === 'TBL' || code === 'TXTA' ? 'UpdateWhichControlHasTheFocus(this)' : undefined, code);
  }
});

test('type-specific defaults and children', () => {
  const label = ctx.LabelMarkup(1, 1);
  assert.strictEqual(openingTagAttributes(label).get('backcolorrgbvalue'), '#transparent');
  assert.match(label, />label1<\/DIV>$/);
  assert.match(openingTagAttributes(label).get('style'), /width=39;height=18; top: 50; left: 50; z-index=5$/);

  // A check box's DIV and its input carry the same ID once the DIV is renamed;
  // the input is the DIV's first child node.
  assert.match(ctx.CheckBoxMarkup(4, 1), /><INPUT type=checkbox ID=chk4 Recorded=false onClick="return false" Contained=false ondragstart="return false" ControlType=CK>&nbsp; Chk4<\/DIV>$/);
  assert.match(ctx.OptionMarkup(2, 1), /><INPUT type=radio ID=opt2 Recorded=false Contained=false ondragstart="return false" ControlType=O>&nbsp; Opt2<\/DIV>$/);
  assert.strictEqual(openingTagAttributes(ctx.OptionMarkup(2, 1)).get('controlarray'), 'false');
  assert.match(ctx.ComboMarkup(2, 1), /<OPTION value=none>Cbo2<\/OPTION><\/SELECT>$/);
  assert.match(ctx.ListBoxMarkup(2, 1), /<OPTION value=none>Lst2<\/OPTION><\/SELECT>$/);
  assert.strictEqual(openingTagAttributes(ctx.ImageMarkup(1, 1)).get('src'), 'http://host/app/Images/StartImage.jpg');
  assert.match(ctx.UnOrderedListMarkup(1, 1), /(<LI onclick="SelectParentControl\(this.parentElement\)">Item \d<\/LI>){3}<\/DIV>$/);
  assert.match(ctx.FrameMarkup(2, 1), /><SPAN ID=FraCaption Contained=false oncontrolselect="return false" style="[^"]*">Frame2<\/SPAN><\/DIV>$/);
  assert.strictEqual(openingTagAttributes(ctx.TextAreaMarkup(1, 1)).get('onkeydown'), 'CheckDelete(this.ControlID)');
  assert.strictEqual(openingTagAttributes(ctx.TextAreaMarkup(1, 1)).get('ondblclick'), undefined);

  const grid = ctx.TableMarkup(3, 1);
  for (const part of ['Grid_Header_Table3', 'Grid_Scroll_Table3', 'Grid_Data_Table3']) assert.ok(grid.includes('ID=' + part), part);
  assert.strictEqual((grid.match(/<TD class=Col1 width=100>1<\/TD><TD class=Col width=100>2<\/TD>/g) || []).length, 4);
  assert.match(grid, /<TH width=100>H1<\/TH><TH width=100>H2<\/TH>/);

  const tab = ctx.TabMarkup(1, 1);
  assert.match(tab, /><DIV ID=TABContent_tab1 /, 'the content area is the first child node');
  assert.ok(tab.includes('<TABLE ID=TabTable_tab1 '));
  assert.deepStrictEqual([...tab.matchAll(/<TD ID=(Tab\d) Name=\1 Caption=(tab\d) Contents=""/g)].map((x) => x[2]), ['tab0', 'tab1', 'tab2']);

  const cal = ctx.CalendarMarkup(1, 1);
  assert.ok(cal.includes('<TD ID=Header_Cal1 ') && cal.includes('<TD ID=DisplayDate_Cal1 Caption="Apr 30, 2002"'));
  assert.match(cal, /<TD align=center title=Sunday>28<\/TD><TD align=center title=Monday>29<\/TD><TD align=center title=Tuesday>30<\/TD>(<TD align=center title=\w+>&nbsp;<\/TD>){4}<\/TR><\/TABLE>$/);
});

test('a new form: number in ID, name, caption and title bar; counters; stacking order', () => {
  const form = ctx.FormMarkup(2, 7);
  const m = openingTagAttributes(form);
  assert.deepStrictEqual(m.attrs.slice(0, 3), [['id', 'xG_xEx_Nx'], ['formclosefunc', ''], ['x_upda_f_tes_x', null]]);
  assert.strictEqual(m.get('name'), 'Form2');
  assert.strictEqual(m.get('caption'), 'Form2');
  assert.strictEqual(m.get('parentformid'), '2');
  assert.match(m.get('style'), /z-index:7$/);
  assert.strictEqual(m.get('glnkcount'), '0');
  assert.match(form, /background-color:#0000FF'>Form2<\/B><img /);
  assert.match(form, /LEFT:383px; TOP:2px;z-index:50;/);
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

'use strict';
// The property window's rules that need no page.
const test = require('node:test');
const assert = require('node:assert');
const { loadProperties } = require('./helpers/model');

const ctx = loadProperties();

test('names: letters, digits and the underscore only, and none the built page means something by', () => {
  const cases = [
    ['my_label', ''], ['2nd', ''], ['Orders', ''], ['Document', ''], ['_', ''],
    ['my label', 'characters'], ['', 'characters'], ['a-b', 'characters'], ['x.y', 'characters'], ["o'k", 'characters'],
    ['tab\t1', 'characters'], ['caf\u00e9', 'characters'], ['a[0]', 'characters'], ['a@b', 'characters'],
    ['document', 'reserved'], ['drag', 'reserved'], ['Cal_Clicked', 'reserved'], ['function', 'reserved'],
    ['window', 'reserved'], ['ShowForm', 'reserved'], ['undefined', 'reserved'],
  ];
  assert.deepStrictEqual(cases.map(([name]) => [name, ctx.NameRefusal(name)]), cases);
});

test('a calendar\'s click function is completed and called with the clicked day and the event', () => {
  const cases = [
    ['ProcessClick()', 'ProcessClick()', "=Cal_Clicked('Cal1',event,'ProcessClick(pCallD,pE)')"],
    ['Show(3)', 'Show(3)', "=Cal_Clicked('Cal1',event,'Show(3,pCallD,pE)')"],
    ['Show(3', 'Show(3)', "=Cal_Clicked('Cal1',event,'Show(3,pCallD,pE)')"],
    ['Show)', 'Show()', "=Cal_Clicked('Cal1',event,'Show(pCallD,pE)')"],
    [' Show ', 'Show()', "=Cal_Clicked('Cal1',event,'Show(pCallD,pE)')"],
    ["Say('hi')", "Say('hi')", "=Cal_Clicked('Cal1',event,'Say(\\'hi\\',pCallD,pE)')"],
    ['', '', "=Cal_Clicked('Cal1',event);"],
  ];
  assert.deepStrictEqual(cases.map(([typed]) => {
    const func = ctx.CompleteClickFunction(typed);
    return [typed, func, ctx.CalendarClickHandler('Cal1', func)];
  }), cases);
});

test('column counts compare as numbers: the columns added, or how many go', () => {
  const cases = [[2, 3, [2], 0], ['9', '10', [9], 0], [9, 10, [9], 0], [10, 2, [], 8], [3, 3, [], 0], ['', 2, [0, 1], 0]];
  assert.deepStrictEqual(cases.map(([count, number]) => {
    const change = ctx.ColumnChange(count, number);
    return [count, number, Array.from(change.add), change.remove];
  }), cases);
});

test('tab counts: at least one tab; fewer remove, more add', () => {
  const cases = [[3, 5, { add: 2 }], [5, 2, { remove: 3 }], [3, '0', { refuse: 'none' }], [3, '', { refuse: 'number' }],
    [3, 3, {}], ['3', '10', { add: 7 }]];
  assert.deepStrictEqual(cases.map(([current, wanted]) => [current, wanted, { ...ctx.TabCountChange(current, wanted) }]), cases);
});

test('every table starts with the name, holds each field once, and every field does something', () => {
  const listOnly = ['PropertyUnOrderedList'];  // changed through its buttons
  for (const type of ctx.PropertyTypeCodes) {
    const rows = ctx.PropertyRowsOf(type);
    assert.strictEqual(rows[0].fields[0].name, 'PropertyName', type);
    const names = Array.from(rows).flatMap((r) => Array.from(r.fields, (f) => f.name));
    assert.deepStrictEqual(names, [...new Set(names)], type + ' has a field twice');
    const idle = names.filter((n) => !ctx.PropertyEffects[n] && !listOnly.includes(n));
    assert.deepStrictEqual(idle, [], type);
  }
});

test('only back colour lists offer "transparent", and not the combo box\'s nor the style lists', () => {
  const options = (name, type) => (ctx.BuildColorCombo(name, type).match(/<OPTION /g) || []).length;
  assert.deepStrictEqual([
    options('PropertyBackColor', 'L'), options('PropertyHeaderBackColor', 'TBL'), options('PropertyBackColor', 'CB'),
    options('PropertyFontColor', 'L'), options('BackColor', 'Style')], [218, 218, 217, 217, 217]);
  assert.match(ctx.BuildColorCombo('PropertyBackColor', 'L'), /value="#transparent" style="background-color:transparent"/);
  assert.doesNotMatch(ctx.BuildColorCombo('BackColor', 'Style'), /onchange/);
});

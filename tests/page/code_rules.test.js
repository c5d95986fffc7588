'use strict';
// The code window's rules that need no page.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const { loadProperties } = require('./helpers/model');

const ROOT = path.join(__dirname, '..', '..');

// A list box as the page has it: options with text and value.
function listBox(texts) {
  const box = {
    options: [],
    add(o) { this.options.push(o); },
    remove(k) { this.options.splice(k, 1); },
  };
  texts.forEach((t) => box.add({ text: t, value: t.replace(/\(.*$/, '') }));
  return box;
}

const RUNTIME = ['BringToFront(pFormName)', 'CenterForm(pFormName)', 'CloseForm(pFormIdName)', 'GetCookie(cookieName)',
  'SendData(pUrl,pDataSendingToUrl,pFunctionName)', 'SetCalDate(pCalName,pDate)',
  'SetCookie(cookieName,cookieValue,numberOfDays)',
  'ShowForm(pFormIDName,pLeftPosition,pTopPosition,pUseFormsLastPosition,pFuncNameToCall)'];

function loadCode(funcList = []) {
  const ctx = loadProperties();
  const boxes = [];
  const list = listBox(RUNTIME.concat(funcList));
  ctx.document = { getElementById: (id) => (id === 'x_FuncList_x' ? list : null) };
  ctx.Option = function (text, value) { this.text = text; this.value = value; };
  ctx.MsgBox = (text, flags, title) => { boxes.push({ text, flags, title }); return Promise.resolve(1); };
  ctx.vbOKOnly = 0;
  ctx.vbInformation = 64;
  for (const f of ['names.js', 'window.js', 'functions.js', 'funclist.js', 'find.js']) {
    vm.runInContext(fs.readFileSync(path.join(ROOT, 'designer', 'code', f), 'utf8'), ctx, { filename: f });
  }
  return { ctx, boxes, entries: () => list.options.slice(RUNTIME.length).map((o) => o.text) };
}

test('function names: refused with their message, spaces made underscores, a name taken asks or is refused', () => {
  const { ctx } = loadCode();
  const reserved = (w) => `(${w}) is a reserved word in 'Velkora'.\nYou must enter a different function name.`;
  const own = ['Declarations', 'Validate'];
  const listed = RUNTIME.concat(['Total(a,b)']);
  const cases = [
    ['Validate2', { name: 'Validate2' }],
    ['my func', { name: 'my_func' }],
    ['  trimmed ', { name: 'trimmed' }],
    ['_x1', { name: '_x1' }],
    ['declarations', { refuse: reserved('Declarations') }],
    ['Function', { refuse: reserved('Function') }],
    ['if', { refuse: reserved('if') }],
    ['ShowForm', { refuse: reserved('ShowForm') }],
    ['5Searches', { refuse: 'Function names cannot begin with numeric characters.\nExample: 5Searches, is a bad name.' }],
    ['a(b)', { refuse: ctx.FunctionNameMessages.characters }],
    ['caf\u00e9', { refuse: 'A function name may hold only letters, digits and the underscore.' }],
    ['a.b', { refuse: 'A function name may hold only letters, digits and the underscore.' }],
    ['validate', { refuse: 'A function with the name: validate already exists.' }],
    ['Total', { name: 'Total', ask: 'A function with the name: Total already exists.\nUse this name anyways?' }],
    ['total', { name: 'total' }],
  ];
  assert.deepStrictEqual(cases.map(([typed]) => [typed, { ...ctx.CheckFunctionNameText(typed, own, listed) }]), cases);
  assert.strictEqual(ctx.FunctionNameMessages.characters,
    'The following Characters cannot be used in a Function name:\n!,@,#,$,%,^,&,*,(,),-,+,=,~,`,\',",;,:,<,>,?,/,[,],{,},|,\\');
});

test('the first line keeps the function\'s name; its parameter list shows in the function list', () => {
  const { ctx, boxes, entries } = loadCode(['MyFunc()', 'Other(x)']);
  ctx.CodeShown = { kind: 'F', name: 'MyFunc' };
  ctx.GsPreviousFuncNameAndParameters = 'MyFunc';
  // [first line as the change leaves it, text left empty, allowed, list entries, last seen]
  const steps = [
    ['function MyFunc() {', false, true, ['MyFunc()', 'Other(x)'], 'MyFunc()'],
    ['function MyFunc(a,b) {', false, true, ['MyFunc(a,b)', 'Other(x)'], 'MyFunc(a,b)'],
    ['function MyFunc2(a,b) {', false, false, ['MyFunc(a,b)', 'Other(x)'], 'MyFunc(a,b)'],
    ['function myfunc(a,b) {', false, false, ['MyFunc(a,b)', 'Other(x)'], 'MyFunc(a,b)'],
    ['function (a) {', false, false, ['MyFunc(a,b)', 'Other(x)'], 'MyFunc(a,b)'],
    ['', true, true, ['MyFunc(a,b)', 'Other(x)'], 'MyFunc(a,b)'],
    ['  function   MyFunc( a )   { // the sum', false, true, ['MyFunc( a )', 'Other(x)'], 'MyFunc( a )'],
  ];
  const seen = steps.map(([line, empty]) => [line, empty, ctx.CheckIfFunctionParametersChanged(line, empty),
    entries(), ctx.GsPreviousFuncNameAndParameters]);
  assert.deepStrictEqual(seen, steps);
  assert.deepStrictEqual(boxes.map((b) => b.text), Array(3).fill("To change the function name please use the 'CHANGE' button above."));

  // Declarations and events are not watched.
  for (const shown of [{ kind: 'F', name: 'Declarations' }, { kind: 'C', name: 'onclick' }]) {
    ctx.CodeShown = shown;
    assert.strictEqual(ctx.CheckIfFunctionParametersChanged('anything', false), true);
  }
});

test('function list upkeep: each new name once in any case, entries renamed and removed by name', () => {
  const { ctx, entries } = loadCode();
  ctx.AddFuncListEntry('MyFunc()');
  ctx.AddFuncListEntry('myfunc()');
  ctx.AddFuncListEntry('Total()');
  assert.deepStrictEqual(entries(), ['MyFunc()', 'Total()']);
  ctx.UpdateFuncList('MyFunc', 'CH', 'Greet(name)');
  ctx.UpdateFuncList('Missing', 'CH', 'Nothing()');
  assert.deepStrictEqual(entries(), ['Greet(name)', 'Total()']);
  // Found by the name before "(": "Greet" is not "Gree".
  ctx.UpdateFuncList('Total', 'R');
  ctx.UpdateFuncList('Gree', 'R');
  assert.deepStrictEqual(entries(), ['Greet(name)']);
  assert.deepStrictEqual(['function Greet(name, age) {\r\n}', 'var x;'].map((c) => ctx.ParameterListOf(c)), ['(name, age)', '()']);
});

test('stored text: old line breaks decode; other ampersands stay; names keep their case from the code', () => {
  const { ctx } = loadCode();
  const decoded = [
    ['a&13;b', 'a\r\nb'], ['a&13;&10;b', 'a\r\nb'], ['x&9;y', 'x\ty'], ['if (a && b) {}', 'if (a && b) {}'],
    ['a&13;b && c', 'a\r\nb && c'], ['plain', 'plain'], ['end&13', 'end\r\n'],
  ];
  assert.deepStrictEqual(decoded.map(([t]) => [t, ctx.DecodeStoredCode(t)]), decoded);
  const names = [
    ['f_myfunc', 'function MyFunc(a) {', 'MyFunc'], ['f_declarations', '', 'Declarations'],
    ['f_total', '// Total of the rows', 'Total'], ['f_sum', '', 'sum'], ['F_Add', 'function Adder() {', 'Add'],
  ];
  assert.deepStrictEqual(names.map(([a, code]) => [a, code, ctx.FunctionNameOf(a, code)]), names);
});

test('renaming inside code and finding text: whole words, case, places', () => {
  const { ctx } = loadCode();
  const renamed = [
    ['lbl1.innerHTML = lbl10 + xlbl1 + lbl1_a;', 'lbl1.innerHTML = lbl10 + xlbl1 + lbl1_a;'.replace(/^lbl1/, 'lblName')],
    ['f(lbl1,lbl1)', 'f(lblName,lblName)'],
    ['$lbl1 + lbl1$', '$lbl1 + lbl1$'],
    ['LBL1 + lbl1', 'LBL1 + lblName'],
  ];
  assert.deepStrictEqual(renamed.map(([t]) => [t, ctx.ReplaceWholeWord(t, 'lbl1', 'lblName')]), renamed);
  const text = 'cat(dog, Cat);\ncatalog = cat;';
  const finds = [
    ['cat', 0, false, { from: 0, to: 3 }], ['cat', 1, false, { from: 9, to: 12 }], ['cat', 12, false, { from: 15, to: 18 }],
    ['cat', 12, true, { from: 25, to: 28 }], ['CAT', 26, true, null], ['', 0, false, null], ['dog, c', 0, false, { from: 4, to: 10 }],
  ];
  assert.deepStrictEqual(finds.map(([s, from, whole]) => {
    const m = ctx.FindCodeMatch(text, s, from, whole);
    return [s, from, whole, m && { ...m }];
  }), finds);
});

test('syntax errors of functions, and of event handlers as the built page writes them', async () => {
  const { syntaxError } = await import(path.join(ROOT, 'designer', 'code', 'editor.mjs'));
  const check = (code, event) => {
    const e = syntaxError(code, event);
    return e && [e.line, e.column, e.message];
  };
  const cases = [
    ['function f(a) {\r\n\treturn a + 1;\r\n}', '', null],
    ['function f(a) {\r\n\treturn a +;\r\n}', '', [2, 11, 'Unexpected token']],
    ['return 1;', '', [1, 0, "'return' outside of function"]],
    ['let a = 1;\nlet a = 2;', '', [2, 4, "Identifier 'a' has already been declared"]],
    ['if (x) { return false; }', 'onclick', null],
    ["alert('hi')", 'onclick', null],
    ['MyFunc(1) // greet', 'onclick', null],
    ['alert("it\'s")', 'onmouseover', [1, 10, "Unexpected token (an event's single quotes are written as double quotes: " +
      'write a quote inside text as \\x27)']],
    ['alert("it\\x27s")', 'onmouseover', null],
    ['alert(', 'onclick', [1, 6, 'Unexpected token']],
  ];
  assert.deepStrictEqual(cases.map(([code, event]) => [code, event, check(code, event)]), cases);
});

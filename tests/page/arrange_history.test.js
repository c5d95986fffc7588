'use strict';
// The undo stack and the names a pasted control takes.
const test = require('node:test');
const assert = require('node:assert');
const { loadArrange } = require('./helpers/arrange');

// A history whose steps only log what is done to them.
function history() {
  const ctx = loadArrange();
  const log = [];
  ctx.ApplyHistoryStep = (step, undo) => log.push((undo ? 'undo ' : 'redo ') + step.label);
  ctx.SelectStepChanges = async () => {};
  const commit = (label, options = {}) => ctx.CommitStep({ label, view: !!options.view, merge: options.merge || '',
    nodes: [], attrs: options.attrs || [], before: null, after: null });
  return { ctx, log, commit, taken: () => log.splice(0) };
}

test('undo and redo walk the steps in order; view entries go with the step below them', async () => {
  const { ctx, commit, taken } = history();
  commit('new label');
  commit('tab 1 shown', { view: true });
  commit('move');
  await ctx.Undo();
  assert.deepStrictEqual(taken(), ['undo move']);
  await ctx.Undo();
  assert.deepStrictEqual(taken(), ['undo tab 1 shown', 'undo new label']);
  assert.strictEqual(ctx.CanUndo(), false);
  await ctx.Undo();
  assert.deepStrictEqual(taken(), [], 'nothing left to undo');
  await ctx.Redo();
  assert.deepStrictEqual(taken(), ['redo new label', 'redo tab 1 shown']);
  await ctx.Redo();
  assert.deepStrictEqual(taken(), ['redo move']);
  assert.strictEqual(ctx.bProjectInfoChanged, true, 'undo and redo mark the project changed');
  await ctx.Undo();
  commit('delete');
  assert.strictEqual(ctx.CanRedo(), false, 'a new step ends what could be redone');
  taken();
  ctx.ClearUndoHistory();
  await ctx.Undo();
  assert.deepStrictEqual([taken(), ctx.CanUndo()], [[], false], 'an opened or new project starts with no history');
});

test('a run of nudges is one step until the run ends; at least 100 steps are kept', async () => {
  const { ctx, commit, taken } = history();
  const el = {};
  for (const [before, after] of [['a', 'b'], ['b', 'c'], ['c', 'd']]) {
    commit('nudge', { merge: 'Nudge', attrs: [{ el, name: 'style', before, after }] });
  }
  assert.strictEqual(ctx.UndoSteps.length, 1);
  assert.deepStrictEqual([ctx.UndoSteps[0].attrs[0].before, ctx.UndoSteps[0].attrs[0].after], ['a', 'd']);
  ctx.EndChangeRun();
  commit('nudge', { merge: 'Nudge' });
  assert.strictEqual(ctx.UndoSteps.length, 2, 'a click or another key ends the run');

  for (let k = 0; k < 250; k++) commit('step ' + k);
  assert.ok(ctx.UndoLimit >= 100 && ctx.UndoSteps.length === ctx.UndoLimit);
  await ctx.Undo();
  assert.deepStrictEqual(taken(), ['undo step 249']);
});

test('a pasted control\'s parts, name and code follow its new ID', () => {
  const ctx = loadArrange();
  const ids = [
    ['Grid_Header_Table1', 'Table1', 'Table2', 'Grid_Header_Table2'],
    ['TABContent_tab1', 'tab1', 'tab3', 'TABContent_tab3'],
    ['Header_Cal1', 'Cal1', 'Cal4', 'Header_Cal4'],
    ['chk1', 'chk1', 'chk2', 'chk2'],
    ['lbl10', 'lbl1', 'lbl2', 'lbl10'],
    ['FraCaption', 'fra1', 'fra2', 'FraCaption'],
  ];
  for (const [id, from, to, expected] of ids) assert.strictEqual(ctx.RenamedPartId(id, from, to), expected, id);
  assert.strictEqual(ctx.RenamedCode("=Cal_Clicked('Cal1',event);", 'Cal1', 'Cal2'), "=Cal_Clicked('Cal2',event);");
  assert.strictEqual(ctx.RenamedCode('lbl10.x = lbl1.x', 'lbl1', 'lbl2'), 'lbl10.x = lbl2.x');
  const names = [
    ['MyButton', 'B', 'btn1', 'btn2', 'btn2', 'buttons, text boxes, text areas and combos are named as their ID'],
    ['lblTitle', 'L', 'lblTitle', 'lbl3', 'lbl3', 'a name that was the ID follows it'],
    ['Frame1', 'FRA', 'fra1', 'fra2', 'Frame2', 'a frame keeps the name it is created with'],
    ['Greeting', 'L', 'lbl1', 'lbl2', 'Greeting', 'a name of the developer\'s own stays'],
  ];
  for (const [name, type, from, to, expected, why] of names) {
    const number = (id) => id.replace(/\D+/g, '') || '3';
    assert.strictEqual(ctx.RenamedName(name, type, { id: from, number: number(from) }, { id: to, number: number(to) }), expected, why);
  }
});

'use strict';
// The arithmetic of arranging controls, the undo stack and the names a pasted control takes.
const test = require('node:test');
const assert = require('node:assert');
const { loadArrange } = require('./helpers/model');

const ctx = loadArrange();
const plain = (v) => JSON.parse(JSON.stringify(v));

test('a control is kept inside its container', () => {
  const cases = [
    // [left, top, width, height, room], expected [left, top], why
    [[100, 60, 50, 20, [400, 381]], [100, 60], 'inside stays'],
    [[0, -3, 50, 20, [400, 381]], [5, 5], 'at or past the near edges: 5 px in'],
    [[90, 10, 39, 18, [100, 100]], [59, 10], 'past a frame\'s right edge: frame width - width - 2'],
    [[61, 95, 39, 18, [100, 100]], [59, 81], 'at the far limits: 2 px from the right, 1 px from the bottom'],
    [[60, 80, 39, 18, [100, 100]], [60, 80], 'just inside the far limits stays'],
    [[30, 10, 150, 18, [100, 100]], [0, 10], 'wider than its room: the left edge stays in view'],
  ];
  for (const [[l, t, w, h, [rw, rh]], expected, why] of cases) {
    const kept = ctx.KeptInside(l, t, w, h, { width: rw, height: rh });
    assert.deepStrictEqual([kept.left, kept.top], expected, why);
  }
});

test('arrow keys move a control only as far as its container lets it', () => {
  const room = { width: 100, height: 100 };
  const cases = [
    // [left, top, move, step] -> place
    [[20, 20, [1, 0], 1], { left: 21, top: 20 }],
    [[20, 20, [0, -1], 10], { left: 20, top: 10 }],
    [[55, 20, [1, 0], 10], { left: 60, top: 20 }, 'Shift+arrow stops at the far limit'],
    [[60, 20, [1, 0], 1], null, 'one more pixel would be set back: it stays'],
    [[1, 20, [-1, 0], 1], null, 'at the near edge it stays'],
  ];
  for (const [[left, top, move, step], expected, why] of cases) {
    const place = ctx.NudgedPlace({ left, top, width: 39, height: 18 }, move, step, room);
    assert.deepStrictEqual(place && plain(place), expected, why);
  }
});

test('Format menu rules against the reference, the first control selected', () => {
  const ref = { left: 10, top: 20, width: 100, height: 30 };
  const box = { left: 50, top: 80, width: 40, height: 10 };
  const expected = {
    Left: { left: 10 }, Center: { left: 40 }, Right: { left: 70 }, Top: { top: 20 },
    Bottom: { top: 40 }, Width: { width: 100 }, Height: { height: 30 }, Both: { width: 100, height: 30 },
  };
  for (const [item, change] of Object.entries(expected)) assert.deepStrictEqual(plain(ctx.AlignRules[item](box, ref)), change, item);
  const higher = { left: 50, top: 0, width: 40, height: 10 };
  assert.deepStrictEqual(plain(ctx.AlignRules.Bottom(higher, ref)), { top: 40 }, 'a higher control moves down to the same bottom');
});

test('moving boxes snap to the nearest edge or centre within 4 px', () => {
  const lines = ctx.SnapLines([{ left: 100, top: 100, width: 50, height: 20 }], { width: 400, height: 300 });
  assert.deepStrictEqual(plain(lines), { x: [5, 200, 398, 100, 125, 150], y: [5, 150, 299, 100, 110, 120] });
  const cases = [
    // [left, top, width, height] -> [left, top, x line, y line]
    [[152, 40, 30, 10], [150, 40, 150, null], 'left edge to a neighbour\'s right edge'],
    [[97, 97, 30, 10], [95, 95, 125, 100], 'the nearest line wins (right edge and middle 2 px off, left and top 3 px)'],
    [[178, 145, 40, 10], [180, 145, 200, 150], 'centres to the container\'s centre'],
    [[160, 40, 30, 10], [160, 40, null, null], 'nothing within 4 px'],
  ];
  for (const [[left, top, width, height], [l, t, x, y], why] of cases) {
    const s = ctx.SnapMove({ left, top, width, height }, lines, ctx.SnapDistance);
    assert.deepStrictEqual([s.left, s.top, s.x, s.y], [l, t, x, y], why);
  }
  const se = ctx.SnapResize({ left: 10, top: 10, width: 88, height: 40 }, 'se', lines, 4);
  assert.deepStrictEqual([se.width, se.height, se.x, se.y], [90, 40, 100, null], 'a resize snaps only the edges its handle moves');
  const w = ctx.SnapResize({ left: 103, top: 10, width: 20, height: 40 }, 'w', lines, 4);
  assert.deepStrictEqual([w.left, w.width, w.x], [100, 23, 100]);
});

test('each handle moves its own edges, never closer than the smallest size', () => {
  const box = { left: 10, top: 10, width: 50, height: 20 };
  const cases = [
    ['se', 5, 7, [10, 10, 55, 27]], ['nw', 5, 5, [15, 15, 45, 15]], ['n', 0, -3, [10, 7, 50, 23]],
    ['w', 60, 0, [56, 10, 4, 20]], ['e', -100, 0, [10, 10, 4, 20]], ['s', 9, 9, [10, 10, 50, 29]],
  ];
  for (const [handle, dx, dy, expected] of cases) {
    const r = ctx.ResizedBox(box, handle, dx, dy, ctx.MinControlSize);
    assert.deepStrictEqual([r.left, r.top, r.width, r.height], expected, handle);
  }
});

test('new forms and controls go along a cascade to the first free spot, wrapping inside the room', () => {
  const form = { width: 400, height: 400 };
  const spot = (cascade, size, room, taken) => plain(ctx.CascadeSpot(cascade, size, room, taken));
  assert.deepStrictEqual(spot(ctx.FormCascade, form, { width: 1280, height: 900 }, []), { left: 100, top: 50 });
  assert.deepStrictEqual(spot(ctx.FormCascade, form, { width: 1280, height: 900 }, [{ left: 100, top: 50 }]), { left: 124, top: 74 });
  const five = [0, 1, 2, 3, 4].map((k) => ({ left: 100 + 24 * k, top: 50 + 24 * k }));
  assert.deepStrictEqual(spot(ctx.FormCascade, form, { width: 600, height: 900 }, five), { left: 100, top: 50 }, 'wraps');
  assert.deepStrictEqual(spot(ctx.ControlCascade, { width: 39, height: 18 }, { width: 400, height: 381 },
    [{ left: 50, top: 50 }, { left: 66, top: 66 }]), { left: 82, top: 82 });
});

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
  const walked = [];
  for (const step of ['Undo', 'Undo', 'Undo', 'Redo', 'Redo']) {
    await ctx[step]();
    walked.push([step, taken(), ctx.CanUndo()]);
  }
  assert.deepStrictEqual(walked, [['Undo', ['undo move'], true], ['Undo', ['undo tab 1 shown', 'undo new label'], false],
    ['Undo', [], false], ['Redo', ['redo new label', 'redo tab 1 shown'], true], ['Redo', ['redo move'], true]]);
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
  assert.deepStrictEqual([ctx.UndoSteps.length, ctx.UndoSteps[0].attrs[0].before, ctx.UndoSteps[0].attrs[0].after], [1, 'a', 'd']);
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

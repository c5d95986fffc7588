'use strict';
// The arithmetic of arranging controls.
const test = require('node:test');
const assert = require('node:assert');
const { loadArrange } = require('./helpers/arrange');

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

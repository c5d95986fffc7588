// Arranging controls on a surface of 50 forms of 40 controls, in the
// designer (zolt and headless Chromium without automation instrumentation;
// mouse and keys come in through DevTools input events, as a user's do):
//   drag   frames per second while one control is dragged across its form
//          (median, and the 95th percentile of the frame times)
//   arrow  time per arrow key with the 40 controls of a form selected, from
//          the key reaching the page to the page laid out again
//   undo   Undo of one move of those 40 controls, laid out again
// Run after a build: node bench/arrange_browser_bench.js
'use strict';
const { openLargeProject } = require('./helpers/largeProject');

const FORMS = 50;
const CONTROLS = 40;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];
const percentile = (v, p) => v.slice().sort((a, b) => a - b)[Math.min(v.length - 1, Math.floor(v.length * p))];

// A point of a label on the selected form that nothing covers.
const GRAB = `(${function grab() {
  const labels = Array.from(SelectedFormObj.querySelectorAll('[controltype="L" i]'));
  for (const label of labels) {
    const r = label.getBoundingClientRect();
    for (const [fx, fy] of [[0.3, 0.5], [0.1, 0.3], [0.5, 0.2]]) {
      const x = Math.round(r.left + r.width * fx), y = Math.round(r.top + r.height * fy);
      if (NearestControl(document.elementFromPoint(x, y)) === label) return { x, y };
    }
  }
  return null;
}})()`;

// Frame times while `step(k)` runs for two seconds, one step every few ms.
async function frameTimes(browser, step) {
  await browser.evaluate(`window.__frames = []; window.__recording = true;
    requestAnimationFrame(function tick(t) { __frames.push(t); if (__recording) requestAnimationFrame(tick); }); 0`);
  const start = Date.now();
  for (let k = 1; Date.now() - start < 2000; k++) {
    await step(k);
    await sleep(6);
  }
  const frames = await browser.evaluate('__recording = false; __frames');
  const times = frames.slice(1).map((t, k) => t - frames[k]).slice(2);
  return { fps: 1000 / median(times), p95: percentile(times, 0.95), frames: times.length };
}

async function dragFrames(browser) {
  const at = await browser.evaluate(GRAB);
  const mouse = (type, x, y) => browser.command('Input.dispatchMouseEvent',
    { type, x, y, button: 'left', buttons: type === 'mouseReleased' ? 0 : 1, clickCount: 1 });
  await mouse('mousePressed', at.x, at.y);
  const drag = await frameTimes(browser,
    (k) => mouse('mouseMoved', at.x + Math.round(120 * Math.sin(k / 40)) + 120, at.y + (k % 90)));
  await mouse('mouseReleased', at.x, at.y);
  drag.recorded = await browser.evaluate('UndoSteps.length > 0 && UndoSteps[UndoSteps.length - 1].label');
  return drag;
}

// The same machine's frames while the page changes one short text per step:
// what the drag's figures compare with.
function baselineFrames(browser) {
  return frameTimes(browser, (k) => browser.evaluate(`document.getElementById('PO').textContent = '${k}'; 0`));
}

async function arrowKeys(browser) {
  await browser.evaluate(`SelectAllControls().then(() => {
    window.__keyTimes = [];
    window.addEventListener('keydown', () => { window.__keyStart = performance.now(); }, true);
    window.addEventListener('keydown', () => { document.body.offsetHeight; __keyTimes.push(performance.now() - __keyStart); });
    return GetSelectedControls().length; })`);
  const key = async (name, code) => {
    for (const type of ['rawKeyDown', 'keyUp']) {
      await browser.command('Input.dispatchKeyEvent', { type, key: name, code: name, windowsVirtualKeyCode: code });
    }
  };
  for (let k = 0; k < 60; k++) await key(k % 2 ? 'ArrowLeft' : 'ArrowRight', k % 2 ? 37 : 39);
  const selected = await browser.evaluate('GetSelectedControls().length');
  return { ms: median(await browser.evaluate('__keyTimes')), selected };
}

async function undoMove(browser) {
  const times = [];
  for (let run = 0; run < 20; run++) {
    await browser.evaluate('EndChangeRun(); ArrowKeyMoveControl(40, 1); 0');
    times.push(await browser.evaluate(`(async () => {
      const t0 = performance.now();
      await Undo();
      document.body.offsetHeight;
      const ms = performance.now() - t0;
      await SelectArrangedControls(GetSelectedControls().length > 1 ? GetSelectedControls() : Array.from(FormBody(SelectedFormObj).children).filter(IsControlElement));
      return ms;
    })()`));
  }
  return median(times);
}

async function main() {
  const { browser, close } = await openLargeProject(FORMS, CONTROLS);
  try {
    await sleep(500);
    const base = await baselineFrames(browser);
    const drag = await dragFrames(browser);
    if (drag.recorded !== 'Move') throw new Error('the drag moved nothing');
    const frames = (f) => `median ${f.fps.toFixed(1)} fps, p95 frame ${f.p95.toFixed(1)} ms (${f.frames} frames)`;
    console.log(`drag one control on ${FORMS} forms x ${CONTROLS} controls: ${frames(drag)}`);
    console.log(`  the page changing one text per step instead: ${frames(base)}`);
    const arrows = await arrowKeys(browser);
    console.log(`arrow key with ${arrows.selected} controls selected: median ${arrows.ms.toFixed(2)} ms`);
    console.log(`undo of a move of ${arrows.selected} controls: median ${(await undoMove(browser)).toFixed(2)} ms`);
  } finally {
    await close();
  }
}

main().catch((e) => { console.error(e); process.exit(1); });

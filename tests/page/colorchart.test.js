'use strict';
// The colour chart's tables: their positions are stored in project, form and
// style files, and the designer's defaults point at fixed positions.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const FILE = path.join(__dirname, '..', '..', 'installed', 'ColorChart.js');
const chart = require(FILE);

const CSS_BORDER_STYLES = ['none', 'hidden', 'dotted', 'dashed', 'solid', 'double', 'groove', 'ridge', 'inset', 'outset'];
// The entries that lists show: every position below the upper bound.
const shown = (arr) => arr.slice(0, arr.length - 1);

test('as a plain script it defines the three tables as globals', () => {
  const context = vm.createContext({});
  vm.runInContext(fs.readFileSync(FILE, 'utf8'), context, { filename: FILE });
  for (const name of ['arrColor', 'arrBorderStyle', 'arrFontType']) {
    assert.deepStrictEqual(Array.from(context[name]), chart[name], name);
  }
});

test('arrColor: upper bound 218, colours at 0 to 216, transparent at 217', () => {
  const c = chart.arrColor;
  assert.strictEqual(c.length - 1, 218);
  assert.deepStrictEqual([c[0], c[3], c[6], c[216]], ['000000', 'D5CCBB', '0000FF', 'FFFFFF']);
  assert.strictEqual(c[217], 'transparent');
  const colours = c.slice(0, 217);
  for (const [i, v] of colours.entries()) assert.match(v, /^[0-9A-F]{6}$/, `position ${i}`);
  assert.strictEqual(new Set(colours).size, 217, 'every colour is offered once');
});

test('arrBorderStyle: CSS keywords, image, calendar and form defaults in place', () => {
  const b = chart.arrBorderStyle;
  for (const s of shown(b)) assert.ok(CSS_BORDER_STYLES.includes(s), `${s} is a CSS border style`);
  assert.strictEqual(new Set(shown(b)).size, shown(b).length);
  assert.ok(b.length - 1 > 8, 'positions 5, 7 and 8 are shown');
  assert.strictEqual(b[7], 'ridge'); // a new calendar is drawn ridged
  assert.strictEqual(b[8], 'solid'); // a new form body's border
  assert.ok(!['none', 'hidden'].includes(b[5]), 'an image whose border is switched on gets a visible one');
});

test('arrFontType: Arial first, a dozen named families', () => {
  const f = shown(chart.arrFontType);
  assert.strictEqual(f[0], 'Arial');
  assert.ok(f.length >= 12);
  // used unquoted in style text: letters and inner blanks only
  for (const name of f) assert.match(name, /^[A-Za-z][A-Za-z ]*[A-Za-z]$/);
  assert.strictEqual(new Set(f).size, f.length);
});

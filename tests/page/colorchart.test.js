'use strict';
// The colour chart's positions are stored in files and the defaults point at them.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const FILE = path.join(__dirname, '..', '..', 'installed', 'ColorChart.js');

test('as a page script it defines the three tables with the positions the defaults use', () => {
  const chart = vm.createContext({});
  vm.runInContext(fs.readFileSync(FILE, 'utf8'), chart, { filename: FILE });
  assert.deepStrictEqual(Array.from(chart.arrColor), require(FILE).arrColor, 'the page and node see one table');
  // Lists show every position below the upper bound.
  const [colours, borders, fonts] = ['arrColor', 'arrBorderStyle', 'arrFontType'].map((n) => Array.from(chart[n]).slice(0, -1));
  assert.strictEqual(colours.length, 218);
  assert.deepStrictEqual([0, 3, 6, 216, 217].map((i) => colours[i]), ['000000', 'D5CCBB', '0000FF', 'FFFFFF', 'transparent']);
  for (const v of colours.slice(0, 217)) assert.match(v, /^[0-9A-F]{6}$/);
  assert.strictEqual(new Set(colours).size, 218, 'every colour is offered once');
  // A new calendar is ridged, a new form body solid; a switched-on image border is visible.
  assert.deepStrictEqual([borders[7], borders[8]], ['ridge', 'solid']);
  const css = ['none', 'hidden', 'dotted', 'dashed', 'solid', 'double', 'groove', 'ridge', 'inset', 'outset'];
  assert.ok(borders.every((b) => css.includes(b)) && !['none', 'hidden'].includes(borders[5]));
  // Font names are used unquoted in style text: letters and inner blanks only.
  assert.strictEqual(fonts[0], 'Arial');
  assert.ok(fonts.length >= 12 && fonts.every((f) => /^[A-Za-z][A-Za-z ]*[A-Za-z]$/.test(f)));
});

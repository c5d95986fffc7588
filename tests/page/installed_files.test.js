'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

// The colour chart's positions are stored in files and the defaults point at them.

const FILE = path.join(__dirname, '..', '..', 'installed', 'ColorChart.js');

test('as a page script it defines the three tables with the positions the defaults use', () => {
  const chart = vm.createContext({});
  vm.runInContext(fs.readFileSync(FILE, 'utf8'), chart, { filename: FILE });
  assert.deepStrictEqual(Array.from(chart.arrColor), require(FILE).arrColor, 'the page and node see one table');
  // Lists show every position below the upper bound.
  const [colours, borders, fonts] = ['arrColor', 'arrBorderStyle', 'arrFontType'].map((n) => Array.from(chart[n]).slice(0, -1));
  assert.deepStrictEqual([colours.length, new Set(colours).size], [218, 218], 'every colour is offered once');
  assert.deepStrictEqual([0, 3, 6, 216, 217].map((i) => colours[i]), ['000000', 'D5CCBB', '0000FF', 'FFFFFF', 'transparent']);
  for (const v of colours.slice(0, 217)) assert.match(v, /^[0-9A-F]{6}$/);
  // A new calendar is ridged, a new form body solid; a switched-on image border is visible.
  assert.deepStrictEqual([borders[7], borders[8]], ['ridge', 'solid']);
  const css = ['none', 'hidden', 'dotted', 'dashed', 'solid', 'double', 'groove', 'ridge', 'inset', 'outset'];
  assert.ok(borders.every((b) => css.includes(b)) && !['none', 'hidden'].includes(borders[5]));
  // Font names are used unquoted in style text: letters and inner blanks only.
  assert.ok(fonts[0] === 'Arial' && fonts.length >= 12 && fonts.every((f) => /^[A-Za-z][A-Za-z ]*[A-Za-z]$/.test(f)));
});

// Every picture the pages load is in installed/Images, at the size shown.

const DIR = path.join(__dirname, '..', '..', 'installed', 'Images');
const TOOLBAR = ('Forms,Project,View,Label,Button,TextBox,TextArea,CheckBox,Option,Combo,ListBox,Frame,'
  + 'Image,Grid,Tab,Calendar,Link,UL,Format,Action,BringToFront,SendToBack').split(',');

// Width and height from a JPEG's start-of-frame segment.
function jpegSize(buf) {
  assert.ok(buf[0] === 0xFF && buf[1] === 0xD8 && buf[2] === 0xFF, 'JPEG signature');
  for (let i = 2; i + 9 < buf.length;) {
    const marker = buf[i + 1];
    const length = buf.readUInt16BE(i + 2);
    if (marker >= 0xC0 && marker <= 0xCF && ![0xC4, 0xC8, 0xCC].includes(marker)) {
      return { width: buf.readUInt16BE(i + 7), height: buf.readUInt16BE(i + 5) };
    }
    i += 2 + length;
  }
  throw new Error('no frame header');
}

function read(name) {
  const file = path.join(DIR, name);
  assert.ok(fs.existsSync(file), `${name} exists`);
  return fs.readFileSync(file);
}

test('toolbar pictures: pairs of 24 by 24 JPEGs, the second one different', () => {
  for (const base of TOOLBAR) {
    const [normal, hover] = [1, 2].map((n) => read(base + n + '.jpg'));
    for (const [n, buf] of [[1, normal], [2, hover]]) assert.deepStrictEqual(jpegSize(buf), { width: 24, height: 24 }, base + n);
    assert.ok(!normal.equals(hover), `${base}2.jpg is highlighted`);
  }
});

test('close, start screen and start image pictures', () => {
  assert.deepStrictEqual(jpegSize(read('closebutton.jpg')), { width: 15, height: 15 });
  assert.deepStrictEqual(jpegSize(read('comp_logo.jpg')), { width: 197, height: 253 });
  const start = jpegSize(read('StartImage.jpg'));
  assert.ok(start.width >= 32 && start.height >= 32);
});

test('icons are Windows icons of the size of their buttons', () => {
  const sizes = { 'opendialogbox.ico': [20, 15], 'uparrow.ico': [16, 16], 'downarrow.ico': [16, 16], 'find.ico': [16, 16] };
  for (const [name, size] of Object.entries(sizes)) {
    const buf = read(name);
    assert.deepStrictEqual([...buf.subarray(0, 4)], [0, 0, 1, 0], `${name} icon signature`);
    assert.ok(buf.readUInt16LE(4) >= 1, `${name} holds a picture`);
    assert.deepStrictEqual([buf[6], buf[7]], size, `${name} size`);
  }
});

// Loads the designer's element model into a vm context, with an element stand-in for
// the attribute-only routines (the rest is tested in Chromium); the arranging and
// property window scripts on top of it, for their parts that need no document.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const ROOT = path.join(__dirname, '..', '..', '..');
const MODEL_DIR = path.join(ROOT, 'designer', 'model');
const ARRANGE_DIR = path.join(ROOT, 'designer', 'arrange');
const MODEL_FILES = ['elements.js', 'calendar.js', 'upgrade.js', 'storedforms.js', 'numbering.js', 'tabs.js',
  'selection.js', 'select.js', 'create.js', 'standins.js'];

// An element with case-insensitive attributes, as the page's DOM has them.
function fakeElement(attrs = {}) {
  const map = new Map(Object.entries(attrs).map(([k, v]) => [k.toLowerCase(), String(v)]));
  return {
    nodeType: 1,
    style: {},
    getAttribute: (n) => (map.has(n.toLowerCase()) ? map.get(n.toLowerCase()) : null),
    setAttribute: (n, v) => map.set(n.toLowerCase(), String(v)),
    hasAttribute: (n) => map.has(n.toLowerCase()),
  };
}

function loadModel() {
  const ctx = {
    console,
    GVersion: 'V1.01', AppPath: 'http://host/app', ImagePath: 'http://host/app/Images/closebutton.jpg',
    NewFormCount: '', arrNewFormOrder: [undefined, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11],
    arrControlDelete: ['', ''], zIndexCounter: 0, SelectedObj: '', SelectedFormObj: '', SelectedFormID: '',
    bProjectInfoChanged: false,
  };
  vm.createContext(ctx);
  for (const f of MODEL_FILES) {
    vm.runInContext(fs.readFileSync(path.join(MODEL_DIR, f), 'utf8'), ctx, { filename: f });
  }
  return ctx;
}

function loadArrange() {
  const ctx = loadModel();
  for (const f of fs.readdirSync(ARRANGE_DIR).filter((n) => n.endsWith('.js')).sort()) {
    vm.runInContext(fs.readFileSync(path.join(ARRANGE_DIR, f), 'utf8'), ctx, { filename: f });
  }
  return ctx;
}

// The property window's scripts in the page's order, with the colour chart.
function loadProperties() {
  const ctx = loadArrange();
  vm.runInContext(fs.readFileSync(path.join(ROOT, 'installed', 'ColorChart.js'), 'utf8'), ctx);
  const page = fs.readFileSync(path.join(ROOT, 'designer', 'page.html'), 'utf8');
  for (const [, file] of page.matchAll(/<!--#include (properties\/[\w.]+\.js)-->/g)) {
    vm.runInContext(fs.readFileSync(path.join(ROOT, 'designer', file), 'utf8'), ctx, { filename: file });
  }
  return ctx;
}

// The attributes of the first tag of some markup, in order, names lower-cased
// as the page's DOM stores them; a bare attribute has the value null.
function openingTagAttributes(markup) {
  const tag = /^<([A-Za-z]+)((?:\s+[^\s=>]+(?:=(?:"[^"]*"|'[^']*'|[^\s>]+))?)*)\s*>/.exec(markup);
  if (!tag) throw new Error('no opening tag in ' + markup.slice(0, 40));
  const out = [];
  const re = /\s+([^\s=>]+)(?:=("[^"]*"|'[^']*'|[^\s>]+))?/g;
  let m;
  while ((m = re.exec(tag[2]))) {
    let v = m[2] === undefined ? null : m[2];
    if (v && /^["']/.test(v)) v = v.slice(1, -1).replace(/&quot;/g, '"').replace(/&amp;/g, '&');
    out.push([m[1].toLowerCase(), v]);
  }
  return { tag: tag[1].toUpperCase(), attrs: out, get: (n) => (out.find(([k]) => k === n.toLowerCase()) || [])[1] };
}

module.exports = { loadModel, loadArrange, loadProperties, fakeElement, openingTagAttributes };

// Loads designer/properties in the page's order on top of the arranging scripts and the
// colour chart, for the parts that need no document.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const { loadArrange } = require('./arrange');

const ROOT = path.join(__dirname, '..', '..', '..');

function loadProperties() {
  const ctx = loadArrange();
  vm.runInContext(fs.readFileSync(path.join(ROOT, 'installed', 'ColorChart.js'), 'utf8'), ctx);
  const page = fs.readFileSync(path.join(ROOT, 'designer', 'page.html'), 'utf8');
  for (const [, file] of page.matchAll(/<!--#include (properties\/[\w.]+\.js)-->/g)) {
    vm.runInContext(fs.readFileSync(path.join(ROOT, 'designer', file), 'utf8'), ctx, { filename: file });
  }
  return ctx;
}

module.exports = { loadProperties };

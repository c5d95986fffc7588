// Loads the designer's arranging scripts (designer/arrange) on top of its
// element model into a fresh script context, for the parts that need no
// document: limits, align arithmetic, snapping, paste renaming, the undo stack.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const { loadModel } = require('./model');

const ARRANGE_DIR = path.join(__dirname, '..', '..', '..', 'designer', 'arrange');

function loadArrange() {
  const ctx = loadModel();
  for (const f of fs.readdirSync(ARRANGE_DIR).filter((n) => n.endsWith('.js')).sort()) {
    vm.runInContext(fs.readFileSync(path.join(ARRANGE_DIR, f), 'utf8'), ctx, { filename: f });
  }
  return ctx;
}

module.exports = { loadArrange };

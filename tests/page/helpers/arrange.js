// Loads designer/arrange on top of the element model, for the parts that need no document.
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

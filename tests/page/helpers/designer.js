// Loads designer scripts into a vm context with a small fake document; commands and
// message boxes are recorded.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const DESIGNER = path.join(__dirname, '..', '..', '..', 'designer');

function fakeElement(id, props = {}) {
  return Object.assign({
    id, style: {}, attributes: {}, value: '', title: '',
    getAttribute(name) { return this.attributes[name.toLowerCase()] ?? null; },
    setAttribute(name, value) { this.attributes[name.toLowerCase()] = String(value); },
    focus() { this.focused = true; },
    blur() {},
    remove() { this.removed = true; },
  }, props);
}

// files: paths below designer/. elements: id -> fake element (made on demand).
function loadDesigner(files, { answers = [], onCommand } = {}) {
  const elements = {};
  const sent = [];
  const boxes = [];
  const document = {
    readyState: 'complete',
    body: fakeElement('Body', { clientWidth: 1000, clientHeight: 800 }),
    getElementById(id) { return elements[id] || null; },
    addElement(id, props) { elements[id] = fakeElement(id, props); return elements[id]; },
  };
  const context = {
    document, console, Promise, setTimeout, Event: class { constructor(type, init) { this.type = type; Object.assign(this, init); } },
    location: { href: 'http://page/', reloads: 0, reload() { this.reloads++; } },
    addEventListener() {},
    vbOKOnly: 0, vbOKCancel: 1, vbYesNoCancel: 3, vbYesNo: 4,
    vbCritical: 16, vbQuestion: 32, vbExclamation: 48, vbInformation: 64,
    vbOK: 1, vbCancel: 2, vbYes: 6, vbNo: 7,
    async sendCommand(text) { sent.push(text); if (onCommand) await onCommand(text, context); },
    async MsgBox(text, flags, title) { boxes.push({ text, flags, title }); return answers.shift() ?? 1; },
  };
  context.window = context;
  vm.createContext(context);
  for (const file of files) {
    const code = fs.readFileSync(path.join(DESIGNER, file), 'utf8');
    vm.runInContext(code, context, { filename: file });
  }
  return { page: context, document, sent, boxes };
}

module.exports = { loadDesigner, fakeElement };

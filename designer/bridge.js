// The bridge between the designer page and the ZOLT host, over one WebSocket.
//
// Page -> host: sendCommand(text) sends a command text and resolves when the
// host has carried it out, so the statement after `await sendCommand(...)`
// sees its effects. While a command runs, a modal layer keeps the user's
// mouse and keys away from the page (dialogs the host opens stay usable).
//
// Host -> page: operations on the document and on the page's script globals,
// each answered by the page. Messages are JSON, the same both ways:
//   {t:"call", id, name, args}  and  {t:"ret", id, value} / {t:"ret", id, error}
// Elements travel as handles {$e: n} that this page mints: a Map keeps
// handle -> node, a WeakMap node -> handle.
//
// Page variables and routines are globals of the page (properties of window;
// top-level let/const bindings are reached too). A routine the host calls may
// be async: its Promise is awaited before the answer goes back.
//
// Arguments by reference: a routine that changes some of its arguments for
// the caller lists their positions in a `byRef` property, for example
//   async function BringUpToDateForm(psTemp, psVersion) { psTemp.value = ...; }
//   BringUpToDateForm.byRef = [0, 1];
// Each such argument then arrives as an object {value}; the routine reads and
// writes `.value`, and the host receives the final values of all arguments.
//
// Changes the host does not wait for arrive together as one "batch"
// operation: [[name, args], ...], made in order. Changes that stand or fall
// together come inside a batch as one "group" (a label and its list): the
// first one refused leaves out the rest of its group, the batch goes on, and
// the answer carries `refused: [[label, error], ...]`. Reads of a whole list
// come as one "each" operation: a name and a list of argument lists,
// answered with the list of answers.
'use strict';

(function () {
  const handles = new Map();   // handle -> node
  const handleOf = new WeakMap(); // node -> handle
  let nextHandle = 1;
  let socket = null;
  let nextCallId = 1;
  const waiting = new Map();   // our calls to the host: id -> {resolve, reject}
  const outbox = [];           // messages written before the socket opened
  let busy = 0;                // commands running
  let retries = 0;
  let ended = false;
  const refusedGroups = [];    // [label, error] of groups not yet reported

  function mint(node) {
    let h = handleOf.get(node);
    if (!h) {
      h = nextHandle++;
      handleOf.set(node, h);
      handles.set(h, node);
    }
    return h;
  }

  function node(h) {
    const n = handles.get(h);
    if (!n) throw new Error('The element handle ' + h + ' is not known to the page.');
    return n;
  }

  function encode(v) {
    if (v === undefined || v === null) return null;
    if (typeof v === 'string' || typeof v === 'boolean') return v;
    if (typeof v === 'number') return Number.isFinite(v) ? v : null;
    if (v instanceof Node) return { $e: mint(v) };
    if (Array.isArray(v)) return v.map(encode);
    if (typeof v === 'object' && 'value' in v && Object.keys(v).length === 1) return encode(v.value);
    return String(v);
  }

  function decode(v) {
    if (v && typeof v === 'object' && '$e' in v) return node(v.$e);
    return v;
  }

  const isName = (s) => /^[A-Za-z_$][\w$]*$/.test(s);

  // A page global by name: a window property, or a top-level binding.
  function readGlobal(name) {
    if (name in window) return window[name];
    if (!isName(name)) return undefined;
    try { return (0, eval)(name); } catch (e) { return undefined; }
  }

  function writeGlobal(name, value) {
    if (!(name in window) && isName(name)) {
      let lexical = false;
      try { (0, eval)(name); lexical = true; } catch (e) { lexical = false; }
      if (lexical) {
        window.__zoltValue = value;
        try { (0, eval)(name + ' = window.__zoltValue'); } finally { delete window.__zoltValue; }
        return;
      }
    }
    window[name] = value;
  }

  function elementById(id) {
    const exact = document.getElementById(id);
    if (exact) return exact;
    const lower = String(id).toLowerCase();
    for (const e of document.querySelectorAll('[id]')) {
      if (e.id.toLowerCase() === lower) return e;
    }
    return null;
  }

  function option(list, i) {
    const o = node(list).options[i];
    if (!o) throw new Error('The list has no option ' + i + '.');
    return o;
  }

  function table(name) {
    const a = readGlobal(name);
    if (!a || typeof a !== 'object') throw new Error('The page has no array ' + name + '.');
    return a;
  }

  // The operations the host performs on the page.
  const ops = {
    getElementById: (id) => elementById(id),
    getElementsByName: (name) => {
      const lower = String(name).toLowerCase();
      return Array.from(document.querySelectorAll('[name]'))
        .filter((e) => e.getAttribute('name').toLowerCase() === lower);
    },
    body: () => document.body,
    nodeType: (h) => node(h).nodeType,
    tagName: (h) => node(h).tagName || '',
    getAttribute: (h, name) => node(h).getAttribute(name),
    setAttribute: (h, name, value) => { node(h).setAttribute(name, value); },
    removeAttribute: (h, name) => { node(h).removeAttribute(name); },
    attributes: (h) => Array.from(node(h).attributes || [], (a) => [a.name, a.value]),
    innerHTML: (h) => node(h).innerHTML,
    setInnerHTML: (h, html) => { node(h).innerHTML = html; },
    outerHTML: (h) => node(h).outerHTML,
    setOuterHTML: (h, html) => { node(h).outerHTML = html; },
    innerText: (h) => { const n = node(h); return n.innerText !== undefined ? n.innerText : n.textContent; },
    setInnerText: (h, text) => { node(h).innerText = text; },
    fieldValue: (h) => { const n = node(h); return n.value === undefined ? '' : String(n.value); },
    setFieldValue: (h, value) => { node(h).value = value; },
    fieldChecked: (h) => !!node(h).checked,
    setFieldChecked: (h, checked) => { node(h).checked = !!checked; },
    insertAdjacentHTML: (h, where, html) => { node(h).insertAdjacentHTML(where, html); },
    optionCount: (h) => node(h).options.length,
    setOptionCount: (h, n) => { node(h).options.length = n; },
    optionText: (h, i) => option(h, i).text,
    optionValue: (h, i) => option(h, i).value,
    optionTexts: (h) => Array.from(node(h).options, (o) => o.text),
    selectedIndex: (h) => node(h).selectedIndex,
    setSelectedIndex: (h, i) => { node(h).selectedIndex = i; },
    addOption: (h, text, value, before) => {
      node(h).add(new Option(text, value), before < 0 ? null : before);
    },
    removeOption: (h, i) => { node(h).remove(i); },
    setOptionStyle: (h, i, prop, value) => { option(h, i).style.setProperty(prop, value); },
    styleValue: (h, prop) => node(h).style.getPropertyValue(prop),
    setStyleValue: (h, prop, value) => { node(h).style.setProperty(prop, value); },
    children: (h) => Array.from(node(h).children || []),
    childNodes: (h) => Array.from(node(h).childNodes),
    parent: (h) => { const p = node(h).parentNode; return p instanceof Element ? p : null; },
    removeElement: (h) => { node(h).remove(); },
    click: (h) => { node(h).click(); },
    rows: (h) => Array.from(node(h).rows),
    cells: (h) => Array.from(node(h).cells),
    insertRow: (h, i) => node(h).insertRow(i),
    deleteRow: (h, i) => { node(h).deleteRow(i); },
    insertCell: (h, i) => node(h).insertCell(i),
    deleteCell: (h, i) => { node(h).deleteCell(i); },
    getVariable: (name) => readGlobal(name),
    setVariable: (name, value) => { writeGlobal(name, decode(value)); },
    getArrayEntry: (name, i) => table(name)[i],
    setArrayEntry: (name, i, value) => {
      let a = readGlobal(name);
      if (!a || typeof a !== 'object') { a = []; writeGlobal(name, a); }
      a[i] = decode(value);
    },
    getArray: (name) => Array.from(table(name), encode),
    setArray: (name, items) => { writeGlobal(name, items.map(decode)); },
    call: async (name, args) => {
      const fn = readGlobal(name);
      if (typeof fn !== 'function') throw new Error('The page has no routine ' + name + '.');
      const byRef = Array.isArray(fn.byRef) ? fn.byRef : [];
      const actual = args.map((a, i) => (byRef.includes(i) ? { value: decode(a) } : decode(a)));
      const value = await fn.apply(window, actual);
      return { value: encode(value), args: actual.map(encode) };
    },
    msgBox: (text, flags, title) => window.MsgBox(text, flags, title),
    inputBox: (prompt, title, dflt) => window.ZoltDialogs.inputBox(prompt, title, dflt),
    openWindow: (url) => { window.open(url, '_blank'); },
    reload: () => { setTimeout(() => location.reload(), 0); },
    // The title element keeps the text exactly (document.title would fold
    // the caption's runs of blanks into one).
    setTitle: (title) => {
      let t = document.querySelector('title');
      if (!t) { t = document.createElement('title'); document.head.append(t); }
      t.textContent = title;
    },
  };

  function send(message) {
    const text = JSON.stringify(message);
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(text);
    else outbox.push(text);
  }

  // Runs one operation and gives its answer as it travels back.
  async function perform(name, args) {
    const op = Object.prototype.hasOwnProperty.call(ops, name) ? ops[name] : null;
    if (!op) throw new Error('The page has no operation ' + name + '.');
    let value = op.apply(null, args || []);
    if (value && typeof value.then === 'function') value = await value;
    if (name === 'call' || name === 'batch' || name === 'each' || name === 'group') return value;
    if (Array.isArray(value)) return value.map(encode);
    return encode(value);
  }

  // Changes the host did not wait for, in order, then the operation that
  // waits: the answer is the last one's. The first error stops the batch.
  ops.batch = async (list) => {
    let value = null;
    for (const [name, args] of list) value = await perform(name, args);
    return value;
  };

  // A group of changes: its first refused change ends it, not the batch.
  ops.group = async (label, list) => {
    try {
      for (const [name, args] of list) await perform(name, args);
    } catch (e) {
      refusedGroups.push([String(label), String((e && e.message) || e)]);
    }
    return null;
  };

  // One operation made with each argument list in turn: every answer, in
  // order (the host reads a whole list of forms in one round trip).
  ops.each = async (name, argLists) => {
    const answers = [];
    for (const args of argLists) answers.push(await perform(name, args));
    return answers;
  };

  async function answer(message) {
    const reply = { t: 'ret', id: message.id };
    try {
      reply.value = await perform(message.name, message.args);
    } catch (e) {
      reply.error = String((e && e.message) || e);
    }
    if (refusedGroups.length) reply.refused = refusedGroups.splice(0);
    send(reply);
  }

  function onMessage(event) {
    let message;
    try { message = JSON.parse(event.data); } catch (e) { return; }
    if (message.t === 'call') {
      answer(message);
    } else if (message.t === 'ret') {
      const w = waiting.get(message.id);
      if (!w) return;
      waiting.delete(message.id);
      if ('error' in message) w.reject(new Error(message.error));
      else w.resolve(message.value);
    } else if (message.t === 'refused') {
      refused(message.text);
    }
  }

  // Another designer window holds the connection. A reload of that window
  // lets go of it a moment later, so ask again a few times first.
  function refused(text) {
    ended = true;
    if (retries < 8) {
      retries += 1;
      setTimeout(() => { ended = false; connect(); }, 250);
      return;
    }
    showNotice('zoltRefused', text);
  }

  function showNotice(id, text) {
    let box = document.getElementById(id);
    if (!box) {
      box = document.createElement('div');
      box.id = id;
      box.className = 'zolt-notice';
      document.body.appendChild(box);
    }
    box.textContent = text;
  }

  function connect() {
    const token = new URLSearchParams(location.search).get('token') || '';
    const url = (location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host +
      '/ws?token=' + encodeURIComponent(token);
    const ws = new WebSocket(url);
    socket = ws;
    ws.addEventListener('open', () => {
      while (outbox.length) ws.send(outbox.shift());
    });
    ws.addEventListener('message', onMessage);
    ws.addEventListener('close', () => {
      if (socket !== ws) return;
      for (const w of waiting.values()) w.reject(new Error('The connection to ZOLT was lost.'));
      waiting.clear();
      setBusy(0);
      if (!ended) showNotice('zoltDisconnected', 'The connection to ZOLT was lost. Start ZOLT again to go on.');
    });
  }

  // Asks the host to run one of its routines ("command", "dialog", "close").
  function hostCall(name, args) {
    return new Promise((resolve, reject) => {
      const id = nextCallId++;
      waiting.set(id, { resolve, reject });
      send({ t: 'call', id, name, args });
    });
  }

  // The modal layer: shown while at least one command runs.
  function setBusy(n) {
    busy = n;
    let layer = document.getElementById('zoltModalLayer');
    if (!layer && busy > 0) {
      layer = document.createElement('div');
      layer.id = 'zoltModalLayer';
      document.body.appendChild(layer);
    }
    if (layer) layer.style.display = busy > 0 ? 'block' : 'none';
  }

  // Keys go nowhere while a command runs, except into the host's dialogs.
  window.addEventListener('keydown', (e) => {
    if (busy > 0 && !(e.target instanceof Element && e.target.closest('dialog'))) {
      e.preventDefault();
      e.stopPropagation();
    }
  }, true);

  // Sends a command text to the host; resolves with true when the host
  // recognised and ran it, false when it held no command.
  async function sendCommand(text) {
    setBusy(busy + 1);
    try {
      return await hostCall('command', [String(text)]);
    } finally {
      setBusy(Math.max(0, busy - 1));
    }
  }

  window.sendCommand = sendCommand;
  window.ZoltBridge = { hostCall, ops, get busy() { return busy; }, markEnded() { ended = true; } };

  if (document.readyState === 'complete') connect();
  else window.addEventListener('load', connect);
})();

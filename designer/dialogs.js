// The boxes and windows of ZOLT drawn by the page: message boxes, input
// boxes, the file chooser frmDialog (owned by the host) and the close request.
// Every box is an HTML <dialog>, so `dialog[open]` is the box showing; Enter
// presses the default button, Escape cancels.
//
// A box is opened with show(), not the browser's modal mode: making the rest
// of the page inert restyles every element of it (the forms of a large
// project hold many thousands), when the box opens and again when it closes.
// The box keeps the page away itself: its layer (dialogs.css) covers the page,
// so a click outside the box lands on the box; keys outside it are refused;
// focus stays inside and Tab cycles through its fields and buttons.
'use strict';

// Message box buttons, icons and results, with the script language's values.
var vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5;
var vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64;
var vbDefaultButton1 = 0, vbDefaultButton2 = 256, vbDefaultButton3 = 512;
var vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7;

(function () {
  const BUTTONS = {
    0: [['OK', 1]],
    1: [['OK', 1], ['Cancel', 2]],
    2: [['Abort', 3], ['Retry', 4], ['Ignore', 5]],
    3: [['Yes', 6], ['No', 7], ['Cancel', 2]],
    4: [['Yes', 6], ['No', 7]],
    5: [['Retry', 4], ['Cancel', 2]],
  };
  const ICONS = {
    16: ['critical', '\u2716'],
    32: ['question', '?'],
    48: ['exclamation', '!'],
    64: ['information', 'i'],
  };

  function el(tag, props, children) {
    const e = document.createElement(tag);
    Object.assign(e, props || {});
    for (const c of children || []) e.append(c);
    return e;
  }

  function titleBar(text, onClose) {
    const bar = el('div', { className: 'zolt-titlebar' }, [el('span', { className: 'zolt-caption', textContent: text })]);
    if (onClose) {
      const x = el('button', { type: 'button', className: 'zolt-closebox', title: 'Close', textContent: '\u00d7' });
      x.setAttribute('aria-label', 'Close');
      x.addEventListener('click', onClose);
      bar.append(x);
    }
    return bar;
  }

  function titleOf(title) {
    return title === undefined || title === null || title === '' ? 'ZOLT' : String(title);
  }

  // ---- the boxes showing, the newest last: it alone takes keys and focus.
  const shown = [];
  const returnFocus = new WeakMap();
  const topBox = () => shown[shown.length - 1] || null;

  // What can hold the focus in a box (the box itself aside).
  const FIELDS = 'button, input, select, textarea, a[href], [tabindex]:not(dialog)';

  function focusables(box) {
    return Array.from(box.querySelectorAll(FIELDS))
      .filter((e) => !e.disabled && e.tabIndex >= 0 && e.getClientRects().length > 0);
  }

  function focusInto(box) {
    const first = box.querySelector('[autofocus]') || focusables(box)[0];
    if (first) first.focus();
  }

  // Shows `box` (already in the document) over the page.
  function showBox(box) {
    returnFocus.set(box, document.activeElement);
    box.setAttribute('aria-modal', 'true');
    box.show();
    shown.push(box);
    focusInto(box);
  }

  // Closes `box` and takes it out of the document; the focus goes back to
  // where it was before the box when the box still held it.
  function closeBox(box) {
    const i = shown.indexOf(box);
    if (i >= 0) shown.splice(i, 1);
    const hadFocus = box.contains(document.activeElement) || document.activeElement === document.body;
    if (box.open) box.close();
    box.remove();
    const back = returnFocus.get(box);
    const top = topBox();
    if (top) {
      if (!top.contains(document.activeElement)) focusInto(top);
    } else if (hadFocus && back && back !== document.body && back.isConnected) {
      back.focus({ preventScroll: true });
    }
  }

  // Tab and Shift+Tab go round the fields and buttons of the box.
  function cycleFocus(box, backwards) {
    const list = focusables(box);
    if (list.length === 0) return;
    const at = list.indexOf(document.activeElement);
    const next = at < 0 ? (backwards ? list.length - 1 : 0) : (at + (backwards ? list.length - 1 : 1)) % list.length;
    list[next].focus();
  }

  // Escape asks the box to cancel, as the browser asks a modal one.
  function requestCancel(box) {
    if (box.dispatchEvent(new Event('cancel', { cancelable: true }))) closeBox(box);
  }

  window.addEventListener('keydown', (e) => {
    const box = topBox();
    if (!box) return;
    if (!(e.target instanceof Node) || !box.contains(e.target)) {
      e.preventDefault();
      e.stopImmediatePropagation();
      focusInto(box);
    } else if (e.key === 'Tab' && !e.ctrlKey && !e.altKey && !e.metaKey) {
      e.preventDefault();
      cycleFocus(box, e.shiftKey);
    }
  }, true);

  // Escape once the box's own fields had the key, as the browser's close
  // request comes after the key's handlers.
  window.addEventListener('keydown', (e) => {
    const box = topBox();
    if (box && e.key === 'Escape' && !e.defaultPrevented && box.contains(e.target)) requestCancel(box);
  });

  // Script may not move the focus out from under the box.
  document.addEventListener('focusin', (e) => {
    const box = topBox();
    if (box && e.target instanceof Node && !box.contains(e.target)) focusInto(box);
  });

  // A press on the layer round the box, or on its text, title or margins,
  // keeps the focus where it is: the box itself can take the focus (it
  // scrolls when its text is long), and a box holding it would leave Enter
  // with no button to press.
  document.addEventListener('mousedown', (e) => {
    const box = topBox();
    if (box && e.target instanceof Element && box.contains(e.target) && !e.target.closest(FIELDS)) e.preventDefault();
  }, true);

  // Shows `box` over the page and resolves with what `finish` is given.
  function runModal(box, setUp) {
    return new Promise((resolve) => {
      let done = false;
      const finish = (result) => {
        if (done) return;
        done = true;
        closeBox(box);
        resolve(result);
      };
      document.body.append(box);
      setUp(finish);
      showBox(box);
    });
  }

  // MsgBox(text, flags, title) -> Promise of the pressed button's value.
  function MsgBox(text, flags, title) {
    flags = Number(flags) || 0;
    const buttons = BUTTONS[flags & 7] || BUTTONS[0];
    const icon = ICONS[flags & 0x70];
    const defaultIndex = Math.min(buttons.length - 1, (flags & 0x300) >> 8);
    const values = buttons.map((b) => b[1]);
    // Escape gives Cancel, else No, else the only button.
    const escapeValue = values.includes(2) ? 2 : values.includes(7) ? 7 : values[values.length - 1];

    const box = el('dialog', { className: 'zolt-dialog zolt-msgbox' });
    box.append(titleBar(titleOf(title)));
    const body = el('div', { className: 'zolt-msgbox-body' });
    if (icon) body.append(el('span', { className: 'zolt-icon zolt-icon-' + icon[0], textContent: icon[1] }));
    body.append(el('div', { className: 'zolt-msgbox-text', textContent: String(text === undefined ? '' : text) }));
    box.append(body);
    const row = el('div', { className: 'zolt-buttons' });
    box.append(row);

    return runModal(box, (finish) => {
      buttons.forEach(([caption, value], i) => {
        const b = el('button', { type: 'button', textContent: caption });
        b.addEventListener('click', () => finish(value));
        if (i === defaultIndex) b.autofocus = true;
        row.append(b);
      });
      box.addEventListener('cancel', (e) => { e.preventDefault(); finish(escapeValue); });
    });
  }

  // The input box: the typed text, or null when cancelled.
  function inputBox(prompt, title, dflt) {
    const box = el('dialog', { className: 'zolt-dialog zolt-inputbox' });
    box.append(titleBar(titleOf(title)));
    const input = el('input', { type: 'text', className: 'zolt-input', value: dflt == null ? '' : String(dflt) });
    input.autofocus = true;
    const ok = el('button', { type: 'button', textContent: 'OK' });
    const cancel = el('button', { type: 'button', textContent: 'Cancel' });
    box.append(el('div', { className: 'zolt-inputbox-body' }, [
      el('div', { className: 'zolt-msgbox-text', textContent: String(prompt == null ? '' : prompt) }),
      el('div', { className: 'zolt-buttons zolt-buttons-side' }, [ok, cancel]),
    ]), input);
    return runModal(box, (finish) => {
      ok.addEventListener('click', () => finish(input.value));
      cancel.addEventListener('click', () => finish(null));
      input.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') { e.preventDefault(); finish(input.value); }
      });
      box.addEventListener('cancel', (e) => { e.preventDefault(); finish(null); });
      setTimeout(() => input.select(), 0);
    });
  }

  // AskInput(prompt, default, title) -> Promise of the text typed (OK or
  // Enter; "" when the answer was left empty), or null when the box was
  // cancelled (Cancel, Escape or its close box). The title is "ZOLT" unless
  // one is given.
  function AskInput(prompt, dflt, title) {
    return inputBox(prompt, title, dflt);
  }

  // ---- the file chooser frmDialog. The host opens and closes it and answers
  // its events; the page only draws it.
  let chooser = null;

  function hostDialog(event, value) {
    return window.ZoltBridge.hostCall('dialog', [event, value == null ? '' : String(value)]);
  }

  function fillList(list, entries) {
    list.replaceChildren(...entries.map(([text, value]) => el('option', { textContent: text, value })));
  }

  function renderChooser(state) {
    if (!chooser || !state) return;
    const c = chooser;
    c.box.querySelector('.zolt-caption').textContent = state.caption;
    c.box.dataset.mode = state.caption;
    fillList(c.drive, state.drives.map((d) => [d, d]));
    c.dir.setAttribute('path', state.folder);
    c.path.textContent = state.folder;
    const up = state.folder === '/' ? [] : [['..', '..']];
    fillList(c.dir, up.concat(state.folders.map((f) => [f, f])));
    c.file.setAttribute('pattern', state.pattern);
    c.pattern.textContent = state.pattern;
    fillList(c.file, state.files.map((f) => [f, f]));
    c.name.value = state.name;
    c.name.disabled = !state.nameEnabled;
    c.button.textContent = state.button;
  }

  async function chooserEvent(event, value) {
    const state = await hostDialog(event, value);
    if (state) renderChooser(JSON.parse(state));
  }

  function ZoltFileDialogOpen(stateJson) {
    ZoltFileDialogClose();
    const box = el('dialog', { id: 'frmDialog', className: 'zolt-dialog zolt-chooser' });
    const closeBox = () => { hostDialog('close', ''); ZoltFileDialogClose(); };
    box.append(titleBar('Velkora', closeBox));
    const label = (id, forId, text) => {
      const l = el('label', { id, textContent: text });
      l.htmlFor = forId;
      return l;
    };
    const drive = el('select', { id: 'Drive1' });
    const path = el('div', { id: 'Dir1Path', className: 'zolt-path' });
    const dir = el('select', { id: 'Dir1', size: 9 });
    const pattern = el('span', { id: 'File1Pattern', className: 'zolt-pattern' });
    const file = el('select', { id: 'File1', size: 9 });
    const name = el('input', { id: 'txtFileName', type: 'text' });
    const button = el('button', { id: 'btnAll', type: 'button', textContent: 'Save' });
    box.append(el('div', { className: 'zolt-chooser-body' }, [
      el('div', { className: 'zolt-chooser-left' }, [
        label('Label1', 'Drive1', 'Drive(s):'), drive,
        label('Label2', 'Dir1', 'Folder(s):'), path, dir,
      ]),
      el('div', { className: 'zolt-chooser-right' }, [
        label('Label3', 'File1', 'File(s):'), pattern, file,
        label('Label4', 'txtFileName', 'File Name:'), name, button,
      ]),
    ]));
    chooser = { box, drive, path, dir, pattern, file, name, button };

    const openFolder = () => { if (dir.value) chooserEvent('dir', dir.value); };
    dir.addEventListener('dblclick', openFolder);
    dir.addEventListener('keydown', (e) => { if (e.key === 'Enter') { e.preventDefault(); openFolder(); } });
    drive.addEventListener('change', () => chooserEvent('drive', drive.value));
    file.addEventListener('change', () => { if (file.value) name.value = file.value; });
    file.addEventListener('click', () => { if (file.value) name.value = file.value; });
    // A double click on a file takes it, as the button does.
    file.addEventListener('dblclick', () => {
      if (!file.value) return;
      name.value = file.value;
      button.click();
    });
    name.addEventListener('keydown', (e) => { if (e.key === 'Enter') { e.preventDefault(); button.click(); } });
    button.addEventListener('click', async () => {
      if (button.disabled) return;
      button.disabled = true;
      try {
        await hostDialog('button', name.value);
      } finally {
        button.disabled = false;
      }
    });
    box.addEventListener('cancel', (e) => { e.preventDefault(); closeBox(); });

    document.body.append(box);
    renderChooser(JSON.parse(stateJson));
    showBox(box);
    (name.disabled ? dir : name).focus();
  }

  function ZoltFileDialogClose() {
    if (!chooser) return;
    const { box } = chooser;
    chooser = null;
    closeBox(box);
  }

  // ---- closing the designer: Ctrl+Q or the close control.
  async function ZoltRequestClose() {
    // The code the code window shows is part of what may be saved.
    if (typeof window.SaveShownCode === 'function') window.SaveShownCode();
    const ending = await window.ZoltBridge.hostCall('close', []);
    if (ending) {
      window.ZoltBridge.markEnded();
      ZoltClosed = true;
      const notice = el('div', { id: 'zoltClosed', className: 'zolt-notice', textContent: 'ZOLT has ended. You can close this window.' });
      document.body.append(notice);
      window.close();
    }
    return ending;
  }

  let ZoltClosed = false;

  window.addEventListener('keydown', (e) => {
    if (e.ctrlKey && !e.altKey && (e.key === 'q' || e.key === 'Q')) {
      e.preventDefault();
      if (!window.ZoltBridge.busy) ZoltRequestClose();
    }
  });

  // The browser's own leave-page question while the project has unsaved changes.
  window.addEventListener('beforeunload', (e) => {
    const changed = window.bProjectInfoChanged;
    if (!ZoltClosed && (changed === true || changed === 'True')) {
      e.preventDefault();
      e.returnValue = '';
    }
  });

  function addCloseControl() {
    if (document.getElementById('ZoltCloseButton')) return;
    const b = el('button', { id: 'ZoltCloseButton', type: 'button', title: 'Close ZOLT (Ctrl+Q)', textContent: '\u00d7' });
    b.addEventListener('click', () => { if (!window.ZoltBridge.busy) ZoltRequestClose(); });
    document.body.append(b);
  }
  if (document.body) addCloseControl();
  else document.addEventListener('DOMContentLoaded', addCloseControl);

  window.MsgBox = MsgBox;
  window.AskInput = AskInput;
  window.ZoltDialogs = { inputBox, msgBox: MsgBox };
  window.ZoltFileDialogOpen = ZoltFileDialogOpen;
  window.ZoltFileDialogClose = ZoltFileDialogClose;
  window.ZoltRequestClose = ZoltRequestClose;
})();

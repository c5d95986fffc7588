// The undo history of the design surface: the one path every change to the
// forms and their controls takes, so that it can be undone and redone.
//
// Recording a change
//   SurfaceChange(label, change, options)
// runs `change` (a function; when it is async, SurfaceChange returns its
// promise) as ONE undo step. Inside it the caller changes the surface with
// ordinary DOM calls, and the history records them all, in order:
//   - attributes: setAttribute / removeAttribute on a form or anything in it
//     (a control's properties, a form's counters GLblCount ..., a tab's
//     Contents), and the page body's own attributes (the project's code);
//   - styles: element.style.left = ... (each inline style property that
//     changed is put back on undo, so later changes of other properties
//     survive);
//   - insert: insertAdjacentHTML, appendChild, insertBefore, innerHTML inside
//     a form; a form added to the page; an option added to the forms list;
//   - remove: element.remove(), removeChild, of controls, forms and options;
//   - text: a text node's characters inside a form (a caption).
// A SurfaceChange inside another one joins it. Menus, keys and the property
// window call the routines that do this (CreateControl, PasteControl, ...),
// never the DOM directly. Options:
//   {merge: key}  the step joins the step before it when that one has the
//                 same key and nothing came between (a run of arrow keys is
//                 one step); EndChangeRun() ends the run (a click, another key).
//   {view: true}  a change of what is shown rather than of the project (a tab
//                 page brought forward): undone together with the step below
//                 it, so the history stays in order, and never a step of its
//                 own. Structural changes inside forms made outside any step
//                 are kept as such view entries too.
// Recording does not mark the project changed: the routine still sets
// bProjectInfoChanged itself. The property window applies each change of a
// field as one step (properties/update.js), for example a caption:
//   SurfaceChange('Property Caption', function () {
//     el.setAttribute('Caption', text);
//     el.textContent = text;
//     bProjectInfoChanged = true;
//   });
// Changes that only mark the selection (caption bar colours, a form brought
// forward by selecting it) run inside OutsideHistory(fn) and are not part of
// any step. A step that also changed something outside the page (a form's
// file renamed by the host) registers, while it is recorded,
// AfterStepMoves(fn): fn(pUndo) runs after the step is undone or redone and
// puts that right too.
//
// Numbering and the clipboard
// A step keeps the page variables that number forms and controls as they
// were before and after it: arrControlDelete (freed control numbers),
// arrNewFormOrder (freed form numbers) and NewFormCount. Undo puts the
// "before" values back, redo the "after" ones, so an undone delete takes its
// numbers back and an undone create frees nothing. The per-form counters are
// attributes of the forms and come back with them. zIndexCounter only grows
// and is not restored. The clipboard (clipboard.js) is restored with a step
// only while it still holds what the step left in it.
//
// Undo() and Redo() (the Action menu and Ctrl+Z / Ctrl+Y) mark the project
// changed (bProjectInfoChanged) and select what the step changed. At least
// UndoLimit steps are kept. The host calls ClearUndoHistory() when it resets
// the page for a new or an opened project, so history starts empty there;
// a form file loaded into the project starts it afresh too.

var UndoLimit = 200;
var UndoSteps = [];          // oldest first
var RedoSteps = [];          // the next step to redo last
var OpenSurfaceStep = null;  // the step being recorded
var ChangeRunOpen = false;   // the top step may take in the next change of its run
var HistoryObserver = null;  // records the changes of the open step
var HistoryWatch = null;     // notices structural changes made outside any step
var HistoryStateNames = ['arrControlDelete', 'arrNewFormOrder', 'NewFormCount'];

function SurfaceChange(pLabel, pChange, pOptions) {
  if (OpenSurfaceStep) return pChange();
  BeginSurfaceStep(pLabel, pOptions);
  var result;
  try {
    result = pChange();
  } catch (e) {
    EndSurfaceStep();
    throw e;
  }
  if (result && typeof result.then === 'function') {
    return result.then(function (v) { EndSurfaceStep(); return v; },
      function (e) { EndSurfaceStep(); throw e; });
  }
  EndSurfaceStep();
  return result;
}

// Registers what puts right, after an undo or redo of the step being
// recorded, what it changed outside the page.
function AfterStepMoves(pFn) {
  if (OpenSurfaceStep) OpenSurfaceStep.moves.push(pFn);
}

// Runs pFn without recording what it changes (selection marks only).
function OutsideHistory(pFn) {
  if (!OpenSurfaceStep) return pFn();
  KeepObservedRecords();
  try {
    return pFn();
  } finally {
    if (HistoryObserver) HistoryObserver.takeRecords();
  }
}

// A step is opened and closed around a mouse drag (movesize.js) as well.
function BeginSurfaceStep(pLabel, pOptions) {
  var o = pOptions || {};
  FlushHistoryWatch();
  OpenSurfaceStep = { label: pLabel, view: !!o.view, merge: o.merge || '', records: [],
    nodes: [], attrs: [], moves: [], before: HistoryState(), after: null };
  if (typeof MutationObserver !== 'function' || typeof document === 'undefined') return;
  if (!HistoryObserver) HistoryObserver = new MutationObserver(function (records) { KeepRecords(records); });
  ObserveSurface(HistoryObserver);
}

function EndSurfaceStep() {
  var step = CloseSurfaceStep();
  if (step) CommitStep(step);
  return step;
}

// Ends the open step and puts back everything it changed (Escape in a drag).
function CancelSurfaceStep() {
  var step = CloseSurfaceStep();
  if (step) ApplyHistoryStep(step, true);
  DiscardHistoryWatch();
}

function CloseSurfaceStep() {
  var step = OpenSurfaceStep;
  if (!step) return null;
  KeepObservedRecords();
  if (HistoryObserver) HistoryObserver.disconnect();
  OpenSurfaceStep = null;
  DiscardHistoryWatch();
  CompileStep(step, step.records);
  step.records = null;
  step.after = HistoryState();
  var stateChanged = JSON.stringify(step.before.values) !== JSON.stringify(step.after.values) ||
    step.before.clipboard !== step.after.clipboard;
  return step.nodes.length || step.attrs.length || stateChanged ? step : null;
}

function KeepObservedRecords() {
  if (HistoryObserver) KeepRecords(HistoryObserver.takeRecords());
}

function KeepRecords(pRecords) {
  if (!OpenSurfaceStep) return;
  for (var k = 0; k < pRecords.length; k++) OpenSurfaceStep.records.push(pRecords[k]);
}

// The forms (each with all it holds), the page body's attributes and forms,
// and the forms lists.
function ObserveSurface(pObserver) {
  var body = document.body;
  pObserver.observe(body, { childList: true, attributes: true, attributeOldValue: true });
  for (var k = 0; k < body.children.length; k++) {
    if (IsFormElement(body.children[k])) {
      pObserver.observe(body.children[k], { subtree: true, childList: true, attributes: true, attributeOldValue: true,
        characterData: true, characterDataOldValue: true });
    }
  }
  ['x_FormsList_x', 'x_StyleFormList_x'].forEach(function (id) {
    var list = document.getElementById(id);
    if (list) pObserver.observe(list, { childList: true });
  });
}

// Turns the observed records into the step's structural changes (in order)
// and its attribute changes (one per element and attribute: the value before
// the step and after it; a text whose characters changed counts as the
// attribute "#text" of its node).
function CompileStep(pStep, pRecords) {
  var firstValues = new Map();
  for (var k = 0; k < pRecords.length; k++) {
    var r = pRecords[k];
    if (r.type === 'childList') {
      if (r.target !== document.body || RecordTouchesForm(r)) pStep.nodes.push(NodeChange(r));
      continue;
    }
    var name = r.type === 'attributes' ? r.attributeName : '#text';
    var values = firstValues.get(r.target);
    if (!values) { values = new Map(); firstValues.set(r.target, values); }
    if (!values.has(name)) values.set(name, r.oldValue);
  }
  firstValues.forEach(function (values, node) {
    values.forEach(function (before, name) {
      var after = name === '#text' ? node.data : node.getAttribute(name);
      if (after !== before) pStep.attrs.push({ el: node, name: name, before: before, after: after });
    });
  });
}

function RecordTouchesForm(pRecord) {
  return Array.prototype.some.call(pRecord.addedNodes, IsFormElement) ||
    Array.prototype.some.call(pRecord.removedNodes, IsFormElement);
}

function NodeChange(pRecord) {
  return { parent: pRecord.target, added: Array.prototype.slice.call(pRecord.addedNodes),
    removed: Array.prototype.slice.call(pRecord.removedNodes), next: pRecord.nextSibling };
}

// The numbering variables (copied) and the clipboard, as they are now.
function HistoryState() {
  var values = {};
  var g = typeof window !== 'undefined' ? window : globalThis;
  HistoryStateNames.forEach(function (name) {
    var v = g[name];
    values[name] = Array.isArray(v) ? v.slice() : v;
  });
  return { values: values, clipboard: typeof ClipboardState === 'function' ? ClipboardState() : null };
}

function RestoreHistoryState(pState, pLeft) {
  if (!pState) return;
  var g = typeof window !== 'undefined' ? window : globalThis;
  HistoryStateNames.forEach(function (name) {
    var v = pState.values[name];
    g[name] = Array.isArray(v) ? v.slice() : v;
  });
  if (typeof ClipboardState === 'function' && pLeft && ClipboardState() === pLeft.clipboard) {
    RestoreClipboard(pState.clipboard);
  }
}

// Puts a step's changes back (pUndo) or makes them again.
function ApplyHistoryStep(pStep, pUndo) {
  var k;
  if (pUndo) {
    for (k = pStep.attrs.length - 1; k >= 0; k--) {
      var a = pStep.attrs[k];
      SetRecordedAttribute(a.el, a.name, a.before, a.after);
    }
    for (k = pStep.nodes.length - 1; k >= 0; k--) MoveRecordedNodes(pStep.nodes[k], pStep.nodes[k].added, pStep.nodes[k].removed);
    RestoreHistoryState(pStep.before, pStep.after);
  } else {
    for (k = 0; k < pStep.nodes.length; k++) MoveRecordedNodes(pStep.nodes[k], pStep.nodes[k].removed, pStep.nodes[k].added);
    for (k = 0; k < pStep.attrs.length; k++) {
      var b = pStep.attrs[k];
      SetRecordedAttribute(b.el, b.name, b.after, b.before);
    }
    RestoreHistoryState(pStep.after, pStep.before);
  }
}

// Takes pOut out of the document and puts pIn back where the change found them.
function MoveRecordedNodes(pChange, pOut, pIn) {
  pOut.forEach(function (n) { if (n.parentNode) n.parentNode.removeChild(n); });
  var next = pChange.next && pChange.next.parentNode === pChange.parent ? pChange.next : null;
  pIn.forEach(function (n) { pChange.parent.insertBefore(n, next); });
}

// Sets an attribute to pValue. A style attribute that was changed since the
// step (pNow is what the step left) gets only the properties the step
// changed, so the other changes stay.
function SetRecordedAttribute(pEl, pName, pValue, pNow) {
  if (pName === '#text') {
    pEl.data = pValue;
    return;
  }
  var current = pEl.getAttribute(pName);
  // Code written in the code window since the step is the developer's
  // latest text: the step does not take it back.
  if (/^[fc]_/i.test(pName) && current !== pNow) return;
  if (pName === 'style' && current !== pNow && pValue !== null) {
    var from = StyleProperties(pNow), to = StyleProperties(pValue);
    Object.keys(Object.assign({}, from, to)).forEach(function (prop) {
      if (from[prop] === to[prop]) return;
      if (to[prop]) pEl.style.setProperty(prop, to[prop]);
      else pEl.style.removeProperty(prop);
    });
  } else if (pValue === null) {
    pEl.removeAttribute(pName);
  } else if (current !== pValue) {
    pEl.setAttribute(pName, pValue);
  }
}

var StyleScratch = null;

// The declared properties of a style text: name -> value.
function StyleProperties(pText) {
  StyleScratch = StyleScratch || document.createElement('DIV');
  StyleScratch.setAttribute('style', pText || '');
  var out = {}, s = StyleScratch.style;
  for (var k = 0; k < s.length; k++) out[s[k]] = s.getPropertyValue(s[k]);
  return out;
}

// Adds a closed step to the history: joined to the step of its run, or on
// top. Every new step ends what could be redone.
function CommitStep(pStep) {
  var top = UndoSteps[UndoSteps.length - 1];
  if (pStep.merge && ChangeRunOpen && top && top.merge === pStep.merge) {
    MergeSteps(top, pStep);
  } else {
    UndoSteps.push(pStep);
    // The oldest entries go first; view entries are kept within bounds too.
    while (UndoSteps.length > 4 * UndoLimit || UndoSteps.filter(function (s) { return !s.view; }).length > UndoLimit) {
      UndoSteps.shift();
    }
  }
  RedoSteps = [];
  if (!pStep.view) ChangeRunOpen = !!pStep.merge;
}

function MergeSteps(pInto, pNext) {
  pInto.nodes = pInto.nodes.concat(pNext.nodes);
  pNext.attrs.forEach(function (a) {
    var same = pInto.attrs.find(function (b) { return b.el === a.el && b.name === a.name; });
    if (same) same.after = a.after;
    else pInto.attrs.push(a);
  });
  pInto.moves = (pInto.moves || []).concat(pNext.moves || []);
  pInto.after = pNext.after;
}

function EndChangeRun() { ChangeRunOpen = false; }

function CanUndo() { return UndoSteps.some(function (s) { return !s.view; }); }
function CanRedo() { return RedoSteps.length > 0; }

// Undoes the last step (and the view entries above it).
async function Undo() {
  if (OpenSurfaceStep) return;
  FlushHistoryWatch();
  if (!CanUndo()) return;
  var step;
  do {
    step = UndoSteps.pop();
    ApplyHistoryStep(step, true);
    RedoSteps.push(step);
  } while (step.view);
  await AfterHistoryMove(step, true);
}

// Makes the last undone step again (and the view entries that followed it).
async function Redo() {
  if (OpenSurfaceStep) return;
  FlushHistoryWatch();
  if (!CanRedo()) return;
  var step = RedoSteps.pop();
  ApplyHistoryStep(step, false);
  UndoSteps.push(step);
  while (RedoSteps.length && RedoSteps[RedoSteps.length - 1].view) {
    var view = RedoSteps.pop();
    ApplyHistoryStep(view, false);
    UndoSteps.push(view);
  }
  await AfterHistoryMove(step, false);
}

// After an undo or redo: what the step changed is selected and shown, and
// what it changed outside the page is put right.
async function AfterHistoryMove(pStep, pUndo) {
  DiscardHistoryWatch();
  ChangeRunOpen = false;
  bProjectInfoChanged = true;
  await SelectStepChanges(pStep);
  var moves = (pStep.moves || []).slice();
  if (pUndo) moves.reverse();
  for (var k = 0; k < moves.length; k++) await moves[k](pUndo);
  if (typeof RefreshPropertyWindow === 'function') RefreshPropertyWindow();
}

// Selects the controls a step changed that are on the surface, else its form.
async function SelectStepChanges(pStep) {
  var elements = pStep.attrs.map(function (a) { return a.el; });
  pStep.nodes.forEach(function (n) { elements = elements.concat(n.added, n.removed, [n.parent]); });
  var controls = OutermostControls(elements.filter(function (e) {
    return e.nodeType === 1 && e.isConnected && IsControlElement(e);
  }));
  if (controls.length) {
    await SelectArrangedControls(controls.filter(function (c) { return FormOf(c) === FormOf(controls[0]); }));
    return;
  }
  var form = elements.map(FormOf).find(function (f) { return f && f.isConnected; }) ||
    (IsElementNode(SelectedFormObj) && SelectedFormObj.isConnected ? SelectedFormObj : null);
  if (form) {
    await UpdateWhichFormHasTheFocus(form);
    return;
  }
  var list = FormsList();
  if (list && list.options.length) {
    list.selectedIndex = 0;
    await UpdateWhichFormHasTheFocus(list.options[0].value);
  } else {
    ClearControlSelection();
    SelectedObj = '';
    SelectedFormObj = '';
    SelectedFormID = 0;
  }
}

function ClearUndoHistory() {
  DiscardHistoryWatch();
  UndoSteps = [];
  RedoSteps = [];
  ChangeRunOpen = false;
}

// Structural changes inside forms made outside any step become view entries,
// so that every step below them still finds its elements where it left them.
// A form that comes or goes outside any step (a form file the host loads)
// starts the history afresh: no step may bring back a form it replaced.
function WatchedRecords(pRecords) {
  if (OpenSurfaceStep) return;
  if (pRecords.some(function (r) { return r.target === document.body && RecordTouchesForm(r); })) {
    ClearUndoHistory();
    return;
  }
  var nodes = pRecords.filter(function (r) { return FormOf(r.target); }).map(NodeChange);
  if (nodes.length) CommitStep({ label: '', view: true, merge: '', nodes: nodes, attrs: [], before: null, after: null });
}

function FlushHistoryWatch() { if (HistoryWatch) WatchedRecords(HistoryWatch.takeRecords()); }
function DiscardHistoryWatch() { if (HistoryWatch) HistoryWatch.takeRecords(); }

(function StartHistoryWatch() {
  if (typeof MutationObserver !== 'function' || typeof document === 'undefined' || !document.body) return;
  HistoryWatch = new MutationObserver(WatchedRecords);
  HistoryWatch.observe(document.body, { childList: true, subtree: true });
})();

// The keys of the design surface. Each binding names a command of
// ArrangeCommands (commands.js), which the Action menu calls too. Keys typed
// into a text field, a list, a box of the host or one of the designer's own
// windows (property, code, find, style) never reach these commands.

var ArrangeKeyBindings = [
  { key: 'ArrowLeft', command: 'Nudge', args: [37, 1] },
  { key: 'ArrowUp', command: 'Nudge', args: [38, 1] },
  { key: 'ArrowRight', command: 'Nudge', args: [39, 1] },
  { key: 'ArrowDown', command: 'Nudge', args: [40, 1] },
  { key: 'ArrowLeft', shift: true, command: 'Nudge', args: [37, 10] },
  { key: 'ArrowUp', shift: true, command: 'Nudge', args: [38, 10] },
  { key: 'ArrowRight', shift: true, command: 'Nudge', args: [39, 10] },
  { key: 'ArrowDown', shift: true, command: 'Nudge', args: [40, 10] },
  { key: 'Delete', command: 'Delete' },
  { key: 'x', ctrl: true, command: 'Cut' },
  { key: 'c', ctrl: true, command: 'Copy' },
  { key: 'v', ctrl: true, command: 'Paste' },
  { key: 'z', ctrl: true, command: 'Undo' },
  { key: 'y', ctrl: true, command: 'Redo' },
  { key: 'z', ctrl: true, shift: true, command: 'Redo' },
  { key: 'a', ctrl: true, command: 'SelectAll' },
];

// Windows of the designer whose keys are their own.
var KeyOwningWindows = ['xC_xodeWindox_xw', 'FindTextWindow', 'x_MainProp_x', 'x_StyleWindow_x',
  'ProjectProperties', 'ChangeProjectName', 'x_FuncListWin_x'];

var ModifierKeys = ['Shift', 'Control', 'Alt', 'Meta'];

// The moves of the arrow keys by key code.
var ArrowKeyMoves = { 37: [-1, 0], 38: [0, -1], 39: [1, 0], 40: [0, 1] };

var HandledArrangeKeys = new WeakSet();

function FindKeyBinding(ev) {
  var key = String(ev.key || '').toLowerCase();
  var ctrl = !!(ev.ctrlKey || ev.metaKey);
  if (ev.altKey) return null;
  return ArrangeKeyBindings.find(function (b) {
    return b.key.toLowerCase() === key && !!b.ctrl === ctrl && !!b.shift === !!ev.shiftKey;
  }) || null;
}

// True when a key went to the design surface: a form body, or nothing that
// takes typing (the page itself, a toolbar button).
function IsDesignSurfaceKey(ev) {
  var t = ev.target;
  if (!t || t.nodeType !== 1) return true;
  if (FormBodyOf(t)) return true;
  if (t.closest('dialog')) return false;
  for (var k = 0; k < KeyOwningWindows.length; k++) {
    var win = document.getElementById(KeyOwningWindows[k]);
    if (win && win.contains(t)) return false;
  }
  return !(t.tagName === 'INPUT' || t.tagName === 'TEXTAREA' || t.tagName === 'SELECT' || t.isContentEditable);
}

// Every key down of the page passes here first (and the form body's own key
// handler, CheckDelete, sends its keys here too; each key counts once).
function ArrangeKeyDown(ev) {
  if (HandledArrangeKeys.has(ev)) return;
  HandledArrangeKeys.add(ev);
  if (ArrangeDrag && ArrangeDrag.started) {
    // During a drag only Escape counts: it puts everything back.
    if (ev.key === 'Escape') StopArrangeDrag(true);
    ev.preventDefault();
    return;
  }
  if (ModifierKeys.indexOf(ev.key) >= 0 || !IsDesignSurfaceKey(ev)) return;
  var binding = FindKeyBinding(ev);
  // Any other key of the surface ends a run of arrow keys.
  if (!binding || binding.command !== 'Nudge') EndChangeRun();
  if (!binding) return;
  ev.preventDefault();
  RunArrangeCommand(binding.command, binding.args);
}

// Key down in a form body or a text area control: the arrow keys, Delete
// and the other keys of the surface (pID, the selected control's number, is
// not needed: the keys work on every selected control).
function CheckDelete(pID) {
  var ev = typeof window !== 'undefined' ? window.event : null;
  if (ev && ev.type === 'keydown') ArrangeKeyDown(ev);
}

// Where a control of box pBox goes when nudged pStep pixels along pMove
// ([dx, dy] of one pixel): as far as it can inside pRoom, up to pStep; null
// when it cannot move at all.
function NudgedPlace(pBox, pMove, pStep, pRoom) {
  for (var s = pStep; s > 0; s--) {
    var left = pBox.left + pMove[0] * s, top = pBox.top + pMove[1] * s;
    var kept = KeptInside(left, top, pBox.width, pBox.height, pRoom);
    if (kept.left === left && kept.top === top) return { left: left, top: top };
  }
  return null;
}

// Moves every selected control by one pixel (pStep pixels) in the direction
// of the arrow key pDirection (37 left, 38 up, 39 right, 40 down), unless the
// form is locked. A control goes no further than its container lets it
// (where CheckPosition would leave it alone). A run of presses is one undo
// step.
function ArrowKeyMoveControl(pDirection, pStep) {
  var move = ArrowKeyMoves[pDirection];
  var controls = ControlsToArrange();
  if (!move || !controls.length || !CheckFormLock(FormOf(controls[0]))) return;
  var step = Number(pStep) || 1;
  var boxes = controls.map(ControlBox);
  var rooms = controls.map(ContainerRoom);
  SurfaceChange('Nudge', function () {
    var moved = false;
    controls.forEach(function (c, k) {
      var place = NudgedPlace(boxes[k], move, step, rooms[k]);
      if (!place) return;
      SetControlBox(c, place);
      moved = true;
    });
    if (!moved) return;
    StoreTabPagesOf(controls);
    bProjectInfoChanged = true;
  }, { merge: 'Nudge' });
  ShowPosition(IsInControlSelection(SelectedObj) ? SelectedObj : controls[0]);
}

(function InstallArrangeKeys() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  document.addEventListener('keydown', ArrangeKeyDown, true);
})();

// The page's own control selection on the design surface: a click on a
// control in a form body selects it (shift or ctrl adds it to the selection),
// a click on the empty form body clears it, and each selected control is
// drawn with a frame and eight grab handles. Native text editing of the
// editable form bodies is kept off; moving and resizing build on this.

var ControlSelection = [];
var SelectionFrameRequest = 0;
var SelectionHandleNames = ['nw', 'n', 'ne', 'e', 'se', 's', 'sw', 'w'];

function PruneControlSelection() {
  ControlSelection = ControlSelection.filter(function (e) { return e && e.isConnected; });
  return ControlSelection;
}

function GetSelectedControls() { return PruneControlSelection().slice(); }
function IsControlSelection() { return PruneControlSelection().length > 0; }
function IsInControlSelection(pEl) { return PruneControlSelection().indexOf(pEl) >= 0; }

function SelectControls(pList) {
  ControlSelection = (pList || []).filter(function (e) { return e && e.nodeType === 1; });
  RequestSelectionFrames();
}

function AddToControlSelection(pEl) {
  if (!IsInControlSelection(pEl)) ControlSelection.push(pEl);
  RequestSelectionFrames();
}

function ClearControlSelection() {
  ControlSelection = [];
  RequestSelectionFrames();
}

// True when pSrc lies in (or is) a selected control.
function IsClickOnSelectedControl(pSrc) {
  var sel = PruneControlSelection();
  for (var k = 0; k < sel.length; k++) if (sel[k] === pSrc || sel[k].contains(pSrc)) return true;
  return false;
}

// The form body an element lies in, or null.
function FormBodyOf(pEl) {
  for (var e = pEl; e && e.getAttribute; e = e.parentElement) {
    if (ModelType(e) === 'TF') return e;
    if (IsFormElement(e)) return null;
  }
  return null;
}

// The innermost control holding pEl inside a form body, or null.
function NearestControl(pEl) {
  for (var e = pEl; e && e.getAttribute; e = e.parentElement) {
    if (ModelType(e) === 'TF' || IsFormElement(e)) return null;
    if (IsControlElement(e)) return e;
  }
  return null;
}

function RequestSelectionFrames() {
  if (SelectionFrameRequest || typeof requestAnimationFrame !== 'function') return;
  SelectionFrameRequest = requestAnimationFrame(DrawSelectionFrames);
}

// A layer of the page over the forms for the designer's own marks (the
// selection frames, guide lines), made when first asked for. It is drawn on
// its own, so that marks following a drag do not paint the forms again, and
// it shares the stacking order of the form it marks, so it stays after every
// form.
function MarksLayer(pId) {
  var layer = document.getElementById(pId);
  if (!layer) {
    layer = document.createElement('DIV');
    layer.id = pId;
    layer.style.cssText = 'position:absolute;left:0;top:0;width:0;height:0;overflow:visible;pointer-events:none;will-change:transform';
  }
  var after = layer.parentNode ? layer.nextElementSibling : null;
  while (after && !IsFormElement(after)) after = after.nextElementSibling;
  if (!layer.parentNode || after) document.body.appendChild(layer);
  return layer;
}

function SelectionLayer() { return MarksLayer('x_SelectionFrames_x'); }

function NewSelectionFrame() {
  var frame = document.createElement('DIV');
  frame.className = 'x_SelFrame_x';
  for (var k = 0; k < SelectionHandleNames.length; k++) {
    var h = document.createElement('DIV');
    h.className = 'x_SelHandle_x';
    h.setAttribute('handle', SelectionHandleNames[k]);
    frame.appendChild(h);
  }
  return frame;
}

// Draws a frame with handles round every selected control, on every
// animation frame while there is a selection, so frames follow the controls.
function DrawSelectionFrames() {
  SelectionFrameRequest = 0;
  var sel = PruneControlSelection();
  var layer = document.getElementById('x_SelectionFrames_x');
  if (!sel.length) { if (layer) layer.style.display = 'none'; return; }
  layer = SelectionLayer();
  var form = FormOf(sel[0]);
  SetChangedStyles(layer, { display: '', zIndex: form ? getComputedStyle(form).zIndex : '' });
  while (layer.children.length < sel.length) layer.appendChild(NewSelectionFrame());
  while (layer.children.length > sel.length) layer.removeChild(layer.lastChild);
  var sx = window.scrollX || 0, sy = window.scrollY || 0;
  for (var k = 0; k < sel.length; k++) {
    var frame = layer.children[k];
    var r = sel[k].getBoundingClientRect();
    SetChangedStyles(frame, { display: r.width > 0 || r.height > 0 ? '' : 'none',
      left: (r.left + sx - 1) + 'px', top: (r.top + sy - 1) + 'px', width: r.width + 'px', height: r.height + 'px' });
    var primary = sel[k] === SelectedObj ? 'true' : 'false';
    if (frame.getAttribute('primary') !== primary) frame.setAttribute('primary', primary);
  }
  RequestSelectionFrames();
}

// Frames are drawn again on every animation frame: only what moved is written.
function SetChangedStyles(pEl, pStyles) {
  for (var name in pStyles) if (pEl.style[name] !== pStyles[name]) pEl.style[name] = pStyles[name];
}

// Mouse down in a form body: select the control under the mouse, or clear the
// selection on the empty body. The form body keeps the keyboard focus, so its
// key handler sees Delete and the arrow keys.
function DesignSurfaceMouseDown(ev) {
  var body = FormBodyOf(ev.target);
  if (!body) return;
  ev.preventDefault();
  if (body.focus) body.focus({ preventScroll: true });
  if (ev.button !== 0) return;
  var control = NearestControl(ev.target);
  var adding = ev.shiftKey || ev.ctrlKey;
  // On the empty body a band may start; with Shift it adds to the selection.
  if (!control) { if (!adding) ClearControlSelection(); return; }
  var sel = PruneControlSelection();
  if (adding && sel.length && FormBodyOf(sel[0]) === body) AddToControlSelection(control);
  else if (sel.indexOf(control) < 0) SelectControls([control]);
  UpdateWhichControlHasTheFocus(control);
}

// No text editing, dropping or native dragging inside form bodies, and no
// default action of clicks there (links, radio buttons).
function DesignSurfaceCancel(ev) {
  if (FormBodyOf(ev.target)) ev.preventDefault();
}

function InstallDesignSurface() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  document.addEventListener('mousedown', DesignSurfaceMouseDown, true);
  ['beforeinput', 'drop', 'dragstart', 'click'].forEach(function (type) {
    document.addEventListener(type, DesignSurfaceCancel, true);
  });
  var style = document.createElement('STYLE');
  style.textContent =
    '[controltype="TF" i]{caret-color:transparent;outline:none;-webkit-user-select:none;user-select:none}' +
    '.x_SelFrame_x{position:absolute;box-sizing:border-box;border:1px solid #333;padding:0;margin:0}' +
    '.x_SelFrame_x .x_SelHandle_x{position:absolute;width:7px;height:7px;box-sizing:border-box;' +
    'background:#fff;border:1px solid #000;pointer-events:auto}' +
    '.x_SelFrame_x[primary=false] .x_SelHandle_x{background:#000}' +
    '.x_SelHandle_x[handle=nw]{left:-4px;top:-4px;cursor:nw-resize}' +
    '.x_SelHandle_x[handle=n]{left:calc(50% - 4px);top:-4px;cursor:n-resize}' +
    '.x_SelHandle_x[handle=ne]{right:-4px;top:-4px;cursor:ne-resize}' +
    '.x_SelHandle_x[handle=e]{right:-4px;top:calc(50% - 4px);cursor:e-resize}' +
    '.x_SelHandle_x[handle=se]{right:-4px;bottom:-4px;cursor:se-resize}' +
    '.x_SelHandle_x[handle=s]{left:calc(50% - 4px);bottom:-4px;cursor:s-resize}' +
    '.x_SelHandle_x[handle=sw]{left:-4px;bottom:-4px;cursor:sw-resize}' +
    '.x_SelHandle_x[handle=w]{left:-4px;top:calc(50% - 4px);cursor:w-resize}';
  (document.head || document.documentElement).appendChild(style);
}

InstallDesignSurface();

// Moving and resizing controls with the mouse, on the page's own selection
// frames: a drag on a selected control moves every selected control
// together; a drag on one of the eight handles resizes that control. Each
// drag is one undo step; Escape during a drag puts everything back. The
// rubber band (rubberband.js) is a drag of the same kind.
//
// A drag is an object {x, y (where the mouse went down), started, start(d),
// move(d, dx, dy, ev), finish(d), cancel(d)}: it starts once the mouse has
// travelled DragThreshold pixels with the button held.

var ArrangeDrag = null;
var DragThreshold = 3;
var MinControlSize = 4;
var SwallowNextClick = false;  // the click that ends a drag selects nothing

// The box a resize handle ("n", "se", "w", ...) gives after the mouse
// travelled pDx, pDy: only the handle's edges move, and never closer than
// pMin to the opposite edge.
function ResizedBox(pBox, pHandle, pDx, pDy, pMin) {
  var left = pBox.left, top = pBox.top, right = pBox.left + pBox.width, bottom = pBox.top + pBox.height;
  if (pHandle.indexOf('e') >= 0) right = Math.max(right + pDx, left + pMin);
  else if (pHandle.indexOf('w') >= 0) left = Math.min(left + pDx, right - pMin);
  if (pHandle.indexOf('s') >= 0) bottom = Math.max(bottom + pDy, top + pMin);
  else if (pHandle.indexOf('n') >= 0) top = Math.min(top + pDy, bottom - pMin);
  return { left: left, top: top, width: right - left, height: bottom - top };
}

// A box being resized kept where CheckPosition leaves controls alone: inside
// the room, off its edges.
function ResizedInside(pBox, pRoom) {
  var left = Math.max(pBox.left, 1), top = Math.max(pBox.top, 1);
  var right = Math.min(pBox.left + pBox.width, pRoom.width - 1);
  var bottom = Math.min(pBox.top + pBox.height, pRoom.height - 1);
  return { left: left, top: top, width: Math.max(right - left, 1), height: Math.max(bottom - top, 1) };
}

// The lines a control may snap to: its container's, and those of the other
// controls in it that are not being dragged.
function DragSnapLines(pControl, pDragged) {
  var container = pControl.parentElement;
  var others = Array.prototype.filter.call(container.children, function (c) {
    return IsControlElement(c) && pDragged.indexOf(c) < 0 && c.offsetParent !== null;
  });
  return SnapLines(others.map(DrawnBox), ContainerRoom(pControl));
}

// Mouse down on a selected control: a move may start.
function BeginMoveDrag(ev, pControl) {
  ArrangeDrag = { x: ev.clientX, y: ev.clientY, started: false, primary: pControl,
    additive: ev.shiftKey || ev.ctrlKey, start: StartMove, move: DragMove, finish: FinishMove, cancel: CancelMove };
}

function StartMove(d) {
  if (!CheckFormLock(FormOf(d.primary))) return false;
  var controls = ControlsToArrange();
  if (controls.indexOf(d.primary) < 0) controls = OutermostControls([d.primary].concat(controls));
  d.items = controls.map(function (c) { return { el: c, box: ControlBox(c), room: ContainerRoom(c) }; });
  d.drawn = DrawnBox(d.primary);
  d.guides = GuidePlace(d.primary.parentElement);
  d.lines = DragSnapLines(d.primary, controls);
  BeginSurfaceStep('Move');
  LiftControls(d.items);
  return true;
}

// While a drag goes on its controls are drawn on layers of their own, so
// that moving them does not paint again the forms under them.
function LiftControls(pItems) {
  pItems.forEach(function (it) { it.el.style.willChange = 'transform'; });
}

function LowerControls(pItems) {
  pItems.forEach(function (it) { it.el.style.removeProperty('will-change'); });
}

function DragMove(d, dx, dy, ev) {
  var box = { left: d.drawn.left + dx, top: d.drawn.top + dy, width: d.drawn.width, height: d.drawn.height };
  var snapped = ev.altKey ? { left: box.left, top: box.top, x: null, y: null } : SnapMove(box, d.lines, SnapDistance);
  // The controls move as one: at an edge, by what the most hindered of them may.
  var kept = d.items.map(function (it) {
    return KeptInside(it.box.left + snapped.left - d.drawn.left, it.box.top + snapped.top - d.drawn.top,
      it.box.width, it.box.height, it.room);
  });
  var sdx = Least(kept.map(function (p, k) { return p.left - d.items[k].box.left; }));
  var sdy = Least(kept.map(function (p, k) { return p.top - d.items[k].box.top; }));
  d.items.forEach(function (it) {
    SetControlBox(it.el, KeptInside(it.box.left + sdx, it.box.top + sdy, it.box.width, it.box.height, it.room));
  });
  ShowPosition(d.primary);
  ShowGuides(d.guides, snapped.x, snapped.y);
}

// The value nearest to zero.
function Least(pValues) {
  return pValues.reduce(function (m, v) { return Math.abs(v) < Math.abs(m) ? v : m; });
}

function FinishMove(d) {
  LowerControls(d.items);
  StoreTabPagesOf(d.items.map(function (it) { return it.el; }));
  if (EndSurfaceStep()) bProjectInfoChanged = true;
  HideGuides();
}

function CancelMove(d) {
  CancelSurfaceStep();
  HideGuides();
  ShowPosition(d.primary);
}

// Mouse down on a handle of a selection frame: that control may be resized.
function BeginResizeDrag(ev, pHandle) {
  var frame = pHandle.parentElement;
  var control = GetSelectedControls()[Array.prototype.indexOf.call(frame.parentElement.children, frame)];
  if (!control) return;
  ArrangeDrag = { x: ev.clientX, y: ev.clientY, started: false, primary: control, handle: pHandle.getAttribute('handle'),
    start: StartResize, move: DragResize, finish: FinishMove, cancel: CancelMove };
}

function StartResize(d) {
  var c = d.primary;
  if (!CheckFormLock(FormOf(c))) return false;
  var box = ControlBox(c);
  d.items = [{ el: c }];
  d.drawn = DrawnBox(c);
  // Borders and padding the style's size leaves out.
  d.extra = { width: d.drawn.width - box.width, height: d.drawn.height - box.height };
  d.room = ContainerRoom(c);
  d.guides = GuidePlace(c.parentElement);
  d.lines = DragSnapLines(c, [c]);
  BeginSurfaceStep('Resize');
  LiftControls(d.items);
  return true;
}

function DragResize(d, dx, dy, ev) {
  var box = ResizedBox(d.drawn, d.handle, dx, dy, MinControlSize);
  box = ev.altKey ? Object.assign(box, { x: null, y: null }) : SnapResize(box, d.handle, d.lines, SnapDistance);
  var kept = ResizedInside(box, d.room);
  var h = d.handle;
  SetControlBox(d.primary, {
    left: h.indexOf('w') >= 0 ? kept.left : undefined,
    top: h.indexOf('n') >= 0 ? kept.top : undefined,
    width: /[ew]/.test(h) ? kept.width - d.extra.width : undefined,
    height: /[ns]/.test(h) ? kept.height - d.extra.height : undefined,
  });
  ControlWidthHeight(d.primary);
  ShowPosition(d.primary);
  ShowGuides(d.guides, box.x, box.y);
}

function ArrangeMouseDown(ev) {
  SwallowNextClick = false;
  // A drag whose button went up outside the page ends before a new one.
  StopArrangeDrag(false);
  if (ev.button !== 0) return;
  EndChangeRun();
  var handle = ev.target && ev.target.closest ? ev.target.closest('.x_SelHandle_x') : null;
  if (handle) {
    ev.preventDefault();
    BeginResizeDrag(ev, handle);
    return;
  }
  var body = FormBodyOf(ev.target);
  if (!body) return;
  var control = NearestControl(ev.target);
  if (!control) BeginRubberBand(ev, body);
  else if (IsInControlSelection(control)) BeginMoveDrag(ev, control);
}

function ArrangeMouseMove(ev) {
  var d = ArrangeDrag;
  if (!d) return;
  if ((ev.buttons & 1) === 0) { StopArrangeDrag(false); return; }
  var dx = ev.clientX - d.x, dy = ev.clientY - d.y;
  if (!d.started) {
    if (Math.abs(dx) < DragThreshold && Math.abs(dy) < DragThreshold) return;
    if (!d.start(d)) {
      // Refused (a locked form): the press stays a press on the control.
      ArrangeDrag = null;
      SwallowNextClick = true;
      return;
    }
    d.started = true;
  }
  ev.preventDefault();
  d.move(d, dx, dy, ev);
}

// Ends the drag: the button went up (a drag that started is finished; a
// plain click on one of several selected controls selects that control
// alone), or Escape was pressed (pCancel: everything goes back).
function StopArrangeDrag(pCancel) {
  var d = ArrangeDrag;
  if (!d) return;
  ArrangeDrag = null;
  if (d.started) {
    (pCancel ? d.cancel : d.finish)(d);
    SwallowNextClick = true;
  } else if (!pCancel && d.start === StartMove && !d.additive && GetSelectedControls().length > 1) {
    SelectArrangedControls([d.primary]);
  }
}

function ArrangeClick(ev) {
  if (!SwallowNextClick) return;
  SwallowNextClick = false;
  ev.stopPropagation();
  ev.preventDefault();
}

(function InstallArrangeMouse() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  // The pointer tells whether a control can be dragged.
  var style = document.createElement('STYLE');
  style.textContent = '[controltype="TF" i] [controlid]{cursor:move}' +
    '[locked="true" i] > [controltype="TF" i] [controlid]{cursor:not-allowed}';
  (document.head || document.documentElement).appendChild(style);
  document.addEventListener('mousedown', ArrangeMouseDown, true);
  document.addEventListener('mousemove', ArrangeMouseMove, true);
  document.addEventListener('mouseup', function () { StopArrangeDrag(false); }, true);
  document.addEventListener('click', ArrangeClick, true);
})();

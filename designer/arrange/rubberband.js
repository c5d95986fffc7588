// Selecting with a band: a drag that starts on the empty part of a form body
// draws a band and selects every control of that body the band touches;
// with Shift (or Ctrl) held they join the controls already selected. A band
// that touches nothing selects the form, and Escape puts the old selection back.

// True when two boxes {left, top, right, bottom} overlap or touch.
function BoxesTouch(a, b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

function BeginRubberBand(ev, pBody) {
  var before = GetSelectedControls();
  var additive = ev.shiftKey || ev.ctrlKey;
  ArrangeDrag = { x: ev.clientX, y: ev.clientY, started: false, body: pBody, before: before,
    base: additive ? before.filter(function (c) { return FormBodyOf(c) === pBody; }) : [],
    start: StartBand, move: MoveBand, finish: FinishBand, cancel: CancelBand };
}

function StartBand(d) {
  d.controls = Array.prototype.filter.call(d.body.children, IsControlElement);
  d.boxes = d.controls.map(function (c) { return c.getBoundingClientRect(); });
  d.band = document.getElementById('x_RubberBand_x') || document.createElement('DIV');
  d.band.id = 'x_RubberBand_x';
  d.band.style.cssText = 'position:absolute;box-sizing:border-box;border:1px dashed #000080;' +
    'background-color:rgba(0,0,128,0.08);pointer-events:none';
  var form = FormOf(d.body);
  d.band.style.zIndex = form ? getComputedStyle(form).zIndex : '';
  document.body.appendChild(d.band);
  return true;
}

function MoveBand(d, dx, dy) {
  var band = { left: Math.min(d.x, d.x + dx), top: Math.min(d.y, d.y + dy),
    right: Math.max(d.x, d.x + dx), bottom: Math.max(d.y, d.y + dy) };
  var s = d.band.style;
  s.left = band.left + (window.scrollX || 0) + 'px';
  s.top = band.top + (window.scrollY || 0) + 'px';
  s.width = band.right - band.left + 'px';
  s.height = band.bottom - band.top + 'px';
  var touched = d.controls.filter(function (c, k) { return BoxesTouch(band, d.boxes[k]); });
  SelectControls(d.base.concat(touched.filter(function (c) { return d.base.indexOf(c) < 0; })));
}

function FinishBand(d) {
  d.band.remove();
  var selected = GetSelectedControls();
  if (selected.length) SelectArrangedControls(selected);
  else UpdateWhichFormHasTheFocus(FormOf(d.body));
}

function CancelBand(d) {
  d.band.remove();
  SelectControls(d.before);
}

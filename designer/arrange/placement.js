// Where new forms and controls go, so that a new one is never hidden under
// an old one: along a cascade, each spot FormCascade.step (ControlCascade.step)
// pixels right of and below the one before, the first spot nothing sits on;
// when the cascade leaves the room it wraps back to its start.

var FormCascade = { left: 100, top: 50, step: 24 };
var ControlCascade = { left: 50, top: 50, step: 16 };

// The first spot of pCascade that no box of pTaken sits on, for a box of
// pSize inside pRoom; when every spot that fits is taken, the spots are
// handed out again in turn.
function CascadeSpot(pCascade, pSize, pRoom, pTaken) {
  var spots = [];
  for (var k = 0; ; k++) {
    var spot = { left: pCascade.left + k * pCascade.step, top: pCascade.top + k * pCascade.step };
    if (k > 0 && (spot.left + pSize.width > pRoom.width || spot.top + pSize.height > pRoom.height)) break;
    spots.push(spot);
  }
  var free = spots.find(function (s) {
    return !pTaken.some(function (t) { return t.left === s.left && t.top === s.top; });
  });
  return free || spots[pTaken.length % spots.length];
}

// A new form, on the visible part of the page.
function PlaceNewForm(pForm) {
  var taken = [];
  for (var k = 0; k < document.body.children.length; k++) {
    var f = document.body.children[k];
    if (f !== pForm && IsFormElement(f) && f.style.display !== 'none') taken.push(ControlBox(f));
  }
  var room = { width: window.innerWidth + (window.scrollX || 0), height: window.innerHeight + (window.scrollY || 0) };
  SetControlBox(pForm, CascadeSpot(FormCascade, ControlBox(pForm), room, taken));
}

// A new control, in its container.
function PlaceNewControl(pControl) {
  var container = pControl.parentElement;
  var taken = Array.prototype.filter.call(container.children, function (c) {
    return c !== pControl && IsControlElement(c);
  }).map(ControlBox);
  SetControlBox(pControl, CascadeSpot(ControlCascade, ControlBox(pControl), ContainerRoom(pControl), taken));
}

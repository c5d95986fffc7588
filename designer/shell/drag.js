// Moving the designer's windows and toolbars with the mouse. A mouse down on
// an element of class "drag", or on a window's caption bar, starts a drag;
// the element follows the mouse until the button is released.
var dragapproved = false; // a drag is under way
var z;                    // the element being dragged
var x, y;                 // mouse position when the drag started
var temp1, temp2;         // element's left and top when the drag started
var formDragStep = false; // a form is being dragged: its move is one undo step

function drags(e) {
  e = e || window.event;
  // While the project rename box is up the page behaves as modal.
  if (document.getElementById('ChangeProjectName')) return;
  var src = e.target;
  if (!src || src.nodeType !== 1) return;
  if (src.id === 'CaptionBar' || src.id === 'Code_x_CaptionBar') {
    z = src.parentElement;
  } else if (src.classList.contains('drag')) {
    z = src;
  } else {
    return;
  }
  temp1 = parseInt(z.style.left, 10) || z.offsetLeft;
  temp2 = parseInt(z.style.top, 10) || z.offsetTop;
  x = e.clientX;
  y = e.clientY;
  dragapproved = true;
  document.onmousemove = move;
  endFormDrag();
  formDragStep = !!CallIfPresent('IsFormElement', z);
  if (formDragStep) CallIfPresent('BeginSurfaceStep', 'Move form');
}

function endFormDrag() {
  if (!formDragStep) return;
  formDragStep = false;
  CallIfPresent('EndSurfaceStep');
}

function move(e) {
  e = e || window.event;
  if (!dragapproved || !z) return;
  if ((e.buttons & 1) !== 1) {
    // The button went up outside the window: the drag is over.
    dragapproved = false;
    endFormDrag();
    return;
  }
  var newLeft = temp1 + e.clientX - x;
  var newTop = temp2 + e.clientY - y;
  z.style.left = newLeft + 'px';
  z.style.top = newTop + 'px';
  // The code window's maximise button remembers where to restore to.
  var minMax = z.querySelector('#MinMaxGen');
  if (minMax) {
    minMax.setAttribute('MinLeft', newLeft + 'px');
    minMax.setAttribute('MinTop', newTop + 'px');
  }
  e.preventDefault(); // no text selection while dragging
  return false;
}

function CleanUp(e) {
  e = e || window.event;
  dragapproved = false;
  endFormDrag();
  var src = e && e.target;
  if (!src || src.nodeType !== 1) return;
  // A click on the code window's own area (not one of its two lists) puts
  // the caret back into the code text.
  var parent = src.parentElement;
  if (parent && parent.id === 'xC_xodeWindox_xw' &&
      src.id !== 'EventObjects' && src.id !== 'ControlObjects') {
    var code = document.getElementById('x_Code_x');
    if (code) code.focus();
  }
}

document.onmousedown = drags;
document.onmouseup = CleanUp;

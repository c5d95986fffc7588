// Small routines shared by every part of the page.

// "50px" -> 50. Empty or unreadable sizes count as 0.
function GetCorrectSize(pValue) {
  var n = Math.round(parseFloat(String(pValue == null ? '' : pValue).replace(/px/g, '')));
  return isNaN(n) ? 0 : n;
}

// A style size of an element, or its drawn size when its style names none.
function StyleSize(pElement, pWhich) {
  var styled = pElement.style[pWhich];
  if (styled) return GetCorrectSize(styled);
  return pWhich === 'width' ? pElement.offsetWidth : pElement.offsetHeight;
}

// Puts the element in the middle of the page.
function CenterForm(pForm) {
  if (!pForm) return;
  var body = document.body;
  pForm.style.left = Math.trunc((body.clientWidth - StyleSize(pForm, 'width')) / 2) + 'px';
  pForm.style.top = Math.trunc((body.clientHeight - StyleSize(pForm, 'height')) / 2) + 'px';
}

// The start screen stays centred while no project is open (the position
// indicator is shown once a project is).
function CenterStartScreen() {
  var position = document.getElementById('Position');
  if (position && position.style.display === 'inline') return;
  CenterForm(document.getElementById('StartScreen'));
}

function IIF(psEquation, pValue2, pValue3) {
  return psEquation ? pValue2 : pValue3;
}

// The context menu handler of every control.
function CancelRightClick(e) {
  e = e || window.event;
  if (e) {
    e.stopPropagation();
    e.preventDefault();
  }
  return false;
}

// Hides a form on the design surface (its close picture).
function CloseForm(pForm) {
  if (pForm) pForm.style.display = 'none';
  if (window.event) window.event.stopPropagation();
}

function ShowProjectWin() {
  if (!bProjectWindowOpen) {
    document.getElementById('Forms').style.display = 'inline';
    bProjectWindowOpen = true;
  }
}

// Runs a page routine when the page has it: menu items and handlers whose
// routines come with a later part of the designer do nothing until then.
function CallIfPresent(pName) {
  var routine = window[pName];
  if (typeof routine !== 'function') return undefined;
  return routine.apply(window, Array.prototype.slice.call(arguments, 1));
}

// A value as the host reads it in a command: True/False for flags.
function CommandText(pValue) {
  if (pValue === true) return 'True';
  if (pValue === false) return 'False';
  return pValue == null ? '' : String(pValue);
}

// The host's boxes and file chooser are dialogs drawn over the page; what
// happens in them belongs to them, not to the page under them.
function InHostBox(e) {
  var src = e && e.target;
  return !!(src && src.closest && src.closest('dialog'));
}

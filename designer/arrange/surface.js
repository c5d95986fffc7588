// What the arranging routines share: the controls a command works on, their
// places and sizes as their styles give them, and keeping tab pages stored.

// The selected controls that no other selected control holds (a frame
// carries what is inside it), in the order they were selected.
function ControlsToArrange() {
  return OutermostControls(GetSelectedControls());
}

// The controls of a list that no other control of the list holds, in order.
function OutermostControls(pList) {
  var all = new Set(pList);
  return pList.filter(function (e, k) {
    if (pList.indexOf(e) !== k) return false;
    for (var p = e.parentElement; p && !IsFormElement(p); p = p.parentElement) if (all.has(p)) return false;
    return true;
  });
}

// Selects a list of controls; the first one's properties are shown and its
// form gets the focus.
async function SelectArrangedControls(pList) {
  if (!pList.length) return;
  await UpdateWhichControlHasTheFocus(pList[0]);
  // A switch of form clears the selection: the whole list is selected again.
  SelectControls(pList);
}

// A control's left, top, width and height as numbers: its style values, or
// where and how large it is drawn when its style names none.
function ControlBox(pEl) {
  return {
    left: pEl.style.left ? GetCorrectSize(pEl.style.left) : pEl.offsetLeft,
    top: pEl.style.top ? GetCorrectSize(pEl.style.top) : pEl.offsetTop,
    width: StyleSize(pEl, 'width'),
    height: StyleSize(pEl, 'height'),
  };
}

// The box a control is drawn in, inside its container.
function DrawnBox(pEl) {
  return { left: pEl.offsetLeft, top: pEl.offsetTop, width: pEl.offsetWidth, height: pEl.offsetHeight };
}

// Writes the parts of a box that differ from the control's style.
function SetControlBox(pEl, pBox) {
  ['left', 'top', 'width', 'height'].forEach(function (side) {
    if (pBox[side] === undefined) return;
    var value = Math.round(pBox[side]) + 'px';
    if (pEl.style[side] !== value) pEl.style[side] = value;
  });
}

// The tab controls whose shown page holds one of the controls.
function TabControlsHolding(pControls) {
  var tabs = [];
  pControls.forEach(function (c) {
    for (var tab = TabControlOf(c); tab; tab = TabControlOf(tab)) if (tabs.indexOf(tab) < 0) tabs.push(tab);
  });
  return tabs;
}

// Tab controls keep the markup of their shown page in the selected tab;
// after controls on a page changed, the page is stored again.
function StoreTabPagesOf(pControls) {
  TabControlsHolding(pControls).forEach(StoreTabPage);
}

function IsFormLocked(pForm) {
  return IsElementNode(pForm) && String(pForm.getAttribute('Locked')).toLowerCase() === 'true';
}

// New names for pasted controls: a pasted control and every control inside
// it take a new number of their type on the form they go to, and their IDs,
// the IDs of their parts, their names and the code that names them follow.

// Types whose name is always their ID after a paste.
var NamedAsIdTypes = ['B', 'T', 'TXTA', 'CB'];

// The id of a control or of one of its parts after the control's ID went
// from pOld to pNew: parts are named after their control with a prefix and
// "_" (Grid_Header_Table1, TABContent_tab1, Header_Cal1); a check box's input
// carries the control's own ID.
function RenamedPartId(pId, pOld, pNew) {
  if (pId === pOld) return pNew;
  var suffix = '_' + pOld;
  if (pId.length > suffix.length && pId.slice(-suffix.length) === suffix) return pId.slice(0, -pOld.length) + pNew;
  return pId;
}

// Code that names the control, as a whole word, names it by its new ID.
function RenamedCode(pCode, pOld, pNew) {
  var word = new RegExp('\\b' + pOld.replace(/[.*+?^${}()|[\]\\]/g, '\\$&') + '\\b', 'g');
  return String(pCode).replace(word, pNew);
}

// The name a control takes with its new ID and number: buttons, text boxes,
// text areas and combo boxes are named as their ID; a name that was the old
// ID, or the name its type is created with and its old number (Frame1,
// Tab1), follows; a name of the developer's own choice stays.
function RenamedName(pName, pType, pOld, pNew) {
  if (NamedAsIdTypes.indexOf(pType) >= 0 || pName === pOld.id) return pNew.id;
  var t = ControlTypes[pType];
  if (t && pName === t.name + pOld.number) return t.name + pNew.number;
  return pName;
}

// The elements that belong to a control itself: it and its parts, not the
// controls inside it (nor their parts).
function ControlParts(pControl) {
  var inner = Array.prototype.filter.call(pControl.querySelectorAll('*'), function (e) {
    return e.parentElement.closest('[controlid]') === pControl && !e.hasAttribute('ControlID');
  });
  return [pControl].concat(inner);
}

// Gives one control number pNumber: its ID, its parts' IDs, its name, its
// code and its ControlID follow.
function RenumberControl(pControl, pNumber) {
  var type = ModelType(pControl);
  var old = { id: pControl.id, number: pControl.getAttribute('ControlID') };
  var now = { id: ControlTypes[type].prefix + pNumber, number: String(pNumber) };
  ControlParts(pControl).forEach(function (part) {
    if (part.id) part.id = RenamedPartId(part.id, old.id, now.id);
  });
  pControl.setAttribute('Name', RenamedName(pControl.getAttribute('Name'), type, old, now));
  pControl.setAttribute('ControlID', now.number);
  Array.prototype.slice.call(pControl.attributes).forEach(function (a) {
    if (/^[cf]_/i.test(a.name)) pControl.setAttribute(a.name, RenamedCode(a.value, old.id, now.id));
  });
}

// Renumbers every control in pRoot (an element or a tab page's fragment) for
// the form numbered pFormNumber, pNumberFor(type) giving each new number;
// the pages a tab control does not show are renumbered inside their tabs.
function RenumberPasted(pRoot, pNumberFor, pFormNumber) {
  var controls = (pRoot.nodeType === 1 && pRoot.hasAttribute('ControlID') ? [pRoot] : [])
    .concat(Array.prototype.slice.call(pRoot.querySelectorAll('[controlid]')));
  controls.forEach(function (c) {
    if (IsControlElement(c)) RenumberControl(c, pNumberFor(ModelType(c)));
    c.setAttribute('ParentFormID', String(pFormNumber));
  });
  controls.forEach(function (c) {
    if (!IsControlElement(c) || ModelType(c) !== 'TAB') return;
    TabCells(c).forEach(function (cell, k) {
      var page = k === TabPreviousIndex(c) ? null : TabPageOf(cell);
      if (!page) return;
      RenumberPasted(page.content, pNumberFor, pFormNumber);
      cell.setAttribute('Contents', page.innerHTML);
    });
    StoreTabPage(c);
  });
}

// Numbers of forms and controls. A control's number counts per form and per
// type; numbers freed by deleted controls wait in arrControlDelete as
// "type/number/form" and are taken again first. Form numbers freed by deleted
// forms wait in arrNewFormOrder (entries 1 to 10, 11 meaning "no entry").

var FreeFormNumberNone = 11;

function ParseControlDeleteEntry(pEntry) {
  if (pEntry === undefined || pEntry === null || pEntry === '') return null;
  var parts = String(pEntry).split('/');
  return { type: parts[0], number: parseInt(parts[1], 10), form: parts[2] };
}

// The number for a new control of type `controlType` on the selected form:
// the lowest freed number of that type on that form (below 1000), else the
// form's counter `psCount` plus one, stored back in the counter.
function GetUniqueControlID(controlType, psCount) {
  var form = String(SelectedFormObj.getAttribute('ParentFormID'));
  var best = -1;
  for (var k = 0; k < arrControlDelete.length; k++) {
    var e = ParseControlDeleteEntry(arrControlDelete[k]);
    if (!e || e.type !== controlType || String(e.form) !== form || !(e.number < 1000)) continue;
    if (best < 0 || e.number < ParseControlDeleteEntry(arrControlDelete[best]).number) best = k;
  }
  if (best >= 0) {
    var number = ParseControlDeleteEntry(arrControlDelete[best]).number;
    arrControlDelete[best] = '';
    return number;
  }
  var next = (parseInt(SelectedFormObj.getAttribute(psCount), 10) || 0) + 1;
  SelectedFormObj.setAttribute(psCount, String(next));
  return next;
}

// Frees number pID of type pType on form pParentFormID (or on the form of
// SelectedObj when no form is given): the first empty entry but the last
// takes it, else the list grows by one entry.
function UpdateControlDeleteArray(pType, pID, pParentFormID) {
  var form = (pParentFormID === undefined || pParentFormID === null || pParentFormID === '')
    ? SelectedObj.getAttribute('ParentFormID') : pParentFormID;
  var slot = -1;
  for (var k = 0; k < arrControlDelete.length - 1; k++) {
    if (arrControlDelete[k] === undefined || arrControlDelete[k] === null || arrControlDelete[k] === '') { slot = k; break; }
  }
  if (slot < 0) { arrControlDelete.push(''); slot = arrControlDelete.length - 1; }
  arrControlDelete[slot] = pType + '/' + pID + '/' + form;
}

// Forgets every freed control number of form n.
function ForgetFreedControlNumbers(n) {
  for (var k = 0; k < arrControlDelete.length; k++) {
    var e = ParseControlDeleteEntry(arrControlDelete[k]);
    if (e && String(e.form) === String(n)) arrControlDelete[k] = '';
  }
}

// Takes the lowest freed form number out of arrNewFormOrder (the lower entry
// on a tie); 0 when none is waiting.
function TakeFreedFormNumber() {
  var best = 0;
  for (var k = 1; k <= 10; k++) {
    var v = Number(arrNewFormOrder[k]);
    if (v !== FreeFormNumberNone && v > 0 && (best === 0 || v < Number(arrNewFormOrder[best]))) best = k;
  }
  if (best === 0) return 0;
  var n = Number(arrNewFormOrder[best]);
  arrNewFormOrder[best] = FreeFormNumberNone;
  return n;
}

// Remembers freed form number n in the first free entry; with all ten in use
// it is not remembered.
function RememberFreedFormNumber(n) {
  for (var k = 1; k <= 10; k++) {
    if (Number(arrNewFormOrder[k]) === FreeFormNumberNone) { arrNewFormOrder[k] = Number(n); return; }
  }
}

// The number of a new form, counted after NewFormCount went up: a freed number
// first, else the form count. A number still in use (possible once more than
// ten numbers were freed) is never handed out again; the lowest unused one is.
function NextFormNumber(pFreed, pFormCount, pInUse) {
  var n = pFreed || pFormCount;
  if (!pInUse(n)) return n;
  for (var k = 1; ; k++) if (!pInUse(k)) return k;
}

// Which form and which control have the focus, stacking order, the form lock,
// and deleting or removing a form.

var CaptionColorUnfocused = '#AAAAAA';

function IsElementNode(p) { return !!(p && typeof p === 'object' && p.nodeType === 1); }

// The event being handled and the element it happened on (null when the
// routine runs outside a page event, such as a call from the host).
function CurrentEvent() {
  var ev = typeof window !== 'undefined' ? window.event : undefined;
  return { ev: ev, src: ev && IsElementNode(ev.target) ? ev.target : null };
}

// An element by ID, compared without case as the page's lookups are.
function FindElementByIdNoCase(pId) {
  var id = String(pId);
  var el = document.getElementById(id);
  if (el) return el;
  var all = document.getElementsByTagName('*');
  for (var k = 0; k < all.length; k++) if (all[k].id && all[k].id.toLowerCase() === id.toLowerCase()) return all[k];
  return null;
}

// The caption bar shows which form has the focus: a mark of the selection,
// not a change to undo.
function PaintCaption(pForm, pColor) {
  var bar = FormCaptionBar(pForm);
  if (bar) OutsideHistory(function () { bar.style.backgroundColor = pColor || ''; });
}

function FormsList() { return document.getElementById('x_FormsList_x'); }

function SelectFormsListOption(pFormNumber) {
  var list = FormsList();
  if (!list) return;
  for (var k = 0; k < list.options.length; k++) {
    if (String(list.options[k].value) === String(pFormNumber)) { list.selectedIndex = k; return; }
  }
}

// Records the selected element's form number and refreshes the property window.
async function ShowSelectionProperties(pObj) {
  SelectedFormID = Number(pObj.getAttribute('ParentFormID')) || 0;
  await CheckProperty(pObj);
}

// Gives a form the focus. pFormID is a form element, a form's ID, or the value
// of an option of the forms list (then the selected option's text names it).
async function UpdateWhichFormHasTheFocus(pFormID) {
  if (GbPaste) return;
  var current = CurrentEvent(), ev = current.ev, src = current.src;
  var list = FormsList();
  if (IsElementNode(pFormID) && src && IsClickOnSelectedControl(src)) {
    // A click on a selected control reaches its form: the control stays selected.
    PaintCaption(SelectedFormObj, CaptionColorUnfocused);
    SelectedFormObj = pFormID;
    PaintCaption(pFormID, pFormID.getAttribute('TitleBarColorRGBValue'));
    BringToFront(pFormID);
    if (IsElementNode(SelectedObj)) SelectFormsListOption(SelectedObj.getAttribute('ParentFormID'));
    return;
  }
  var k = list && list.selectedIndex >= 0 ? list.selectedIndex : 0;
  if (list && list.selectedIndex >= 0 && src && list.contains(src) && ev.button === 2) {
    var option = list.options[list.selectedIndex];
    var answer = await MsgBox('Mark Form: ' + option.text + ' as the start form?', vbYesNo + vbQuestion, 'ZOLT');
    if (answer === vbYes) {
      for (var j = 0; j < list.options.length; j++) list.options[j].style.backgroundColor = '#FFFFFF';
      option.style.backgroundColor = 'gold';
      GProjectStartForm = option.text;
    }
    return;
  }
  var form = pFormID;
  if (!IsElementNode(form)) {
    var numeric = String(pFormID).trim() !== '' && !isNaN(Number(pFormID));
    var id = numeric && list && list.options[k] ? list.options[k].text : pFormID;
    form = FindElementByIdNoCase(id);
    if (!form) return;
    form.style.display = '';
  }
  var previous = SelectedFormObj;
  SelectedObj = form;
  SelectedFormObj = form;
  ClearControlSelection();
  if (list && list.options.length > 1 && IsElementNode(previous) && previous !== form) {
    PaintCaption(previous, CaptionColorUnfocused);
  }
  PaintCaption(form, form.getAttribute('TitleBarColorRGBValue'));
  BringToFront(form);
  await ShowSelectionProperties(form);
  objFormatMenuCntrlRng = '';
  SelectFormsListOption(form.getAttribute('ParentFormID'));
  ShowIndicators(form);
}

// Selects a control: it becomes SelectedObj, its form gets the focus, the
// indicators and the property window follow it.
async function UpdateWhichControlHasTheFocus(pObj) {
  if (!IsElementNode(pObj)) return;
  SelectedObj = pObj;
  SelectedControlID = pObj.getAttribute('ControlID');
  if (!GbPaste) {
    await SetFocusToFormThatControlBelongsTo(pObj);
    // Switching the form selected the form; the control stays the selection.
    SelectedObj = pObj;
    SelectedControlID = pObj.getAttribute('ControlID');
  }
  if (!IsInControlSelection(pObj)) SelectControls([pObj]);
  await CheckPosition(pObj);
  if (ModelType(pObj) !== 'TBL') await ControlWidthHeight(pObj);
  await ShowSelectionProperties(pObj);
}

async function SetFocusToFormThatControlBelongsTo(pObjControl) {
  var n = pObjControl.getAttribute('ParentFormID');
  if (IsElementNode(SelectedFormObj) && String(SelectedFormObj.getAttribute('ParentFormID')) === String(n)) return;
  var form = FindFormByNumber(n);
  if (form) await UpdateWhichFormHasTheFocus(form.id);
}

// A click inside a control (a list item, a tab page, a calendar cell) selects
// the whole control; a click on another control inside it is that control's.
async function SelectParentControl(pObj) {
  var current = CurrentEvent();
  if (current.src) current.ev.stopPropagation();
  if (!IsElementNode(pObj)) return;
  if (current.src && NearestControl(current.src) !== pObj) return;
  SelectControls([pObj]);
  objNewControl = [pObj];
  if (SelectedObj !== pObj) await UpdateWhichControlHasTheFocus(pObj);
}

// The form just imported from its file is SelectedFormObj: zIndexCounter
// stays at or above its stacking order, and the form is hidden when the
// project file lists it hidden. (The host runs this without waiting, so the
// forms of a project travel to the page together.)
function PlaceImportedForm(pbVisible) {
  var form = SelectedFormObj;
  if (!IsElementNode(form)) return;
  var z = Number(form.style.zIndex) || 0;
  if (z > (Number(zIndexCounter) || 0)) zIndexCounter = z;
  if (!pbVisible) form.style.display = 'none';
}

// A control's stacking order is a change to undo; a form's only shows which
// form is in front.
function Restack(pObj, pLabel, pZIndex) {
  var form = IsFormElement(pObj);
  var restack = function () {
    pObj.style.zIndex = pZIndex();
    if (!form) bProjectInfoChanged = true;
  };
  return form ? OutsideHistory(restack) : SurfaceChange(pLabel, restack);
}

function BringToFront(pObj) {
  if (!IsElementNode(pObj)) return;
  Restack(pObj, 'Bring to front', function () {
    zIndexCounter = (Number(zIndexCounter) || 0) + 1;
    return String(zIndexCounter);
  });
}

function SendToBack(pObj) {
  if (!IsElementNode(pObj)) return;
  Restack(pObj, 'Send to back', function () { return '0'; });
}

// Locks or unlocks the selected form and renames the Form menu's item.
async function LockForm() {
  var form = SelectedFormObj;
  if (!IsElementNode(form)) return;
  var locked = String(form.getAttribute('Locked')).toLowerCase() === 'true';
  SurfaceChange(locked ? 'Unlock form' : 'Lock form', function () { form.setAttribute('Locked', locked ? 'false' : 'true'); });
  bProjectInfoChanged = true;
  var menu = document.getElementById('FormMenu');
  var cells = menu ? menu.getElementsByTagName('TD') : [];
  for (var k = 0; k < cells.length; k++) {
    if (/lock form/i.test(cells[k].textContent)) cells[k].textContent = '\u00a0' + (locked ? 'Lock form' : 'un-Lock form');
  }
  if (bMenuShown && sMenuType) await ShowMenu(sMenuType, 1);
}

// Deletes (pAction 1) or removes (0) the selected form after asking, unless
// pbSkip. Its freed control numbers are forgotten and its form number freed.
async function DeleteRemoveForm(pAction, pbSkip) {
  if (!SelectedFormID || Number(SelectedFormID) === 0) return;
  var form = IsElementNode(SelectedFormObj) && String(SelectedFormObj.getAttribute('ParentFormID')) === String(SelectedFormID)
    ? SelectedFormObj : FindFormByNumber(SelectedFormID);
  if (!form) return;
  var name = form.getAttribute('Name');
  var isDelete = Number(pAction) === 1;
  if (!pbSkip || String(pbSkip).toLowerCase() === 'false') {
    var question = isDelete ? 'Delete selected Form: ' + name + '?' : 'Remove selected Form: ' + name + ' from the Project?';
    if (await MsgBox(question, vbOKCancel) !== vbOK) return;
  }
  var n = form.getAttribute('ParentFormID');
  ForgetFreedControlNumbers(n);
  RememberFreedFormNumber(n);
  NewFormCount = (Number(NewFormCount) || 0) - 1;
  if (isDelete) await UpdateProjectFile('', name, true);
  ClearControlSelection();
  form.parentNode.removeChild(form);
  var list = FormsList();
  if (bStyleWindowOpen) {
    var styleList = document.getElementById('x_StyleFormList_x');
    if (styleList && list && list.selectedIndex >= 0 && styleList.options[list.selectedIndex]) styleList.remove(list.selectedIndex);
  }
  if (list) {
    for (var k = 0; k < list.options.length; k++) if (list.options[k].text === name) { list.remove(k); break; }
  }
  if (!list || list.options.length === 0) {
    var win = document.getElementById('x_MainProp_x');
    if (win) { win.parentNode.removeChild(win); bPropertyWindowCreated = false; }
    bPropertyWindowOpen = false;
    SelectedObj = '';
    SelectedFormObj = '';
    SelectedFormID = 0;
  } else {
    // The first form left takes the focus, so new controls go to a form the
    // developer sees selected.
    list.selectedIndex = 0;
    await UpdateWhichFormHasTheFocus(list.options[0].value);
  }
  await sendCommand('SaveExistingProject&false');
}

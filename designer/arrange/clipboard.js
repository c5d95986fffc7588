// Cut, copy and paste of controls (the Action menu, Ctrl+X, Ctrl+C, Ctrl+V).
// The clipboard holds copies of the controls taken, as they were then, each
// marked with CutCopy (0 cut, 1 copy); CopyCutControlObj is the first of
// them, or "NONE" once they were pasted. Several selected controls travel
// together and keep their places relative to the first.

var ClipboardControls = [];  // [{control: a detached copy, cut: true/false}]

function ClipboardState() { return ClipboardControls; }

function RestoreClipboard(pList) {
  ClipboardControls = pList || [];
  CopyCutControlObj = ClipboardControls.length ? ClipboardControls[0].control : 'NONE';
  CallIfPresent('RefreshShownMenu');
}

// Cut (pType 0) or copy (1) of the selected controls; the form is selected
// afterwards. A cut control's number stays taken until it is pasted on
// another form.
async function CopyCutControl(pType) {
  if (!IsElementNode(SelectedObj) || IsFormElement(SelectedObj)) return;
  var controls = ControlsToArrange();
  if (IsControlElement(SelectedObj) && controls.indexOf(SelectedObj) < 0) controls = OutermostControls([SelectedObj].concat(controls));
  if (!controls.length) return;
  var cut = Number(pType) === 0;
  var held = controls.map(function (c) {
    var copy = c.cloneNode(true);
    copy.setAttribute('CutCopy', cut ? '0' : '1');
    return { control: copy, cut: cut };
  });
  var form = FormOf(controls[0]);
  var take = function () {
    RestoreClipboard(held);
    if (!cut) return;
    RemoveControls(controls);
    bProjectInfoChanged = true;
  };
  if (cut) SurfaceChange('Cut', take);
  else take();
  ClearControlSelection();
  SelectedObj = form;
  await ShowSelectionProperties(form);
  ShowIndicators(form);
}

// Where a paste goes: into the selected frame or tab page, else into the
// selected form's body (also while a plain control is selected).
function PasteTarget() {
  var form = IsElementNode(SelectedFormObj) && SelectedFormObj.isConnected ? SelectedFormObj : null;
  if (!form) return null;
  var type = ModelType(SelectedObj);
  var onForm = IsControlElement(SelectedObj) && FormOf(SelectedObj) === form;
  if (onForm && type === 'FRA') return { form: form, container: SelectedObj };
  if (onForm && type === 'TAB') return { form: form, container: TabContent(SelectedObj) };
  return { form: form, container: FormBody(form) };
}

// The refusal for pasting the held controls into pContainer: no frame within
// a frame, no tab within a tab (also through the controls they hold).
function PasteRefusal(pContainer, pItems) {
  var types = [];
  pItems.forEach(function (it) { ControlsWithin(it.control).forEach(function (c) { types.push(ModelType(c)); }); });
  var inFrame = false, inTab = false;
  for (var e = pContainer; e && !IsFormElement(e); e = e.parentElement) {
    if (IsControlElement(e) && ModelType(e) === 'FRA') inFrame = true;
    if (IsControlElement(e) && ModelType(e) === 'TAB') inTab = true;
  }
  if (inFrame && types.indexOf('FRA') >= 0) return RefusalFrameInFrame;
  if (inTab && types.indexOf('TAB') >= 0) return RefusalTabInTab;
  return '';
}

async function PasteControl() {
  if (!(CopyCutControlObj instanceof Element) || !ClipboardControls.length) return;
  var target = PasteTarget();
  if (!target || !target.container) return;
  GbPaste = true;
  try {
    var refusal = PasteRefusal(target.container, ClipboardControls);
    if (refusal) {
      await MsgBox(refusal, vbOKOnly + vbInformation, 'ZOLT');
      return;
    }
    await SurfaceChange('Paste', async function () {
      await SelectArrangedControls(PasteInto(target));
    });
  } finally {
    GbPaste = false;
  }
  if (bMenuShown && sMenuType) await ShowMenu(sMenuType, 1);
}

// Puts copies of the held controls into the target: a cut coming back to
// its own form keeps its names; anything else is numbered anew on the form
// (a cut from another form frees its old numbers there). The first lands at
// 50,50, the others keep their places relative to it.
function PasteInto(pTarget) {
  var formNumber = String(pTarget.form.getAttribute('ParentFormID'));
  var contained = pTarget.container !== FormBody(pTarget.form);
  var idsInUse = ControlsWithin(FormBody(pTarget.form)).map(function (c) { return c.id; });
  var first = null;
  var pasted = ClipboardControls.map(function (item) {
    var el = item.control.cloneNode(true);
    el.removeAttribute('CutCopy');
    var from = String(el.getAttribute('ParentFormID'));
    if (!(item.cut && from === formNumber && idsInUse.indexOf(el.id) < 0)) {
      if (item.cut && from !== formNumber) FreeCutNumbers(el, from);
      RenumberPasted(el, function (type) { return GetUniqueControlID(type, ControlTypes[type].counter); }, formNumber);
    }
    el.setAttribute('Contained', contained ? 'true' : 'false');
    var place = { left: GetCorrectSize(el.style.left), top: GetCorrectSize(el.style.top) };
    first = first || place;
    SetControlBox(el, { left: 50 + place.left - first.left, top: 50 + place.top - first.top });
    pTarget.container.appendChild(el);
    CheckPosition(el);
    return el;
  });
  StoreTabPagesOf(pasted);
  RestoreClipboard([]);
  bProjectInfoChanged = true;
  return pasted;
}

// The numbers a cut held on the form it came from are freed there, unless a
// control of that form uses them again (the cut was undone since).
function FreeCutNumbers(pEl, pFormNumber) {
  var form = FindFormByNumber(pFormNumber);
  if (!form) return;
  var used = ControlsWithin(FormBody(form)).map(function (c) { return ModelType(c) + '/' + c.getAttribute('ControlID'); });
  ControlsWithin(pEl).forEach(function (c) {
    var type = ModelType(c), number = c.getAttribute('ControlID');
    if (used.indexOf(type + '/' + number) < 0) UpdateControlDeleteArray(type, number, pFormNumber);
  });
}

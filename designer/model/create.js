// Creating forms and controls on the design surface.

var RefusalNoForm = 'You must create a New Form, before you can add a new control.';
var RefusalNoSelectedForm = 'You must select an existing Form or create a New Form, before you can add a new control.';
var RefusalHiddenForm = 'You must select an existing visible Form or create a New Form, before you can add a new control.';
var RefusalFrameInFrame = 'You cannot insert a Frame within a Frame.';
var RefusalTabInTab = 'You cannot insert a Tab within a Tab.';

// Creates a form: a freed number first, else the form count; appended to the
// page, listed in the forms list, selected, and its file written by the host.
async function NewForm() {
  var freed = TakeFreedFormNumber();
  NewFormCount = (Number(NewFormCount) || 0) + 1;
  zIndexCounter = (Number(zIndexCounter) || 0) + 1;
  var n = NextFormNumber(freed, NewFormCount, function (k) { return !!FindFormByNumber(k); });
  document.body.insertAdjacentHTML('beforeend', FormMarkup(n, NewFormCount));
  var form = document.getElementById(FormTempID);
  form.id = 'Form' + n;
  PlaceNewForm(form);
  SelectedObj = form;
  await UpdateFormsList('Form' + n, n);
  await UpdateWhichFormHasTheFocus(form);
  await CreateNewFormFile();
  if (sUseStyleForNewlyCreatedForms) await ApplyNewFormStyle();
  if (bMenuShown && sMenuType) await ShowMenu(sMenuType, 1);
  return form;
}

// True when a visible form is selected; otherwise tells the developer why a
// control cannot be created.
async function CheckIfFormAvailableForNewControl() {
  var message = '';
  if (!SelectedFormID || Number(SelectedFormID) === 0) {
    message = (Number(NewFormCount) || 0) === 0 ? RefusalNoForm : RefusalNoSelectedForm;
  } else if (!SelectedFormObj || !SelectedFormObj.isConnected) {
    message = RefusalNoSelectedForm;
  } else if (SelectedFormObj.style.display === 'none') {
    message = RefusalHiddenForm;
  }
  if (!message) return true;
  await MsgBox(message, vbOKOnly + vbInformation, 'ZOLT');
  return false;
}

// SelectedObj when it is a frame or tab control on the selected form.
function SelectedContainer() {
  var type = ModelType(SelectedObj);
  if ((type === 'FRA' || type === 'TAB') && IsControlElement(SelectedObj) && FormOf(SelectedObj) === SelectedFormObj) {
    return SelectedObj;
  }
  return null;
}

// Appends a new control's markup to the selected frame, the selected tab
// control's page, or else the selected form's body.
function InsertControl(pControlCode) {
  var container = SelectedContainer();
  var contained = String(pControlCode).replace(/Contained=(["']?)false\1/gi, 'Contained=true');
  if (container && ModelType(container) === 'FRA') {
    container.insertAdjacentHTML('beforeend', contained);
    var outerTab = TabControlOf(container);
    if (outerTab) StoreTabPage(outerTab);
  } else if (container) {
    TabContent(container).insertAdjacentHTML('beforeend', contained);
    StoreTabPage(container);
    SelectedPreviousTab = container;
  } else {
    FormBody(SelectedFormObj).insertAdjacentHTML('beforeend', pControlCode);
  }
  bProjectInfoChanged = true;
}

// Selects a new control and shows its properties.
async function SetNewControl(pID, pObj) {
  SelectedControlID = pID;
  SelectedObj = pObj;
  objNewControl = [pObj];
  SelectControls([pObj]);
  await ShowSelectionProperties(pObj);
}

// The visible Name field of the property window, if it is open.
function SetPropertyNameField(pValue) {
  var field = bPropertyWindowOpen ? CallIfPresent('VisibleField', 'PropertyName') : null;
  if (field) field.value = pValue;
}

// Creates a control of type pCode in the selected form, frame or tab page,
// as one undo step.
function CreateControl(pCode) {
  return SurfaceChange('New ' + ControlTypes[pCode].creator.slice(3), function () { return CreateNewControl(pCode); });
}

async function CreateNewControl(pCode) {
  if (!(await CheckIfFormAvailableForNewControl())) return null;
  var container = SelectedContainer();
  if (container && ModelType(container) === pCode) {
    await MsgBox(pCode === 'FRA' ? RefusalFrameInFrame : RefusalTabInTab, vbOKOnly + vbInformation, 'ZOLT');
    return null;
  }
  var t = ControlTypes[pCode];
  var i = GetUniqueControlID(pCode, t.counter);
  InsertControl(t.markup(i, SelectedFormObj.getAttribute('ParentFormID')));
  var el = document.getElementById(t.temp);
  PlaceNewControl(el);
  var finalID = t.prefix + i;
  if (t.late) {
    await SetNewControl(i, el);
    el.id = finalID;
    SetPropertyNameField(finalID);
  } else {
    el.id = finalID;
    await SetNewControl(i, el);
  }
  if (pCode === 'CAL') el.setAttribute('C_onclick', "=Cal_Clicked('" + finalID + "',event);");
  if (pCode === 'TAB') await TabClicked(TabStrip(el), TabCells(el)[0]);
  // A tab page keeps its markup in its tab; store it again with the final ID.
  var tab = TabControlOf(el);
  if (tab) StoreTabPage(tab);
  return el;
}

async function NewLabel() { return CreateControl('L'); }
async function NewTextBox() { return CreateControl('T'); }
async function NewButton() { return CreateControl('B'); }
async function NewCheckBox() { return CreateControl('CK'); }
async function NewOption() { return CreateControl('O'); }
async function NewCombo() { return CreateControl('CB'); }
async function NewListBox() { return CreateControl('LB'); }
async function NewImage() { return CreateControl('IM'); }
async function NewTable() { return CreateControl('TBL'); }
async function NewTextArea() { return CreateControl('TXTA'); }
async function NewFrame() { return CreateControl('FRA'); }
async function NewTab() { return CreateControl('TAB'); }
async function NewCalendar() { return CreateControl('CAL'); }
async function NewLink() { return CreateControl('LNK'); }
async function NewUnOrderedList() { return CreateControl('UL'); }

// The Name field: a checked new name becomes the element's Name and ID, and
// what is named after the element follows (a grid's, tab control's or
// calendar's parts, a calendar's click code, a list box's first entry). A
// form's new name goes to the forms list and to the host, which renames the
// form's file; undoing the rename renames the file back.

async function RenameElement(pEl, pField) {
  var old = pEl.id;
  var name = pField.value;
  if (!(await CheckPropertyName(old, true))) return false;
  if (IsFormElement(pEl) && !(await RenameFormFile(pEl, name, old))) return false;
  ControlParts(pEl).forEach(function (part) {
    if (part !== pEl && part.id) {
      var renamed = RenamedPartId(part.id, old, name);
      if (renamed !== part.id) part.id = renamed;
    }
  });
  var type = ModelType(pEl);
  if (type === 'CAL') pEl.setAttribute('C_onclick', CalendarClickHandler(name, pEl.getAttribute('Dev_Click_Func') || ''));
  if (type === 'LB' && pEl.options.length) SetText(pEl.options[0], name);
  pEl.setAttribute('Name', name);
  pEl.id = name;
  if (IsFormElement(pEl)) {
    await SaveForm();
    AfterStepMoves(function (pUndo) { return FormRenameMoved(pEl, pUndo ? old : name, pUndo ? name : old); });
  }
}

PropertyEffects.PropertyName = RenameElement;

function FormsListOption(pForm) {
  var list = FormsList();
  var n = String(pForm.getAttribute('ParentFormID'));
  return list ? Array.prototype.find.call(list.options, function (o) { return String(o.value) === n; }) : null;
}

// The forms list shows the new name and the host renames the form's file;
// when the host keeps the old name (the developer would not overwrite
// another file), the form keeps it too.
async function RenameFormFile(pForm, pName, pOld) {
  var option = FormsListOption(pForm);
  if (option) option.text = pName;
  await UpdateProjectFile(pName, pOld, false);
  var field = VisibleField('PropertyName');
  if (field && field.value !== pName) {
    if (option) option.text = pOld;
    return false;
  }
  pForm.setAttribute('Name', pName);
  return true;
}

// An undone or redone form rename: the form is named pNow again, its file
// follows from pBefore.
async function FormRenameMoved(pForm, pNow, pBefore) {
  var option = FormsListOption(pForm);
  if (option) option.text = pNow;
  await UpdateProjectFile(pNow, pBefore, false);
  await SaveForm();
}

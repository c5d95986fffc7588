// The named editing commands of the design surface. The keys (keys.js) and
// the Action and Form menus (menus.js) call them by name, so a command does
// the same from either; each one that changes the surface records its undo
// step (NewForm itself is also called by the host for a new project's first
// form, which is no step).

var ArrangeCommands = {
  Undo: function () { return Undo(); },
  Redo: function () { return Redo(); },
  Cut: function () { return CopyCutControl(0); },
  Copy: function () { return CopyCutControl(1); },
  Paste: function () { return PasteControl(); },
  Delete: function () { return DeleteSelectedControls(); },
  SelectAll: function () { return SelectAllControls(); },
  Nudge: function (pDirection, pStep) { return ArrowKeyMoveControl(pDirection, pStep); },
  NewForm: function () { return SurfaceChange('New form', NewForm); },
  DeleteForm: function () { return SurfaceChange('Delete form', function () { return DeleteRemoveForm(1, false); }); },
  RemoveForm: function () { return SurfaceChange('Remove form', function () { return DeleteRemoveForm(0, false); }); },
};

async function RunArrangeCommand(pName, pArgs) {
  var command = ArrangeCommands[pName];
  if (!command) return;
  await command.apply(null, pArgs || []);
  CallIfPresent('RefreshShownMenu');
}

// Every control on the selected form's body (what frames and tab pages hold
// goes with them).
async function SelectAllControls() {
  var form = SelectedFormObj;
  if (!IsElementNode(form) || !form.isConnected) return;
  await SelectArrangedControls(Array.prototype.filter.call(FormBody(form).children, IsControlElement));
}

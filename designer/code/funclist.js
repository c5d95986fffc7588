// The function list window x_FuncListWin_x (F2): the runtime functions of
// the built page and every function of the project, as name and parameter
// list. New, renamed and deleted functions and edited parameter lists keep
// it up to date; a double click pastes an entry into the code window.

function FuncListBox() { return document.getElementById('x_FuncList_x'); }

// The first entry whose name (its text up to "(") is pNameToFind: removed
// (pKey "R") or given the text pNewName ("CH").
function UpdateFuncList(pNameToFind, pKey, pNewName) {
  var list = FuncListBox();
  if (!list) return;
  for (var k = 0; k < list.options.length; k++) {
    var option = list.options[k];
    if (FuncListName(option.text) !== pNameToFind) continue;
    if (pKey === 'R') {
      list.remove(k);
    } else if (pKey === 'CH') {
      option.text = pNewName;
      option.value = FuncListName(pNewName);
    }
    bProjectInfoChanged = true;
    return;
  }
}

// Adds a new function's entry unless one with that text is there already
// (in any case); its value is the list's new length.
function AddFuncListEntry(pText) {
  var list = FuncListBox();
  if (!list) return;
  var lower = pText.toLowerCase();
  if (Array.prototype.some.call(list.options, function (o) { return o.text.toLowerCase() === lower; })) return;
  list.add(new Option(pText, String(list.options.length + 1)));
  bProjectInfoChanged = true;
}

// Watches the first line of the function shown, on every change of it: the
// function's name must stay in it (renaming goes through the Change
// button), and its parameter list shows in the function list window.
// pFirstLine is the first line as the change would leave it, pEmpty whether
// it would leave no text at all (which is allowed). Returns false when the
// change is refused.
function CheckIfFunctionParametersChanged(pFirstLine, pEmpty) {
  var name = ShownFunctionName();
  if (!name || name === DeclarationsName || IsEventsMode()) return true;
  var entry = FuncListTextOf(pFirstLine, name);
  if (entry === null) {
    if (pEmpty) return true;
    MsgBox("To change the function name please use the 'CHANGE' button above.", vbOKOnly + vbInformation, 'ZOLT')
      .then(function () { if (CodeEditor) CodeEditor.focus(); });
    return false;
  }
  if (entry !== GsPreviousFuncNameAndParameters) {
    UpdateFuncList(FuncListName(GsPreviousFuncNameAndParameters) || name, 'CH', entry);
    GsPreviousFuncNameAndParameters = entry;
  }
  return true;
}

// Double click on an entry: its text and a line break go into the code at
// the caret.
function CopyFuncAndPaste() {
  var list = FuncListBox();
  if (!list || list.selectedIndex < 0 || !bCodeWindowOpen || !CodeEditor) return;
  CodeEditor.insertAtCursor(list.options[list.selectedIndex].text + '\r\n');
  CodeEditor.focus();
}

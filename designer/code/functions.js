// Loading and saving the code the code window shows, and the functions of
// its element: new, renamed, deleted, and renamed with the element itself.
//
// Code is saved whenever the developer picks another function or event,
// switches between functions and events, opens another element's code,
// leaves the editor, presses Save or Ctrl+S, closes the window, and before
// the project is saved or built. A function's text is stored only when it
// was typed in (bCodeWindowActive); an event's code when it changed.

function ShownFunctionName() { return CodeShown && CodeShown.kind === 'F' ? CodeShown.name : ''; }

// Shows the function chosen in the function list.
function GetCode() {
  var list = FunctionList();
  var el = SelectedObjCodeWin;
  if (!list || !el || !CodeEditor) return;
  var name = list.value;
  var stored = el.getAttribute('F_' + name);
  var text;
  if (stored === '' && name !== DeclarationsName) {
    // A function without its text gets the new-function skeleton.
    text = FunctionSkeleton(name);
    el.setAttribute('F_' + name, text);
  } else {
    text = DecodeStoredCode(stored || '');
  }
  CodeShown = { kind: 'F', name: name };
  CodeEditor.setText(text);
  GsPreviousFuncNameAndParameters = list.options[list.selectedIndex] ? list.options[list.selectedIndex].text : '';
}

// Stores what the editor shows into its function, when it was typed in.
function SaveCode(pbClearCodeOut) {
  var el = SelectedObjCodeWin;
  var name = ShownFunctionName();
  if (bCodeWindowActive && el && name && CodeEditor) {
    el.setAttribute('HasSomeCode', 'true');
    el.setAttribute('F_' + name, CodeEditor.text());
    bCodeWindowActive = false;
    bProjectInfoChanged = true;
  }
  if (pbClearCodeOut && CodeEditor) CodeEditor.setText('');
  if (bCodeWindowTabKeyPressed && CodeEditor) CodeEditor.focus();
}

// Event code is stored with a leading "=", as the built page reads it.
function EventCodeText(pStored) {
  var text = String(pStored == null ? '' : pStored);
  return text.charAt(0) === '=' ? text.slice(1) : text;
}

// Shows the code of the event chosen in the event list.
function GetControlCode(pObj) {
  var list = pObj || EventList();
  var el = SelectedObjCodeWin;
  if (!list || !el || !CodeEditor) return;
  CodeShown = { kind: 'C', name: list.value };
  CodeEditor.setText(EventCodeText(el.getAttribute('C_' + list.value)));
  PaintEventOption(list.options[list.selectedIndex], HasEventCode(el, list.value));
}

// Stores the shown event's code; an emptied event loses its attribute and
// its gold.
function SaveControlCode(pObj) {
  var list = pObj || EventList();
  var el = SelectedObjCodeWin;
  if (!list || !el || !CodeEditor || !CodeShown || CodeShown.kind !== 'C') return;
  var event = CodeShown.name;
  var option = Array.prototype.find.call(list.options, function (o) { return o.value === event; });
  var text = CodeEditor.text();
  var stored = el.getAttribute('C_' + event);
  if (text !== '') {
    if (stored !== '=' + text) {
      el.setAttribute('C_' + event, '=' + text);
      el.setAttribute('HasSomeCode', 'true');
      bProjectInfoChanged = true;
    }
    if (option) PaintEventOption(option, true);
  } else if (stored !== null) {
    el.removeAttribute('C_' + event);
    bProjectInfoChanged = true;
    if (option) PaintEventOption(option, false);
  }
  bCodeWindowActive = false;
}

// Saves whatever the window shows (the Save button, Ctrl+S, leaving the
// editor, and before the project is saved or built); pFocus gives the
// caret back to the editor.
function SaveShownCode(pFocus) {
  if (!bCodeWindowOpen || !CodeEditor || !CodeShown) return;
  if (CodeShown.kind === 'C') SaveControlCode(EventList());
  else SaveCode(false);
  if (pFocus === true) CodeEditor.focus();
}

// A change the developer makes in the editor (typed, pasted, replaced).
function CodeTyped() {
  bCodeWindowActive = true;
}

// Asked before every change the developer makes: a function's first line
// must keep its name (CheckIfFunctionParametersChanged).
function AllowCodeChange(pTr) {
  if (ShownFunctionName() === '' || ShownFunctionName() === DeclarationsName) return true;
  var before = pTr.startState.doc;
  if (!pTr.changes.touchesRange(0, before.line(1).to)) return true;
  return CheckIfFunctionParametersChanged(pTr.newDoc.line(1).text, pTr.newDoc.length === 0);
}

// Asks for a function name (CheckFunctionName): the name to use, or "" when
// the developer cancels. A refused name is explained and asked for again.
// The code shown is saved first; it stays shown, so that a cancelled name
// leaves the function as it was (a new function's skeleton replaces it).
async function CheckFunctionName(pValue, pFunc) {
  SaveCode(false);
  var list = FunctionList();
  var own = Array.prototype.map.call(list.options, function (o) { return o.value; })
    .filter(function (n) { return n !== pValue; });
  var funcList = document.getElementById('x_FuncList_x');
  var listed = funcList ? Array.prototype.map.call(funcList.options, function (o) { return o.text; }) : [];
  for (;;) {
    var typed = await AskInput('Enter New Function Name.\n\nExample: ValidateControls',
      pValue ? 'Old Func Name: ' + pValue : '', 'ZOLT');
    if (typed === null || typed.trim() === '') return '';
    var verdict = CheckFunctionNameText(typed, own, pFunc === 'ChangeFunction' ? listed.filter(function (t) {
      return FuncListName(t) !== pValue;
    }) : listed);
    if (verdict.refuse) {
      await MsgBox(verdict.refuse, vbOKOnly + vbInformation, 'ZOLT');
      continue;
    }
    if (verdict.ask && await MsgBox(verdict.ask, vbYesNo + vbInformation, 'ZOLT') !== vbYes) continue;
    return verdict.name;
  }
}

async function NewFunction() {
  if (IsEventsMode()) {
    await MsgBox('You must un-select the Events checkbox, in order to add a new function.', vbOKOnly + vbInformation, 'ZOLT');
    return;
  }
  var name = await CheckFunctionName('', 'NewFunction');
  if (!name || !CodeWindow()) return;
  var list = FunctionList();
  list.add(new Option(name, name, true, true));
  var text = FunctionSkeleton(name);
  SelectedObjCodeWin.setAttribute('F_' + name, text);
  SelectedObjCodeWin.setAttribute('HasSomeCode', 'true');
  bProjectInfoChanged = true;
  CodeShown = { kind: 'F', name: name };
  CodeEditor.setText(text);
  CodeEditor.select(CodeEditor.lineStart(2));
  GsPreviousFuncNameAndParameters = '';
  AddFuncListEntry(name + '()');
  CodeEditor.focus();
}

async function ChangeFunction() {
  var old = FunctionList() && FunctionList().value;
  if (IsEventsMode()) return RefuseInCodeWindow('You cannot change a function name while in Events.');
  if (old === DeclarationsName) return RefuseInCodeWindow('You cannot change the name (Declarations).');
  var name = await CheckFunctionName(old, 'ChangeFunction');
  if (!name || name === old || !CodeWindow()) return;
  var option = FunctionList().options[FunctionList().selectedIndex];
  option.value = option.text = name;
  var text = ReplaceWholeWord(CodeEditor.text(), old, name);
  SelectedObjCodeWin.removeAttribute('F_' + old);
  SelectedObjCodeWin.setAttribute('F_' + name, text);
  bProjectInfoChanged = true;
  CodeShown = { kind: 'F', name: name };
  CodeEditor.setText(text, true);
  var entry = name + ParameterListOf(text);
  UpdateFuncList(old, 'CH', entry);
  GsPreviousFuncNameAndParameters = entry;
  CodeEditor.focus();
}

async function DeleteFunction() {
  var list = FunctionList();
  var name = list && list.value;
  if (IsEventsMode()) return RefuseInCodeWindow('You cannot delete a function while in Events.');
  if (name === DeclarationsName) return RefuseInCodeWindow('You cannot Delete (Declarations) entry.');
  if (!name || await MsgBox('Delete Function: ' + name, vbYesNo + vbCritical, 'ZOLT') !== vbYes) return;
  SelectedObjCodeWin.removeAttribute('F_' + name);
  bProjectInfoChanged = true;
  bCodeWindowActive = false;
  list.remove(list.selectedIndex);
  list.selectedIndex = 0;
  UpdateFuncList(name, 'R');
  // The first entry is chosen; its code shows.
  GetCode();
  CodeEditor.focus();
}

async function RefuseInCodeWindow(pText) {
  await MsgBox(pText, vbOKOnly + vbInformation, 'ZOLT');
  if (CodeEditor) CodeEditor.focus();
}

// SelectedObj was given the name pNewName: its code follows (every
// whole-word pOldName in its functions and events), so does the start
// form, and the code window's caption when it shows the element or one of
// its controls.
function UpdateCodeWindow(pOldName, pNewName) {
  var el = SelectedObj;
  if (!IsElementNode(el)) return;
  if (IsFormElement(el) && GProjectStartForm === pOldName) GProjectStartForm = pNewName;
  if (bCodeWindowOpen && CodeWindow() && SelectedObjCodeWin) {
    SaveShownCode(false);
    var shown = SelectedObjCodeWin;
    if (FormOf(shown) === el) CodeById('Code_x_CaptionBar').textContent = CodeWindowCaption(shown, pNewName);
    if (shown === el) CodeById('Cap_x_tion1').textContent = pNewName;
  }
  Array.prototype.slice.call(el.attributes).forEach(function (a) {
    var attr = a.name.toLowerCase();
    if ((attr.indexOf('f_') !== 0 && attr.indexOf('c_') !== 0) || !a.value) return;
    var renamed = ReplaceWholeWord(a.value, pOldName, pNewName);
    if (renamed !== a.value) el.setAttribute(a.name, renamed);
  });
}

// Keeps the editor showing what its element holds when something other
// than the window changes that code (Undo on the surface, a rename).
var CodeElementWatch = null;

function WatchCodeElement(pEl) {
  if (CodeElementWatch) CodeElementWatch.disconnect();
  if (!pEl || typeof MutationObserver !== 'function') return;
  CodeElementWatch = CodeElementWatch || new MutationObserver(ReloadChangedCode);
  CodeElementWatch.observe(pEl, { attributes: true });
}

function ReloadChangedCode(pRecords) {
  if (!CodeEditor || !CodeShown || !SelectedObjCodeWin) return;
  var attr = (CodeShown.kind + '_' + CodeShown.name).toLowerCase();
  if (!pRecords.some(function (r) { return r.attributeName === attr; })) return;
  var stored = SelectedObjCodeWin.getAttribute(attr);
  var text = CodeShown.kind === 'C' ? EventCodeText(stored) : DecodeStoredCode(stored || '');
  if (text !== CodeEditor.text() && !bCodeWindowActive) CodeEditor.setText(text, true);
}

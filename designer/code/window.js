// The code window xC_xodeWindox_xw: the code of one element (the page body, a
// form or a control) in an editor, with the element's functions in one list
// (EventObjects) and its events in another (ControlObjects, under the first;
// the Events check box shows it), buttons to add, rename, delete and save
// functions, find, maximise and close. Opened by a double click on a control
// or a form, or by the project properties for the page body.
//
// The code text x_Code_x is the editor (code/editor.mjs); it answers to
// `value` and focus() as a text area would.

var CodeWindowId = 'xC_xodeWindox_xw';
var CodeEditor = null;        // the editor of the open window
var CodeShown = null;         // what the editor shows: {kind: 'F' | 'C', name}
var CodeWindowWidth = 500, CodeWindowHeight = 450;

// The events each kind of element offers in the event list, beside those it
// already has code for. The built page puts each on the element's tag.
var PointerKeyEvents = ['onclick', 'oncontextmenu', 'ondblclick', 'onkeydown', 'onkeypress', 'onkeyup',
  'onmousedown', 'onmousemove', 'onmouseout', 'onmouseover', 'onmouseup'];
var FocusEvents = ['onblur', 'onfocus'];
var InputEvents = FocusEvents.concat(['onchange', 'oninput', 'onselect']);
var CodeEventsByType = {
  Body: ['onbeforeunload', 'onload', 'onresize', 'onscroll', 'onunload'],
  T: InputEvents, TXTA: InputEvents,
  B: FocusEvents, LNK: FocusEvents,
  CK: FocusEvents.concat(['onchange']), O: FocusEvents.concat(['onchange']),
  CB: FocusEvents.concat(['onchange']), LB: FocusEvents.concat(['onchange']),
  IM: ['onerror', 'onload'],
};

function CodeWindow() { return document.getElementById(CodeWindowId); }
function CodeById(pId) { var w = CodeWindow(); return w ? w.querySelector('#' + pId) : null; }
function FunctionList() { return CodeById('EventObjects'); }
function EventList() { return CodeById('ControlObjects'); }
function EventsBox() { return CodeById('x_Events_x'); }
function IsEventsMode() { var box = EventsBox(); return !!(box && box.checked); }
function IsPageBody(pEl) { return !!pEl && pEl === document.body; }

// "Body (code)", or the name of the element's form and " (code)".
function CodeWindowCaption(pEl, pFormName) {
  if (IsPageBody(pEl)) return 'Body (code)';
  var form = FormOf(pEl);
  var name = pFormName !== undefined ? pFormName : form ? form.getAttribute('Name') || form.id : '';
  return name + ' (code)';
}

function CodeElementId(pEl) { return IsPageBody(pEl) ? 'Body' : pEl.id; }

// The element's functions in attribute order: [{name, attr}]. Declarations
// is always there, first when the element lacks the attribute.
function CodeFunctionsOf(pEl) {
  var out = [];
  Array.prototype.forEach.call(pEl.attributes, function (a) {
    var attr = a.name.toLowerCase();
    if (attr.indexOf('f_') !== 0 || attr === FunctionListMarker) return;
    out.push({ name: FunctionNameOf(attr, a.value), attr: attr });
  });
  if (!out.some(function (f) { return f.name === DeclarationsName; })) {
    out.unshift({ name: DeclarationsName, attr: 'f_declarations' });
  }
  return out;
}

// The element's events: those of its kind and those it has code for.
function CodeEventsOf(pEl) {
  var kind = IsPageBody(pEl) ? 'Body' : ModelType(pEl);
  var names = PointerKeyEvents.concat(CodeEventsByType[kind] || []);
  Array.prototype.forEach.call(pEl.attributes, function (a) {
    var attr = a.name.toLowerCase();
    if (attr.indexOf('c_') === 0 && names.indexOf(attr.slice(2)) < 0) names.push(attr.slice(2));
  });
  return names.sort();
}

function HasEventCode(pEl, pEvent) { return !!pEl.getAttribute('C_' + pEvent); }

function PaintEventOption(pOption, pGold) {
  pOption.style.backgroundColor = pGold ? 'gold' : 'white';
  var list = pOption.parentElement;
  if (list && list.options[list.selectedIndex] === pOption) list.style.backgroundColor = pOption.style.backgroundColor;
}

// The function list EventObjects of an element.
function GetEventsAssociatedWithSelectedControl(pEl) {
  var list = document.createElement('SELECT');
  list.id = 'EventObjects';
  list.className = 'CodeList';
  list.title = 'Functions';
  CodeFunctionsOf(pEl).forEach(function (f) { list.add(new Option(f.name, f.name)); });
  list.addEventListener('change', ChooseFunction);
  return list;
}

// The event list ControlObjects of an element; events with code are gold.
function GetOnEventsAssociatedWithSelectedControl(pEl) {
  var list = document.createElement('SELECT');
  list.id = 'ControlObjects';
  list.className = 'CodeList';
  list.title = 'Events';
  CodeEventsOf(pEl).forEach(function (name) {
    var option = new Option(name, name);
    list.add(option);
    PaintEventOption(option, HasEventCode(pEl, name));
  });
  var click = list.querySelector('option[value="onclick"]');
  if (click) click.selected = true;
  PaintEventOption(list.options[list.selectedIndex], HasEventCode(pEl, list.value));
  list.addEventListener('change', ChooseEvent);
  return list;
}

function CodeWindowMarkup() {
  var find = FolderUrl(AppPath, 'images/find.ico');
  return '<DIV ID="' + CodeWindowId + '" style="position:absolute; width:' + CodeWindowWidth + 'px; height:' +
    CodeWindowHeight + 'px; background-color:white; border:3px ridge #FFCC00; z-index:1200"' +
    ' onmousemove="ShowArrowCursor(event)" onmousedown="InitDrag(event)" onmouseup="DragEnd(event)">' +
    '<DIV ID="Code_x_CaptionBar"></DIV>' +
    '<BUTTON ID="CodeNew" type="button" class="CodeButton" style="left:220px" title="Add a New Function." onclick="NewFunction()">New</BUTTON>' +
    '<BUTTON ID="CodeChange" type="button" class="CodeButton" style="left:260px" title="Change Current Function Name." onclick="ChangeFunction()">Change</BUTTON>' +
    '<BUTTON ID="CodeDelete" type="button" class="CodeButton" style="left:330px" title="Delete Current Function." onclick="DeleteFunction()">Delete</BUTTON>' +
    '<BUTTON ID="CodeSave" type="button" class="CodeButton" style="left:390px" title="Save Code." onclick="SaveShownCode(true)">Save</BUTTON>' +
    '<BUTTON ID="MinMaxGen" type="button" title="Click to Maximize" MinWidth="' + CodeWindowWidth + '" MinHeight="' +
    CodeWindowHeight + '" MaxMin="false" MinLeft="" MinTop="" style="left:460.5px" onclick="MinimizeWindow(this)">' +
    '<DIV class="CodeRule"></DIV></BUTTON>' +
    '<IMG ID="CloseCodeX" src="' + ImagePath + '" title="Click to close." ondragstart="return false" style="left:478px" onclick="CloseCodeWindow()">' +
    '<DIV ID="Cap_x_tion1"></DIV>' +
    '<DIV ID="CodeTools">' +
    '<BUTTON ID="CodeFind" type="button" title="Click to open up Find." onclick="FindTextInCodeWindow()"><IMG src="' + find + '" alt="Find"></BUTTON>' +
    '<LABEL title="Show Control Events"><INPUT type="checkbox" ID="x_Events_x" title="Show Control Events" onclick="ControlEvents()">Events</LABEL>' +
    '</DIV>' +
    '<DIV ID="x_Code_x"></DIV>' +
    '</DIV>';
}

// The editor is made once and moves into each code window opened: making
// it is the larger part of opening the window. It is made ahead of time,
// when the page is idle after a project opens.
var CodeEditorMade = null;

function MadeCodeEditor() {
  if (!CodeEditorMade) {
    CodeEditorMade = ZoltCodeEditor.create(document.createElement('DIV'), {
      allowChange: AllowCodeChange,
      changed: CodeTyped,
      save: function () { SaveShownCode(true); },
      find: FindTextInCodeWindow,
      findNext: function () { if (bFindWindowOpen) FindText(0); else FindTextInCodeWindow(); },
      lintEvent: function () { return CodeShown && CodeShown.kind === 'C' ? CodeShown.name : ''; },
    });
  }
  return CodeEditorMade;
}

function MakeCodeEditorAhead() {
  if (typeof ZoltCodeEditor === 'undefined' || CodeEditorMade) return;
  if (typeof requestIdleCallback === 'function') requestIdleCallback(MadeCodeEditor, { timeout: 3000 });
  else setTimeout(MadeCodeEditor, 1000);
}

// Makes the code text: the editor, answering to value and focus() as a
// text area would.
function MakeCodeText(pHost) {
  CodeEditor = MadeCodeEditor();
  CodeEditor.setText('');
  pHost.appendChild(CodeEditor.view.dom);
  CodeEditor.view.requestMeasure();
  Object.defineProperty(pHost, 'value', {
    configurable: true,
    get: function () { return CodeEditor ? CodeEditor.text() : ''; },
    set: function (v) { if (CodeEditor) CodeEditor.setText(v); },
  });
  pHost.focus = function () { if (CodeEditor) CodeEditor.focus(); };
  pHost.addEventListener('mousedown', function (e) { GWinX = e.clientX; GWinY = e.clientY; });
  pHost.addEventListener('focusin', CheckCodeElement);
  pHost.addEventListener('focusout', function (e) {
    if (!pHost.contains(e.relatedTarget)) SaveShownCode(false);
  });
}

// Shows the element's lists, caption and first function.
function FillCodeWindow(pEl) {
  var win = CodeWindow();
  SelectedObjCodeWin = pEl;
  CodeById('Code_x_CaptionBar').textContent = CodeWindowCaption(pEl);
  CodeById('Cap_x_tion1').textContent = CodeElementId(pEl);
  [FunctionList(), EventList()].forEach(function (old) { if (old) old.remove(); });
  var width = GetCorrectSize(win.style.width) - 280 + 'px';
  var events = GetOnEventsAssociatedWithSelectedControl(pEl);
  var functions = GetEventsAssociatedWithSelectedControl(pEl);
  events.style.width = functions.style.width = width;
  win.insertAdjacentElement('afterbegin', events);
  win.insertAdjacentElement('afterbegin', functions);
  WatchCodeElement(pEl);
  GetCode();
}

// Opens the code of SelectedObj, or shows it in the open window (saving
// what the window showed first).
function ShowCodeWindow() {
  // A double click on a control reaches its form's body too: one opening.
  var ev = typeof window !== 'undefined' ? window.event : null;
  if (ev && ev.type === 'dblclick') ev.stopPropagation();
  var el = IsElementNode(SelectedObj) ? SelectedObj : null;
  if (!el) return;
  if (bCodeWindowOpen && CodeWindow()) {
    if (SelectedObjCodeWin === el) { CodeEditor.focus(); return; }
    SaveShownCode(true);
    if (IsEventsMode()) {
      EventsBox().checked = false;
      ShowFunctionsMode();
    }
    FillCodeWindow(el);
    CodeEditor.focus();
    return;
  }
  var stale = CodeWindow();
  if (stale) RemoveCodeWindow(stale);
  bCodeWindowOpen = true;
  document.body.insertAdjacentHTML('afterbegin', CodeWindowMarkup());
  var win = CodeWindow();
  // Centred in the window's view from sizes known without a layout of the
  // page (reading the body's size would lay out every form first).
  win.style.left = Math.max(0, Math.trunc((window.innerWidth - CodeWindowWidth) / 2)) + 'px';
  win.style.top = Math.max(0, Math.trunc((window.innerHeight - CodeWindowHeight) / 2)) + 'px';
  MakeCodeText(CodeById('x_Code_x'));
  FillCodeWindow(el);
  var max = CodeById('MinMaxGen');
  max.setAttribute('MinLeft', win.style.left);
  max.setAttribute('MinTop', win.style.top);
  CodeEditor.focus();
  SelectedResizeWindow = win;
}

// Nothing is saved from here on: taking the focused editor out of the page
// makes it lose the focus, which saves what it shows.
function RemoveCodeWindow(pWin) {
  CodeShown = null;
  if (CodeEditor) {
    CodeEditor.view.dom.remove();
    CodeEditor.setText('');
  }
  CodeEditor = null;
  WatchCodeElement(null);
  pWin.remove();
}

// Saves what is shown and closes the window (and its find window).
function CloseCodeWindow() {
  var win = CodeWindow();
  if (win && CodeEditor) SaveShownCode(false);
  if (bFindWindowOpen) CloseFindWindow();
  if (win) RemoveCodeWindow(win);
  bCodeWindowOpen = false;
  bCodeWindowActive = false;
  SelectedObjCodeWin = null;
  CodeShown = null;
  if (SelectedResizeWindow === win) SelectedResizeWindow = null;
}

// The Events check box: functions or events.
function ControlEvents() {
  if (IsEventsMode()) {
    SaveCode(true);
    GetControlCode(EventList());
    FunctionList().style.display = 'none';
    EventsBox().title = 'Show Code Functions';
  } else {
    SaveControlCode(EventList());
    ShowFunctionsMode();
    GetCode();
  }
  CodeEditor.focus();
}

function ShowFunctionsMode() {
  FunctionList().style.display = '';
  EventsBox().title = 'Show Control Events';
}

// Another entry chosen in either list: what was shown is saved first.
function ChooseFunction() {
  SaveCode(true);
  GetCode();
}

function ChooseEvent() {
  SaveControlCode(EventList());
  GetControlCode(EventList());
}

// The window's element as it stands on the page. A control on a tab page
// that is no longer shown, or a deleted one, has left the page: its code
// was saved when the editor was left, and the window closes.
async function CheckCodeElement() {
  var el = SelectedObjCodeWin;
  if (!el || el === document.body || el.isConnected) return;
  CloseCodeWindow();
  await MsgBox('The code window closed: ' + CodeElementId(el) + ' is no longer on its form.', vbOKOnly + vbInformation, 'ZOLT');
}

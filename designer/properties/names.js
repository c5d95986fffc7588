// Names of forms, controls and tab pages. A name becomes the element's ID on
// the design surface and in the built page, a form's name also its file's
// name, so a name is made of letters, digits and the underscore only (also
// in first place), and never one the built page's script already means
// something by.

var ValidNamePattern = /^[A-Za-z0-9_]+$/;

// Words of the built page's script and the names its pages need for
// themselves: the language's own words, the browser's objects a page's code
// reaches by name, and the routines and variables every built site defines.
var ReservedNames = new Set((
  'abstract arguments await boolean break byte case catch char class const continue debugger default delete do ' +
  'double else enum eval export extends false final finally float for function goto if implements import in ' +
  'instanceof int interface let long native new null package private protected public return short static super ' +
  'switch synchronized this throw throws transient true try typeof var void volatile while with yield ' +
  'undefined NaN Infinity Object Array String Number Boolean Date Math JSON RegExp Error Function Symbol ' +
  'parseInt parseFloat isNaN isFinite escape unescape encodeURI encodeURIComponent decodeURI decodeURIComponent ' +
  'window document event location navigator history screen self top parent frames opener name status closed ' +
  'length alert confirm prompt open close print focus blur setTimeout setInterval clearTimeout clearInterval ' +
  'drag dragstop ZOLTFormMover Cal_Clicked HighlightCalDay SetCalDate BuildCalendar ShowForm CloseForm CenterForm ' +
  'BringToFront GetCookie SetCookie SendData ShowTabContents TabClicked TabGUI GTabPages GCntrlObj GbValCon GsFunc ' +
  'GSelectedForm zIndexCounter sBrowserType pCallD pE'
).split(' '));

// Why a name cannot be used, or '' when it can.
function NameRefusal(pName) {
  var name = String(pName === undefined || pName === null ? '' : pName);
  if (!ValidNamePattern.test(name)) return 'characters';
  if (ReservedNames.has(name)) return 'reserved';
  return '';
}

// The word naming a type in "... Name already exists.".
var TypeWords = { F: 'Form ', L: 'Label ', T: 'TextBox ', B: 'Button ', O: 'Option ', CK: 'CheckBox ',
  CB: 'ComboBox ', LB: 'ListBox ', IM: 'Image ', TBL: 'Grid ', TXTA: 'TextArea ', TAB: 'Tab ', CAL: 'Calendar ',
  LNK: 'Link ' };

function SameName(pA, pB) {
  return String(pA).toLowerCase() === String(pB).toLowerCase();
}

// The elements whose name or ID a new name must not take: on the shown
// element's form, the form and every control (those on tab pages not shown
// too); a form's name must also differ from every other form's; a tab
// page's from the other pages of its tab control.
function NameCandidates(pShown, pCell) {
  var form = FormOf(pShown);
  var list = form ? [form].concat(ControlsWithin(FormBody(form) || form)) : [];
  if (IsFormElement(pShown)) {
    list = list.concat(Array.prototype.filter.call(document.body.children, IsFormElement));
  }
  if (pCell) list = list.concat(TabCells(pShown));
  return list.filter(function (e) { return e !== pShown && e !== pCell; });
}

// The first element that already has the name (by its Name or its ID).
function ElementNamed(pName, pShown, pCell) {
  var list = NameCandidates(pShown, pCell);
  for (var k = 0; k < list.length; k++) {
    var e = list[k];
    if (SameName(e.getAttribute('Name') || '', pName) || SameName(e.id || '', pName)) return e;
  }
  return null;
}

// Checks the name typed into the Name field (bSwitch true) or the tab
// page's name field (false) against pOriginalName, the name it replaces.
// A refused name is put back into the field.
async function CheckPropertyName(pOriginalName, bSwitch) {
  var forElement = IsTrueText(bSwitch);
  var field = VisibleField(forElement ? 'PropertyName' : 'PropertyTabName');
  var shown = SelectedObj;
  if (!field || !IsElementNode(shown)) return false;
  var name = field.value;
  var refuse = function () { field.value = pOriginalName; return false; };
  if (NameRefusal(name)) {
    await MsgBox('Name InValid!\n' + "'" + name + "'", vbOKOnly + 4096, 'ZOLT');
    return refuse();
  }
  var cell = forElement ? null : SelectedTabCell(shown);
  var taken = ElementNamed(name, shown, cell);
  var isOption = forElement && ModelType(shown) === 'O';
  if (taken) {
    if (isOption && ModelType(taken) === 'O' && IsControlElement(taken)) {
      if (await MsgBox('Create a Radio Button control group?', vbYesNo + vbInformation, 'ZOLT') !== vbYes) return refuse();
      shown.setAttribute('ControlArray', 'true');
      taken.setAttribute('ControlArray', 'true');
    } else {
      await MsgBox('The Name: ' + name + ' already exists.', vbOKOnly, 'ZOLT');
      return refuse();
    }
  } else if (isOption && IsTrueText(shown.getAttribute('ControlArray'))) {
    shown.setAttribute('ControlArray', 'false');
  }
  // A tab page may not take the name of its own tab control.
  if (!forElement && !SameName(name, pOriginalName) &&
      (SameName(name, shown.getAttribute('Name') || '') || SameName(name, shown.id))) {
    await MsgBox((TypeWords[ModelType(shown)] || '') + 'Name already exists.', vbOKOnly, 'ZOLT');
    return refuse();
  }
  if (name !== String(pOriginalName)) CallIfPresent('UpdateCodeWindow', pOriginalName, name);
  return true;
}

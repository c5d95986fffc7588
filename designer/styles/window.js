// The style window x_StyleWindow_x: the project's styles (the list comes from
// the host), the style's name, its colours, font and border, the forms to
// apply it to (marked gold by a double click), "use for new forms" and the
// Apply, Save and Delete buttons. Saving, deleting and loading a style are
// the host's; the window is what those commands read and fill.

var StyleWindowWidth = 350;
var StyleWindowHeight = 445;

// The rows of settings: label, the list's id and what it lists.
var StyleListRows = [
  ['TitleBar Color:', 'TitleBarColor', 'color'],
  ['Title Bar Font Color:', 'TitleBarFontColor', 'color'],
  ['Title Bar Font Type:', 'TitleBarFontType', 'font'],
  ['Back Color:', 'BackColor', 'color'],
  ['Border Color:', 'BorderColor', 'color'],
  ['Border Style:', 'BorderStyle', 'border']
];

var StyleListBuilders = {
  color: function (id) { return BuildColorCombo(id, 'Style'); },
  font: function (id) { return BuildFontTypeCombo(id, 'Style'); },
  border: function (id) { return BuildBorderStyle(id, 'Style'); }
};

function StyleWindow() { return document.getElementById('x_StyleWindow_x'); }

function StyleRow(pLabel, pContent) {
  return '<TR><TD align="right" nowrap><B>' + pLabel + '</B></TD><TD>' + pContent + '</TD></TR>';
}

// The forms list: one option per form of the project window's list.
function StyleFormOptions() {
  var forms = document.getElementById('x_FormsList_x');
  var out = '';
  for (var k = 0; forms && k < forms.options.length; k++) {
    var name = ModelEscapeText(forms.options[k].text).replace(/"/g, '&quot;');
    out += '<OPTION value="' + name + '" style="background-color:white">' + name + '</OPTION>';
  }
  return out;
}

function StyleWindowMarkup(psStyles) {
  var rows = StyleRow('Style:', psStyles) +
    StyleRow('Style Name:', '<INPUT ID="x_StyleName_x" type="text" size="15" maxlength="30" style="background-color:white">');
  StyleListRows.forEach(function (r) { rows += StyleRow(r[0], StyleListBuilders[r[2]](r[1])); });
  rows += StyleRow('Border:',
    '<INPUT type="radio" name="BorderOnOff" value="0" checked>On' +
    '<INPUT type="radio" name="BorderOnOff" ID="BorderOnOff" value="1">Off');
  rows += StyleRow('Border Size:', '<INPUT ID="BorderSize" type="text" size="3" maxlength="2" value="1"' +
    ' oninput="FieldDigits(this)">');
  rows += '<TR><TD align="right" valign="top"><B><U>Forms:</U></B></TD><TD>' +
    '<SELECT ID="x_StyleFormList_x" size="5" style="width:120px" ondblclick="SelectFormForStyle(event)">' +
    StyleFormOptions() + '</SELECT> <SPAN class="StyleHint">(To select Dbl Click.)</SPAN></TD></TR>';
  rows += '<TR><TD></TD><TD><INPUT type="checkbox" ID="x_Auto_x" title="Check this box if you want the selected' +
    ' style sheet to apply (automatically) to new forms when created." onclick="return StyleAutoClick(event)">' +
    '<LABEL for="x_Auto_x">use for new forms</LABEL></TD></TR>';
  rows += '<TR><TD colspan="2"><HR style="border:0; height:2px; background-color:gold"></TD></TR>' +
    '<TR><TD colspan="2" align="center">' +
    '<BUTTON type="button" ID="Apply" title="Apply this style to selected forms." onclick="ApplyStyleToForms()">Apply</BUTTON> ' +
    '<BUTTON type="button" ID="Save" title="Save style." onclick="SaveStyleSheet()">Save</BUTTON> ' +
    '<BUTTON type="button" ID="Delete" title="Delete style." onclick="DeleteStyleSheet()">Delete</BUTTON>' +
    '</TD></TR>';
  return '<DIV ID="x_StyleWindow_x" tabindex="-1" style="position:absolute; width:' + StyleWindowWidth +
    'px; height:' + StyleWindowHeight + 'px; background-color:white; border:3px ridge #FFCC00; z-index:1200">' +
    '<DIV ID="CaptionBar" class="WinCaptionBar">Style Sheets</DIV>' +
    '<IMG ID="CloseStyle" src="' + ImagePath + '" title="Click to close." ondragstart="return false"' +
    ' style="position:absolute; left:326px; top:2px; cursor:pointer" onclick="CloseStyleWindow()">' +
    '<TABLE align="center" class="StyleTable">' + rows + '</TABLE></DIV>';
}

// Opens the window (once), centred in the view, with the host's style list.
async function ShowStyleWindow() {
  if (bMenuShown) ShowMenu(sMenuType, 1);
  if (bStyleWindowOpen && StyleWindow()) { StyleWindow().focus(); return; }
  var styles = await GetStyleSheets();
  if (StyleWindow()) StyleWindow().remove();
  document.body.insertAdjacentHTML('beforeend', StyleWindowMarkup(styles || ''));
  var win = StyleWindow();
  win.style.left = Math.max(0, Math.trunc((window.innerWidth - StyleWindowWidth) / 2) + window.scrollX) + 'px';
  win.style.top = Math.max(0, Math.trunc((window.innerHeight - StyleWindowHeight) / 2) + window.scrollY) + 'px';
  StartStyleChoices(IsFormElement(SelectedFormObj) ? SelectedFormObj : null);
  win.addEventListener('change', function (ev) {
    if (ev.target && ev.target.tagName === 'SELECT') ShowStyleChoice(ev.target);
  });
  bStyleWindowOpen = true;
  win.focus();
}

function CloseStyleWindow() {
  bStyleWindowOpen = false;
  var win = StyleWindow();
  if (win) win.remove();
}

// Where the lists start: the selected form's settings, else a new form's.
var StyleStartAttributes = [
  ['TitleBarColor', 'TitleBarColorIndex', 6], ['TitleBarFontColor', 'TitleBarFontColorIndex', 216],
  ['TitleBarFontType', 'TitleBarFontTypeIndex', 0], ['BackColor', 'BackColorIndex', 3],
  ['BorderColor', 'BorderColorIndex', 0], ['BorderStyle', 'BorderStyleIndex', 8]
];

function StartStyleChoices(pForm) {
  StyleStartAttributes.forEach(function (s) {
    var list = document.getElementById(s[0]);
    var k = parseInt(pForm ? pForm.getAttribute(s[1]) : '', 10);
    list.selectedIndex = isNaN(k) || k < 0 || k >= list.options.length ? s[2] : k;
  });
  if (pForm) {
    var radios = document.getElementsByName('BorderOnOff');
    radios[BorderIsOn(pForm) ? 0 : 1].checked = true;
    var size = parseInt(pForm.getAttribute('BorderSize'), 10);
    if (!isNaN(size)) document.getElementById('BorderSize').value = String(size);
  }
  ShowStyleChoices();
}

// A colour list shows its colour, a font list its font.
function ShowStyleChoice(pList) {
  if (!pList || pList.selectedIndex < 0) return;
  if (pList.classList.contains('PropColorList')) ShowChosenColor(pList);
  else if (pList.id === 'TitleBarFontType') pList.style.fontFamily = ChosenValue(pList);
}

// After the host loaded a style into the window, its lists show it.
function ShowStyleChoices() {
  StyleListRows.forEach(function (r) { ShowStyleChoice(document.getElementById(r[1])); });
}

// A double click marks a form for the style, or unmarks it.
function SelectFormForStyle(ev) {
  var list = document.getElementById('x_StyleFormList_x');
  var target = ev && ev.target && ev.target.tagName === 'OPTION' ? ev.target : null;
  var option = target || (list && list.selectedIndex >= 0 ? list.options[list.selectedIndex] : null);
  if (!option) return;
  option.style.backgroundColor = option.style.backgroundColor === 'gold' ? 'white' : 'gold';
  list.selectedIndex = -1;
}

// The forms marked gold.
function StyleMarkedForms() {
  var list = document.getElementById('x_StyleFormList_x');
  var names = [];
  for (var k = 0; list && k < list.options.length; k++) {
    if (list.options[k].style.backgroundColor === 'gold') names.push(list.options[k].text);
  }
  return names;
}

// The box may be ticked only when ValidateStyle allows it; unticking is free.
function StyleAutoClick(ev) {
  var box = ev.target;
  return !box.checked || ValidateStyle();
}

// The project window (the forms list) and the page-wide click handling.

// Adds a form to the forms list and selects it; the style window's form
// list, when open, gets it too.
function UpdateFormsList(psName, pFormCount) {
  AddSelectedOption(document.getElementById('x_FormsList_x'), psName, pFormCount);
  if (bStyleWindowOpen) {
    var styleList = document.getElementById('x_StyleFormList_x');
    if (styleList) AddSelectedOption(styleList, psName, pFormCount);
  }
}

function AddSelectedOption(pList, pText, pValue) {
  var option = new Option(CommandText(pText), CommandText(pValue));
  pList.add(option);
  option.selected = true;
}

// Right button released, Enter or a double click on the forms list, with a
// form chosen, brings that form forward.
function FormsListChoose(e) {
  e = e || window.event;
  var list = document.getElementById('x_FormsList_x');
  if (list.selectedIndex < 0) return;
  if (e.type === 'mouseup' && e.button !== 2) return;
  if (e.type === 'keydown' && e.keyCode !== 13) return;
  return UpdateWhichFormHasTheFocus(list.options[list.selectedIndex].value);
}

// Collapses the project window to its first row, or opens it again.
function FormsListButton() {
  var forms = document.getElementById('Forms');
  var table = document.getElementById('FormsTable');
  var list = document.getElementById('x_FormsList_x');
  var button = document.getElementById('Minimize');
  var rule = document.getElementById('MinimizeRule');
  if (forms.style.height === '170px') {
    forms.style.height = '25px';
    forms.style.width = '196px';
    table.style.height = '25px';
    list.style.display = 'none';
    button.title = "'Click to Maximize'";
    rule.style.top = '-3px';
  } else {
    forms.style.height = '170px';
    table.style.height = '125px';
    list.style.display = 'inline';
    button.title = "'Click to Minimize'";
    rule.style.top = '';
  }
  if (document.activeElement && document.activeElement !== document.body) document.activeElement.blur();
}

// Every click that reaches the body: the project rename box keeps the focus
// while it is up, and a shown menu closes. Clicks in the host's boxes and
// file chooser (dialogs over the page) are not clicks on the page.
function CheckModal(e) {
  if (InHostBox(e || window.event)) return;
  if (CheckModalOnOff === 'ON') {
    var field = document.getElementById('NewProjectName');
    if (field) field.focus();
  }
  if (bMenuShown && sMenuType) ShowMenu(sMenuType, 1);
}

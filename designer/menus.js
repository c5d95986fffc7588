// The menus that the toolbar buttons open. At most one is shown at a time: a
// table with the id sMenuType + "Menu" appended to the body, at the mouse.

// Each menu: its title and its rows. A row is a separator ('-'), a title
// ({title}) or an item: label (or a function giving it), the cell's id, its
// tooltip, what a click does, and when it is struck through (`off`).
var MenuTable = {
  Format: { title: 'Align', rig: 'FormatMenuRig', items: [
    { label: 'Left', id: 'Left', run: AlignItem },
    { label: 'Center', id: 'Center', run: AlignItem },
    { label: 'Right', id: 'Right', run: AlignItem },
    { label: 'Top', id: 'Top', run: AlignItem },
    { label: 'Bottom', id: 'Bottom', run: AlignItem },
    '-',
    { title: 'Make Same Size' },
    { label: 'Width', id: 'Width', run: AlignItem },
    { label: 'Height', id: 'Height', run: AlignItem },
    { label: 'Both', id: 'Both', run: AlignItem }
  ] },
  Action: { title: 'Action', items: [
    { label: 'Undo', id: 'Undo', tip: 'Undo the last change (Ctrl+Z).', run: ArrangeItem,
      off: function () { return !CallIfPresent('CanUndo'); } },
    { label: 'Redo', id: 'Redo', tip: 'Redo what was undone (Ctrl+Y).', run: ArrangeItem,
      off: function () { return !CallIfPresent('CanRedo'); } },
    '-',
    { label: 'Cut', id: 'Cut', run: ArrangeItem },
    { label: 'Copy', id: 'Copy', run: ArrangeItem },
    { label: 'Paste', id: 'Paste', run: ArrangeItem,
      off: function () { return !(CopyCutControlObj instanceof Element); } }
  ] },
  Form: { title: 'Forms', items: [
    { label: 'New', run: function () { return RunArrangeCommand('NewForm'); } },
    { label: 'Load', run: function () { return LoadForm(); } },
    { label: 'Delete', tip: 'Delete selected form.', run: function () { return RunArrangeCommand('DeleteForm'); } },
    { label: 'Remove', tip: 'Remove selected form from the project.', run: function () { return RunArrangeCommand('RemoveForm'); } },
    '-',
    { label: LockFormLabel, id: 'Lock', tip: 'Lock or un-Lock the controls on the currently selected form.',
      run: function () { return LockForm(); } }
  ] },
  Project: { title: 'Project', items: [
    { label: 'New', tip: 'Create a New Project.', run: NewProject },
    { label: 'Load', tip: 'Load an existing Project.', run: ExistingProject },
    { label: 'Delete', tip: 'Delete current project.', run: DeleteProject },
    { label: 'Save', tip: 'Save current project.', run: function () { return SaveExistingProject(false); } },
    '-',
    { label: 'Preview', tip: 'Preview in browser.', run: PreviewProject },
    { label: 'Build Project', tip: 'Build the Project.', run: BuildProject },
    '-',
    { label: 'Style Sheets', tip: 'Style Sheets.', run: function () { return CallIfPresent('ShowStyleWindow'); } },
    { label: 'Properties', tip: 'Project Properties.', run: function () { return CallIfPresent('ShowProjectProperties'); } }
  ] },
  View: { title: 'Window', items: [
    { label: 'Project', id: 'Project', tip: 'Show Project Window.', run: ShowProjectWin },
    { label: 'Property', id: 'Property', tip: 'Show Control Property Window.', run: ShowPropertyWin }
  ] }
};

function AlignItem(pCell) {
  return CallIfPresent('AlignControls', pCell);
}

// Items of the Action menu run the surface's command of their id, as the keys do.
function ArrangeItem(pCell) {
  return CallIfPresent('RunArrangeCommand', pCell.id);
}

// The lock item reads as what choosing it will do to the selected form.
function LockFormLabel() {
  var locked = SelectedFormObj instanceof Element &&
    String(SelectedFormObj.getAttribute('Locked')).toLowerCase() === 'true';
  return locked ? 'un-Lock form' : 'Lock form';
}

// Opens the menu pType (pKey 0), or only closes the one shown (pKey 1).
function ShowMenu(pType, pKey) {
  var e = window.event;
  if (e) e.stopPropagation();
  if (bMenuShown) {
    RemoveMenu(sMenuType);
    bMenuShown = false;
    if (Number(pKey) === 1) return;
  } else if (Number(pKey) === 1) {
    return;
  }
  sMenuType = pType;
  var menu = BuildMenu(pType, MenuTable[pType]);
  if (e && typeof e.clientX === 'number') {
    menu.style.left = (e.clientX + window.scrollX + 40) + 'px';
    menu.style.top = Math.max(0, e.clientY + window.scrollY - 20) + 'px';
  }
  document.body.appendChild(menu);
  if (pType === 'Format') SaveFormatSelection();
  bMenuShown = true;
}

function BuildMenu(pType, pMenu) {
  var table = document.createElement('table');
  table.id = pType + 'Menu';
  table.style.cssText = 'position:absolute; background-color:#D5CCBB; border:2px outset #D5CCBB;' +
    ' font-family:Arial; font-size:11px; cursor:pointer; z-index:1201';
  var rig = pMenu.rig === 'FormatMenuRig' ? FormatMenuRig : MenuRig;
  table.onmousedown = rig;
  table.onclick = rig;
  AddMenuTitle(table, pMenu.title);
  pMenu.items.forEach(function (item) {
    if (item === '-') {
      table.insertRow(-1).insertCell(-1).appendChild(document.createElement('hr'));
    } else if (item.title) {
      AddMenuTitle(table, item.title);
    } else {
      AddMenuItem(table, item);
    }
  });
  return table;
}

function AddMenuTitle(pTable, pTitle) {
  var cell = pTable.insertRow(-1).insertCell(-1);
  cell.style.fontWeight = 'bold';
  cell.style.textDecoration = 'underline';
  cell.textContent = pTitle;
}

function AddMenuItem(pTable, pItem) {
  var cell = pTable.insertRow(-1).insertCell(-1);
  var label = typeof pItem.label === 'function' ? pItem.label() : pItem.label;
  cell.textContent = '\u00a0' + label;
  if (pItem.id) cell.id = pItem.id;
  if (pItem.tip) cell.title = pItem.tip;
  if (pItem.off) cell.style.textDecoration = pItem.off() ? 'line-through' : '';
  cell.onmouseover = function () { MenuHighLight(cell, 0); };
  cell.onmouseout = function () { MenuHighLight(cell, 1); };
  cell.onclick = function () { return pItem.run(cell); };
}

// The shown menu's items strike through what cannot be done now.
function RefreshShownMenu() {
  var menu = bMenuShown && MenuTable[sMenuType];
  if (!menu) return;
  menu.items.forEach(function (item) {
    var cell = item.off && item.id ? document.getElementById(item.id) : null;
    if (cell) cell.style.textDecoration = item.off() ? 'line-through' : '';
  });
}

function RemoveMenu(pName) {
  var menu = document.getElementById(pName + 'Menu');
  if (menu) menu.remove();
}

// Clicks inside a menu stay there: they do not close it through the body.
function MenuRig(e) {
  e = e || window.event;
  if (e) e.stopPropagation();
}

function FormatMenuRig(e) {
  SaveFormatSelection();
  MenuRig(e);
}

// The Format menu works on the controls selected when it was opened or
// clicked (a form selected: nothing is saved).
function SaveFormatSelection() {
  if (!(SelectedObj instanceof Element)) return;
  if (String(SelectedObj.getAttribute('ControlType')).toUpperCase() === 'F') return;
  var selection = CallIfPresent('GetSelectedControls');
  if (selection && selection.length) objFormatMenuCntrlRng = selection;
}

function MenuHighLight(pObj, pType) {
  pObj.style.backgroundColor = Number(pType) === 0 ? 'gold' : '#D5CCBB';
}

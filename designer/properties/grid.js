// A grid in the property window: its number of columns, each column's
// header text and width, and its header and data colours. The column list
// PropertyHeaderCols mirrors the header cells (text = the cell's text,
// value = its width).

function GridPart(pGrid, pPrefix) {
  return ChildWithIdPrefix(pGrid, pPrefix) || pGrid.querySelector('[id^="' + pPrefix + '" i]');
}

function GridHeaderCells(pGrid) {
  var header = GridPart(pGrid, 'Grid_Header_');
  return header && header.rows.length ? Array.prototype.slice.call(header.rows[0].cells) : [];
}

function GridDataRows(pGrid) {
  var data = GridPart(pGrid, 'Grid_Data_');
  return data ? Array.prototype.slice.call(data.rows) : [];
}

// Which columns a new count adds (their indexes) or how many it removes
// from the end. Counts compare as numbers.
function ColumnChange(pCount, pNumber) {
  var count = parseInt(pCount, 10) || 0, number = parseInt(pNumber, 10);
  var add = [];
  for (var c = count; c < number; c++) add.push(c);
  return { add: add, remove: Math.max(count - number, 0) };
}

// Grows or shrinks the grid to pNumber columns (at least 2, checked by the
// Cols field): a new column c gets the header "H" + (c + 1) and the data
// cells c + 1, each 100 wide.
function AddRemoveColumns(pNumber) {
  var grid = SelectedObj;
  if (!IsElementNode(grid) || ModelType(grid) !== 'TBL') return;
  var change = ColumnChange(grid.getAttribute('ColCount'), pNumber);
  var headerRow = GridPart(grid, 'Grid_Header_').rows[0];
  var rows = GridDataRows(grid);
  change.add.forEach(function (c) {
    var th = document.createElement('TH');
    th.setAttribute('width', '100');
    th.textContent = 'H' + (c + 1);
    headerRow.insertBefore(th, headerRow.cells[c] || null);
    rows.forEach(function (row) {
      var td = row.insertCell(Math.min(c, row.cells.length));
      td.className = 'Col';
      td.setAttribute('width', '100');
      td.textContent = String(c + 1);
    });
  });
  for (var k = 0; k < change.remove; k++) {
    headerRow.deleteCell(-1);
    rows.forEach(function (row) { if (row.cells.length) row.deleteCell(-1); });
  }
  grid.setAttribute('ColCount', String(parseInt(pNumber, 10)));
  UpdateColList();
}

// Fills the column list from the grid's header cells.
function UpdateColList() {
  var list = VisibleField('PropertyHeaderCols');
  if (!list || !IsElementNode(SelectedObj)) return;
  list.options.length = 0;
  GridHeaderCells(SelectedObj).forEach(function (cell) {
    list.add(new Option(cell.textContent.trim(), cell.getAttribute('width') || ''));
  });
}

// The text and width fields show the column chosen in the list.
function ShowChosenColumn() {
  var list = VisibleField('PropertyHeaderCols');
  var option = list && list.selectedIndex >= 0 ? list.options[list.selectedIndex] : null;
  VisibleField('PropertyColText').value = option ? option.text : '';
  VisibleField('PropertyColWidth').value = option ? option.value : '';
}

function FillGridFields(pGrid) {
  UpdateColList();
  var list = VisibleField('PropertyHeaderCols');
  if (list) list.selectedIndex = list.options.length ? 0 : -1;
  ShowChosenColumn();
}

// The header cell and column list entry of the column chosen, or null.
function ChosenColumn(pGrid) {
  var list = VisibleField('PropertyHeaderCols');
  var k = list ? list.selectedIndex : -1;
  var cell = GridHeaderCells(pGrid)[k];
  return cell ? { cell: cell, option: list.options[k], index: k } : null;
}

// A grid colour painted on one of its parts ("transparent" for "#transparent").
function GridColorEffect(pPrefix, pStyle, pPlain) {
  return ColorEffect(function (el, paint) {
    var part = GridPart(el, pPrefix);
    if (part) part.style[pStyle] = paint;
  }, pPlain);
}

var GridHeaderBackColor = GridColorEffect('Grid_Header_', 'backgroundColor', 'HeaderBackColor');

Object.assign(PropertyEffects, {
  PropertyColCount: async function (el, field) {
    var count = parseInt(FieldDigits(field), 10);
    if (isNaN(count) || count < 2) {
      field.value = el.getAttribute('ColCount') || '';
      if (!isNaN(count)) await MsgBox('A Grid must have at least 2 columns.', vbOKOnly + vbInformation, 'ZOLT');
      return false;
    }
    AddRemoveColumns(count);
    FillGridFields(el);
  },
  PropertyHeaderCols: function () { ShowChosenColumn(); },
  PropertyColText: function (el, field) {
    var chosen = ChosenColumn(el);
    if (!chosen) return false;
    chosen.cell.innerHTML = '<center><b>' + ModelEscapeText(field.value) + '</b></center>';
    chosen.option.text = field.value;
  },
  // The column's data cells take the width too, so that the designer shows
  // the column as wide as its header.
  PropertyColWidth: function (el, field) {
    var chosen = ChosenColumn(el);
    var width = FieldDigits(field);
    if (!chosen || !width) return false;
    chosen.cell.setAttribute('width', width);
    GridDataRows(el).forEach(function (row) { if (row.cells[chosen.index]) row.cells[chosen.index].setAttribute('width', width); });
    chosen.option.value = width;
  },
  PropertyHeaderFontColor: GridColorEffect('Grid_Header_', 'color'),
  PropertyGridFontColor: GridColorEffect('Grid_Data_', 'color'),
  PropertyGridBackColor: GridColorEffect('Grid_Scroll_', 'backgroundColor', 'GridBackColor'),
});

// A tab control in the property window: its number of tabs, the details of
// its selected tab (name, caption, colours, font) and its border colour.

function SelectedTabCell(pTab) {
  return TabCells(pTab)[TabPreviousIndex(pTab)] || null;
}

// Fills the tab detail fields from a tab cell.
function FillTabDetails(pCell) {
  var fields = PropertyFieldElements('TAB');
  if (!fields.PropertyTabName) return;
  fields.PropertyTabName.value = pCell.id;
  fields.PropertyTabCaption.value = pCell.getAttribute('Caption') || '';
  FillColorField(fields.PropertyTabBackColor, pCell.getAttribute('BackColorIndex'), pCell.getAttribute('BackColor'));
  SelectPosition(fields.PropertyTabFontType, pCell.getAttribute('FontTypeIndex') || 0);
  FillColorField(fields.PropertyTabFontColor, pCell.getAttribute('FontColorIndex'), pCell.getAttribute('FontColorRGBValue'));
}

// What a new number of tabs does: 'none' (no tab at all) and an unreadable
// number are refused; fewer tabs remove the last ones (after asking), more
// tabs append new ones.
function TabCountChange(pCurrent, pWanted) {
  var wanted = parseInt(pWanted, 10), current = parseInt(pCurrent, 10);
  if (isNaN(wanted)) return { refuse: 'number' };
  if (wanted < 1) return { refuse: 'none' };
  if (wanted < current) return { remove: current - wanted };
  if (wanted > current) return { add: wanted - current };
  return {};
}

// A new tab cell at position k (unselected: its bottom edge in the tab
// control's border colour), with the first "Tab" + number no sibling has.
function NewTabCellMarkup(pTab, k) {
  var taken = TabCells(pTab).map(function (c) { return c.id.toLowerCase(); });
  var n = k;
  while (taken.indexOf(('Tab' + n).toLowerCase()) >= 0) n++;
  var id = 'Tab' + n;
  return ControlElement('TD', [['ID', id], ['Name', id], ['BgColorIndex', 3], ['Caption', 'tab' + k], ['Contents', ''],
    ['BackColorIndex', 3], ['BackColor', '#D5CCBB'], ['BackColorRGBValue', '#D5CCBB'], ['FontColorIndex', 0],
    ['FontTypeIndex', 0], ['FontColorRGBValue', '#000000'],
    ['style', 'border-style:solid;border-width:2px;border-top-color:#C0C0C0;border-right-color:#C0C0C0;' +
      'border-bottom-color:' + (pTab.getAttribute('BorderColorRGBValue') || '#C0C0C0') +
      ';background-color:#D5CCBB;font-family:arial;font-size:12px']],
  '&nbsp;<B>tab' + k + '</B>&nbsp;');
}

function AddTabs(pTab, pCount) {
  var strip = TabStrip(pTab);
  var row = strip && strip.rows[0];
  if (!row) return;
  for (var k = TabCells(pTab).length; k < pCount; k++) row.insertAdjacentHTML('beforeend', NewTabCellMarkup(pTab, k));
}

// Removes the last tabs until pCount are left; their pages' controls go and
// their numbers are freed. The last tab left is then shown.
function RemoveTabs(pTab, pCount) {
  var content = TabContent(pTab);
  var shown = TabPreviousIndex(pTab);
  StoreTabPage(pTab);
  var cells = TabCells(pTab);
  cells.slice(pCount).forEach(function (cell) {
    var page = TabPageOf(cell);
    if (page) {
      ControlsWithin(page.content).forEach(function (c) {
        UpdateControlDeleteArray(ModelType(c), c.getAttribute('ControlID'), c.getAttribute('ParentFormID'));
      });
    }
    cell.remove();
  });
  var last = cells[pCount - 1];
  if (shown >= pCount) {
    // The page shown went with its tab: the last tab's page takes its place.
    content.innerHTML = last.getAttribute('Contents') || '';
    pTab.setAttribute('PreviousTab', String(pCount - 1));
  }
  ShowTabPage(pTab, last);
}

// The tab control's border colour: its page's border, every tab's edges,
// and the bottom edge of every tab but the selected one (which merges with
// its page).
function PaintTabBorders(pTab, pColor) {
  var content = TabContent(pTab);
  if (content) content.style.borderColor = pColor;
  var selected = TabPreviousIndex(pTab);
  TabCells(pTab).forEach(function (cell, k) {
    cell.style.borderTopColor = pColor;
    cell.style.borderRightColor = pColor;
    cell.style.borderLeftColor = pColor;
    if (k !== selected) cell.style.borderBottomColor = pColor;
  });
}

// A tab detail field's effect on the selected tab of the tab control.
function TabDetailEffect(pApply) {
  return function (el, field) {
    var cell = SelectedTabCell(el);
    if (!cell) return false;
    return pApply(cell, field, el);
  };
}

Object.assign(PropertyEffects, {
  PropertyTabCount: async function (el, field) {
    var current = TabCells(el).length;
    var change = TabCountChange(current, FieldDigits(field));
    if (change.refuse) {
      field.value = el.getAttribute('TabCount') || String(current);
      if (change.refuse === 'none') await MsgBox('Must have at least one Tab.', vbOKOnly, 'ZOLT');
      return false;
    }
    var wanted = current + (change.add || 0) - (change.remove || 0);
    if (change.remove) {
      var answer = await MsgBox('Removing Tabs will delete all code and controls associated with the removed Tabs.',
        vbOKCancel + vbCritical, 'ZOLT');
      if (answer !== vbOK) {
        field.value = String(current);
        return false;
      }
      RemoveTabs(el, wanted);
    } else if (change.add) {
      AddTabs(el, wanted);
    }
    el.setAttribute('TabCount', String(wanted));
    FillTabDetails(SelectedTabCell(el));
  },
  PropertyTabName: TabDetailEffect(async function (cell, field) {
    if (!(await CheckPropertyName(cell.id, false))) return false;
    cell.setAttribute('Name', field.value);
    cell.id = field.value;
  }),
  PropertyTabCaption: TabDetailEffect(function (cell, field) {
    cell.setAttribute('Caption', field.value);
    cell.innerHTML = '&nbsp;<B>' + ModelEscapeText(field.value) + '</B>&nbsp;';
  }),
  PropertyTabBackColor: TabDetailEffect(function (cell, list, el) {
    var value = ChosenValue(list);
    cell.setAttribute('BackColor', value);
    cell.setAttribute('BackColorIndex', String(ColorPosition(list)));
    cell.setAttribute('BackColorRGBValue', value);
    cell.style.backgroundColor = ColorPaint(value);
    cell.style.borderBottomColor = ColorPaint(value);
    var content = TabContent(el);
    if (content) content.style.backgroundColor = ColorPaint(value);
    ShowChosenColor(list);
  }),
  PropertyTabFontType: TabDetailEffect(function (cell, list) {
    cell.setAttribute('FontTypeIndex', String(list.selectedIndex));
    cell.style.fontFamily = ChosenValue(list);
  }),
  PropertyTabFontColor: TabDetailEffect(function (cell, list) {
    var value = ChosenValue(list);
    cell.setAttribute('FontColorIndex', String(ColorPosition(list)));
    cell.setAttribute('FontColorRGBValue', value);
    cell.style.color = ColorPaint(value);
    ShowChosenColor(list);
  }),
});

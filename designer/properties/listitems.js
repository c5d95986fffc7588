// An unordered list's items in the property window: the item list
// PropertyUnOrderedList mirrors the list's LI items; Add, Edit and Remove
// (UnOrderedList 1, 2, 3) and the arrows (MoveListItem 1 up, 2 down) change
// it, and the list's items are written again from it as one change.

function FillListItems(pList) {
  var items = VisibleField('PropertyUnOrderedList');
  if (!items) return;
  items.options.length = 0;
  Array.prototype.forEach.call(pList.children, function (li) {
    if (li.tagName === 'LI') items.add(new Option(li.textContent, li.textContent));
  });
}

// The list's LI items, one per entry of the item list, in its order.
function WriteListItems(pList, pItems) {
  var markup = Array.prototype.map.call(pItems.options, function (o) {
    return '<LI onclick="SelectParentControl(this.parentElement)">' + ModelEscapeText(o.value) + '</LI>';
  }).join('');
  return SurfaceChange('List items', function () {
    pList.innerHTML = markup;
    StoreTabPagesOf([pList]);
    bProjectInfoChanged = true;
  });
}

async function NoListItemChosen() {
  await MsgBox('You must first select a list item.', vbOKOnly + vbInformation, 'ZOLT');
}

async function UnOrderedList(pValue) {
  var list = SelectedObj;
  var items = VisibleField('PropertyUnOrderedList');
  if (!items || !IsElementNode(list) || ModelType(list) !== 'UL') return;
  var action = Number(pValue);
  var chosen = items.selectedIndex >= 0 ? items.options[items.selectedIndex] : null;
  if (action !== 1 && !chosen) {
    await NoListItemChosen();
    return;
  }
  var text;
  if (action === 1) {
    text = await AskInput('Add new list item:', '', 'ZOLT');
    if (!text) return;
    items.add(new Option(text, text));
    items.selectedIndex = items.options.length - 1;
  } else if (action === 2) {
    text = await AskInput('Edit list item:', chosen.value, 'ZOLT');
    if (!text) return;
    chosen.value = text;
    chosen.text = text;
  } else if (action === 3) {
    if (await MsgBox('Remove list item: ' + chosen.value, vbYesNo + vbInformation, 'ZOLT') !== vbYes) return;
    var k = items.selectedIndex;
    chosen.remove();
    items.selectedIndex = Math.min(k, items.options.length - 1);
  } else {
    return;
  }
  await WriteListItems(list, items);
}

async function MoveListItem(pValue) {
  var list = SelectedObj;
  var items = VisibleField('PropertyUnOrderedList');
  if (!items || !IsElementNode(list) || ModelType(list) !== 'UL') return;
  var k = items.selectedIndex;
  if (k < 0) {
    await NoListItemChosen();
    return;
  }
  var other = Number(pValue) === 1 ? k - 1 : Number(pValue) === 2 ? k + 1 : -1;
  if (other < 0 || other >= items.options.length) return;
  var moved = items.options[k];
  items.insertBefore(moved, other < k ? items.options[other] : items.options[other].nextSibling);
  items.selectedIndex = other;
  await WriteListItems(list, items);
}

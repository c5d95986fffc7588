// Tab controls in the designer: a content area showing the page of the
// selected tab, and a strip of tab cells, each keeping its page's markup in
// `Contents`. Only the selected page is live; switching saves it first.

function ChildWithIdPrefix(pEl, pPrefix) {
  if (!pEl || !pEl.children) return null;
  var prefix = pPrefix.toLowerCase();
  for (var k = 0; k < pEl.children.length; k++) {
    if (String(pEl.children[k].id).toLowerCase().indexOf(prefix) === 0) return pEl.children[k];
  }
  return null;
}

function TabContent(pTab) { return ChildWithIdPrefix(pTab, 'TABContent_'); }
function TabStrip(pTab) { return ChildWithIdPrefix(pTab, 'TabTable_'); }

function TabCells(pTab) {
  var strip = TabStrip(pTab);
  return strip && strip.rows.length ? Array.prototype.slice.call(strip.rows[0].cells) : [];
}

// The tab control whose content area holds pEl, or null.
function TabControlOf(pEl) {
  for (var e = pEl ? pEl.parentElement : null; e; e = e.parentElement) {
    if (IsFormElement(e)) return null;
    if (IsControlElement(e) && ModelType(e) === 'TAB') return e;
  }
  return null;
}

function TabPreviousIndex(pTab) { return parseInt(pTab.getAttribute('PreviousTab'), 10) || 0; }

// Keeps the live page of a tab control in its selected tab's `Contents`.
function StoreTabPage(pTab) {
  var cell = TabCells(pTab)[TabPreviousIndex(pTab)];
  var content = TabContent(pTab);
  if (cell && content) cell.setAttribute('Contents', content.innerHTML);
}

// Switches a tab control to the clicked tab. pObj is the strip (or the tab
// control itself); pSource is the element clicked, taken from the event
// when not given.
async function TabClicked(pObj, pSource) {
  var current = CurrentEvent();
  if (current.src && current.ev.type === 'click') current.ev.stopPropagation();
  var src = pSource || current.src;
  var tab = ModelType(pObj) === 'TAB' && IsControlElement(pObj) ? pObj : pObj && pObj.parentElement;
  if (!src || !tab || !IsControlElement(tab)) return;
  var cells = TabCells(tab);
  var cell = null;
  if (src.id) cell = cells.indexOf(src) >= 0 ? src : cells[0];
  else if (src.parentElement && src.parentElement.id && cells.indexOf(src.parentElement) >= 0) cell = src.parentElement;
  if (!cell) return;
  await UpdateWhichControlHasTheFocus(tab);
  // Bringing a page forward changes what is shown, not the project: the
  // history keeps it only to stay in order.
  SurfaceChange('Tab', function () { ShowTabPage(tab, cell); }, { view: true });
  if (bPropertyWindowOpen) ShowTabDetails(cell);
}

function ShowTabPage(pTab, pCell) {
  var content = TabContent(pTab);
  StoreTabPage(pTab);
  var index = TabCells(pTab).indexOf(pCell);
  TabGUI(index, pTab);
  SetStoredMarkup(content, pCell.getAttribute('Contents') || '');
  content.style.backgroundColor = pCell.getAttribute('BackColor') || '';
  pTab.setAttribute('PreviousTab', String(index));
}

// Restyles the strip: the tab shown so far gets a plain bottom edge, the tab
// at pValue merges with its page and stands out.
function TabGUI(pValue, pTab) {
  var tab = pTab || SelectedObj;
  var cells = TabCells(tab);
  var previous = cells[TabPreviousIndex(tab)];
  if (previous) {
    previous.style.borderBottomColor = tab.getAttribute('BorderColorRGBValue') || '';
    previous.style.borderStyle = 'solid';
    previous.style.borderWidth = '2px';
  }
  var next = cells[parseInt(pValue, 10)];
  if (next) {
    next.style.borderBottomColor = next.getAttribute('BackColor') || '';
    next.style.borderRightStyle = 'outset';
    next.style.borderTopStyle = 'outset';
    next.style.borderRightWidth = '3px';
    next.style.borderTopWidth = '3px';
  }
}

// Fills the property window's tab detail fields from a tab cell and puts
// the caret into its caption.
function ShowTabDetails(pCell) {
  if (typeof FillTabDetails !== 'function') return;
  FillTabDetails(pCell);
  var caption = VisibleField('PropertyTabCaption');
  if (caption && caption.focus) caption.focus();
}

// Controls stay inside their container (a frame, a tab page or the form
// body), a locked form refuses moves and resizes, and the indicators at the
// top of the surface show where the selected element is (PO: "left,top") and
// how large it is (WH: "width,height").

// Where a control of pWidth x pHeight at pLeft,pTop is kept inside a room of
// pRoom.width x pRoom.height: off the near edges (at 5 when at or past them),
// and back from the far edges (2 px from the right, 1 px from the bottom).
// A control larger than its room keeps its left or top edge in view.
function KeptInside(pLeft, pTop, pWidth, pHeight, pRoom) {
  var left = pLeft <= 0 ? 5 : pLeft;
  var top = pTop <= 0 ? 5 : pTop;
  var farLeft = pRoom.width - pWidth, farTop = pRoom.height - pHeight;
  if (farLeft <= left) left = farLeft - 2;
  if (farTop <= top) top = farTop - 1;
  return { left: Math.max(left, 0), top: Math.max(top, 0) };
}

// The room inside a control's container.
function ContainerRoom(pControl) {
  var container = pControl.parentElement;
  return { width: StyleSize(container, 'width'), height: StyleSize(container, 'height') };
}

// Keeps a control inside its container and shows its place.
function CheckPosition(pControl) {
  if (!IsControlElement(pControl) || !pControl.parentElement) return;
  var box = ControlBox(pControl);
  var kept = KeptInside(box.left, box.top, box.width, box.height, ContainerRoom(pControl));
  SetControlBox(pControl, { left: kept.left, top: kept.top });
  ShowPosition(pControl);
}

// A size no larger than the selected form; a tab control's page follows it.
function ControlWidthHeight(pObj) {
  if (!IsElementNode(pObj) || !IsElementNode(SelectedFormObj) || !Number(SelectedFormID)) return;
  var width = StyleSize(pObj, 'width'), height = StyleSize(pObj, 'height');
  var formWidth = StyleSize(SelectedFormObj, 'width'), formHeight = StyleSize(SelectedFormObj, 'height');
  SetControlBox(pObj, { width: width > formWidth ? formWidth : undefined, height: height > formHeight ? formHeight : undefined });
  ShowSize(pObj);
  FollowControlSize(pObj);
}

// Parts that take their size from their control: a tab control's page, a
// grid's scrolling data area.
var SizeFollowers = {
  TAB: function (pTab) {
    var content = TabContent(pTab);
    if (content) SetControlBox(content, { width: StyleSize(pTab, 'width'), height: StyleSize(pTab, 'height') - 21 });
  },
  TBL: function (pGrid) {
    var scroll = ChildWithIdPrefix(pGrid, 'Grid_Scroll_');
    var header = ChildWithIdPrefix(pGrid, 'Grid_Header_');
    if (!scroll || !pGrid.style.height) return;
    SetControlBox(scroll, { width: StyleSize(pGrid, 'width'),
      height: Math.max(StyleSize(pGrid, 'height') - (header ? header.offsetHeight : 0), 0) });
  },
};

function FollowControlSize(pObj) {
  var follow = SizeFollowers[ModelType(pObj)];
  if (follow && IsControlElement(pObj)) follow(pObj);
}

// True when the form may change: false while it is locked. The form is the
// selected one unless another is named.
function CheckFormLock(pForm) {
  return !IsFormLocked(pForm || SelectedFormObj);
}

// The indicator texts of an element: its style values, or its drawn place
// and size when its style names none (an image shows its drawn size).
var DrawnSides = { left: 'offsetLeft', top: 'offsetTop', width: 'offsetWidth', height: 'offsetHeight' };

function IndicatorValue(pEl, pSide) {
  var image = pEl.tagName === 'IMG' && (pSide === 'width' || pSide === 'height');
  return (!image && pEl.style[pSide]) || pEl[DrawnSides[pSide]] + 'px';
}

function SetIndicator(pId, pText) {
  var el = document.getElementById(pId);
  if (el && el.textContent !== pText) el.textContent = pText;
}

// The property window's place and size fields are indicators too.
function ShowPosition(pEl) {
  SetIndicator('PO', IndicatorValue(pEl, 'left') + ',' + IndicatorValue(pEl, 'top'));
  if (typeof ShowLayoutFields === 'function') ShowLayoutFields(pEl, 'position');
}

function ShowSize(pEl) {
  SetIndicator('WH', IndicatorValue(pEl, 'width') + ',' + IndicatorValue(pEl, 'height'));
  if (typeof ShowLayoutFields === 'function') ShowLayoutFields(pEl, 'size');
}

function ShowIndicators(pEl) {
  if (!IsElementNode(pEl)) return;
  ShowPosition(pEl);
  ShowSize(pEl);
}

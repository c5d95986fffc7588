// Sizing the code window: maximised to the page and back (MinMaxGen), and
// resized by dragging its bottom right corner. The code text and the lists
// follow the window's size.

var intSensitivity = 10;     // how near the corner the resize cursor shows
var PX = 2;
var intButtonPosOff = 21;
var CLX, CLY;                // mouse position less the window's size at the start of a resize
var TestAreaOffSetX, TestAreaOffSetY;  // window size less the code text's
var CodeWindowMinWidth = 250, CodeWindowMinHeight = 75;

// Maximises the window to the page, or gives it back its size and place.
function MinimizeWindow(pObj) {
  var win = CodeWindow();
  if (!win || !pObj) return;
  var rule = pObj.querySelector('.CodeRule');
  if (pObj.getAttribute('MaxMin') !== 'true') {
    pObj.title = 'Click to minimize';
    win.style.left = window.scrollX + 'px';
    win.style.top = window.scrollY + 'px';
    win.style.width = document.documentElement.clientWidth - 18 + 'px';
    win.style.height = document.documentElement.clientHeight - 6 + 'px';
    if (rule) rule.style.top = '-3px';
    pObj.setAttribute('MaxMin', 'true');
  } else {
    pObj.title = 'Click to maximize';
    win.style.width = pObj.getAttribute('MinWidth') + 'px';
    win.style.height = pObj.getAttribute('MinHeight') + 'px';
    win.style.top = pObj.getAttribute('MinTop');
    win.style.left = pObj.getAttribute('MinLeft');
    if (rule) rule.style.top = '';
    pObj.setAttribute('MaxMin', 'false');
  }
  PlaceCodeWindowButtons(win);
  UpdateTextBoxSize(win);
  if (CodeEditor) CodeEditor.focus();
}

// The close picture and the maximise button keep to the right edge.
function PlaceCodeWindowButtons(pWin) {
  var width = GetCorrectSize(pWin.style.width);
  CodeById('CloseCodeX').style.left = width - PX - intButtonPosOff + 1 + 'px';
  CodeById('MinMaxGen').style.left = width - PX - intButtonPosOff - 17 + 'px';
}

// The code text fills the window below its bars; the lists take the width
// right of the tools.
function UpdateTextBoxSize(pObj) {
  var win = pObj || CodeWindow();
  if (!win) return;
  var width = GetCorrectSize(win.style.width), height = GetCorrectSize(win.style.height);
  var code = CodeById('x_Code_x');
  code.style.width = width - 8 + 'px';
  code.style.height = height - 50 + 'px';
  [FunctionList(), EventList()].forEach(function (list) { if (list) list.style.width = width - 280 + 'px'; });
}

function NearCodeWindowCorner(pWin, e) {
  var box = pWin.getBoundingClientRect();
  return box.right - e.clientX <= intSensitivity && box.bottom - e.clientY <= intSensitivity &&
    e.clientX <= box.right && e.clientY <= box.bottom;
}

function SetResizeCursor(pCursor) {
  var win = CodeWindow();
  var value = pCursor === 'default' ? '' : pCursor;
  if (document.body.style.cursor !== value) document.body.style.cursor = value;
  if (win && win.style.cursor !== value) win.style.cursor = value;
}

// The resize cursor shows at the window's bottom right corner.
function ShowArrowCursor(e) {
  var win = CodeWindow();
  if (!win || blnStartDrag) return;
  SetResizeCursor(NearCodeWindowCorner(win, e) ? 'nw-resize' : 'default');
}

function InitDrag(e) {
  var win = CodeWindow();
  if (!win || !NearCodeWindowCorner(win, e)) return;
  blnStartDrag = true;
  SelectedResizeWindow = win;
  win.style.borderRightStyle = win.style.borderBottomStyle = 'dashed';
  win.style.borderRightColor = win.style.borderBottomColor = 'blue';
  CLX = e.clientX - GetCorrectSize(win.style.width);
  CLY = e.clientY - GetCorrectSize(win.style.height);
  var code = CodeById('x_Code_x');
  TestAreaOffSetX = GetCorrectSize(win.style.width) - GetCorrectSize(code.style.width);
  TestAreaOffSetY = GetCorrectSize(win.style.height) - GetCorrectSize(code.style.height);
  e.preventDefault();
  e.stopPropagation();
}

// Every mouse move over the page: the window follows the corner while a
// resize is under way, never smaller than 250 by 75.
function DragMain(e) {
  e = e || window.event;
  var win = SelectedResizeWindow;
  if (!blnStartDrag || !win || !win.isConnected) {
    if (document.body.style.cursor === 'nw-resize' && !(e && CodeWindow() && CodeWindow().contains(e.target))) {
      SetResizeCursor('default');
    }
    return;
  }
  var code = CodeById('x_Code_x');
  var width = e.clientX - CLX, height = e.clientY - CLY;
  if (width >= CodeWindowMinWidth) {
    win.style.width = width + 'px';
    code.style.width = width - TestAreaOffSetX + 'px';
    PlaceCodeWindowButtons(win);
    [FunctionList(), EventList()].forEach(function (list) {
      if (list) list.style.width = width - GetCorrectSize(getComputedStyle(list).left) - 7 + 'px';
    });
  }
  if (height >= CodeWindowMinHeight) {
    win.style.height = height + 'px';
    code.style.height = height - TestAreaOffSetY + 'px';
  }
  if (e.preventDefault) e.preventDefault();
}

function DragEnd() {
  if (!blnStartDrag) return;
  var win = SelectedResizeWindow;
  blnStartDrag = false;
  SetResizeCursor('default');
  if (!win) return;
  win.style.borderRightStyle = win.style.borderBottomStyle = 'ridge';
  win.style.borderRightColor = win.style.borderBottomColor = '#FFCC00';
  // The restored size after a maximise is the size the developer gave it.
  var max = CodeById('MinMaxGen');
  if (max && max.getAttribute('MaxMin') !== 'true') {
    max.setAttribute('MinWidth', GetCorrectSize(win.style.width));
    max.setAttribute('MinHeight', GetCorrectSize(win.style.height));
  }
}

(function InstallCodeWindowSizing() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  // A resize ends wherever the button is let go.
  document.addEventListener('mouseup', DragEnd, true);
})();

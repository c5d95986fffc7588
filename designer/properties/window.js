// The property window x_MainProp_x: a small floating window with a caption
// to drag it by, a close picture, a fold button and the scrolling area that
// holds one table per type (only the shown element's table is visible).
// It first appears where the mouse was when it was asked for, keeps inside
// the page, and goes back where the developer last put it.

var PropertyWindowHeight = '269px';
var PropertyWindowFolded = '19px';
var PropertyWindowUnfolded = PropertyWindowHeight;
var PropertyWindowPlace = null;   // {left, top} where the developer last put it
var PropertyPointer = { x: 40, y: 40 };  // where the mouse last went down

function PropertyWindow() { return document.getElementById('x_MainProp_x'); }

// The window's frame: the caption "Properties:", the close picture, the fold
// button Minimize2 with its rule, and the table area x_ChildProp_x.
function PropertyWindowMarkup(pLeft, pTop) {
  return '<DIV ID="x_MainProp_x" class="drag" style="position:absolute; left:' + pLeft + 'px; top:' + pTop +
    'px; width:200px; height:' + PropertyWindowHeight + '; z-index:1150; overflow:hidden; background-color:#FFCC00">' +
    '<DIV ID="CaptionBar" class="PropCaptionBar">Properties:</DIV>' +
    '<IMG ID="x_PropClose_x" src="' + ImagePath + '" title="Click to close." ondragstart="return false"' +
    ' style="position:absolute; left:184px; top:2px; cursor:pointer" onclick="ClosePropertyWindow()">' +
    '<BUTTON ID="Minimize2" type="button" title="Click to Minimize" onclick="ExpandProperty()"' +
    ' style="position:absolute; left:168px; top:2px; width:15px; height:16px"><DIV class="PropRule"></DIV></BUTTON>' +
    '<DIV ID="x_ChildProp_x" style="width:200px; height:250px; overflow:auto"></DIV></DIV>';
}

// Puts a built table into the window; the form's table creates the window.
function ShowProperties(psPreBuiltProperty, pControlType) {
  var win = PropertyWindow();
  if (pControlType === 'F' || !win) {
    if (win) win.remove();
    var place = PropertyWindowPlace || { left: PropertyPointer.x, top: PropertyPointer.y };
    document.body.insertAdjacentHTML('beforeend', PropertyWindowMarkup(place.left, place.top));
    win = PropertyWindow();
    PropertyFieldCache = {};
    PropertyWindowPlace = KeepPropertyWindowOnScreen() || place;
  }
  document.getElementById('x_ChildProp_x').insertAdjacentHTML('beforeend', psPreBuiltProperty);
  bPropertyWindowOpen = true;
}

// The close picture hides the window; the host shows it again when asked,
// filled afresh.
function ClosePropertyWindow() {
  var win = PropertyWindow();
  if (win) win.style.display = 'none';
  bPropertyWindowOpen = false;
  PropertyShownObj = null;
}

// Folds the window to its caption, or unfolds it to the height it had (the
// developer may have made it taller by its lower edge).
function ExpandProperty() {
  var win = PropertyWindow();
  if (!win) return;
  var button = document.getElementById('Minimize2');
  var rule = button.querySelector('.PropRule');
  var area = document.getElementById('x_ChildProp_x');
  if (!win.hasAttribute('folded')) {
    PropertyWindowUnfolded = win.style.height || PropertyWindowHeight;
    button.title = "'Click to Maximize'";
    rule.style.top = '-3px';
    area.style.overflow = 'hidden';
    win.setAttribute('folded', '');
    win.style.height = PropertyWindowFolded;
  } else {
    button.title = "'Click to Minimize'";
    rule.style.top = '';
    area.style.overflow = 'auto';
    win.removeAttribute('folded');
    win.style.height = PropertyWindowUnfolded;
  }
  if (document.activeElement && document.activeElement !== document.body) document.activeElement.blur();
}

// Keeps the whole window (or as much as fits) inside the visible page.
function KeepPropertyWindowOnScreen() {
  var win = PropertyWindow();
  if (!win || win.style.display === 'none') return;
  var doc = document.documentElement;
  var left = GetCorrectSize(win.style.left), top = GetCorrectSize(win.style.top);
  var maxLeft = window.scrollX + doc.clientWidth - win.offsetWidth;
  var maxTop = window.scrollY + doc.clientHeight - win.offsetHeight;
  var kept = {
    left: Math.max(window.scrollX, Math.min(left, maxLeft)),
    top: Math.max(window.scrollY, Math.min(top, maxTop)),
  };
  if (kept.left !== left) win.style.left = kept.left + 'px';
  if (kept.top !== top) win.style.top = kept.top + 'px';
  return kept;
}

// After the developer dragged the window by its caption: keep it on the
// page and remember the place.
function PropertyWindowDropped() {
  var win = PropertyWindow();
  if (!win || !dragapproved || z !== win) return;
  PropertyWindowPlace = KeepPropertyWindowOnScreen() || PropertyWindowPlace;
}

(function InstallPropertyWindow() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  document.addEventListener('pointerdown', function (e) {
    PropertyPointer = { x: e.pageX, y: e.pageY };
  }, true);
  document.addEventListener('mouseup', PropertyWindowDropped, true);
  window.addEventListener('resize', KeepPropertyWindowOnScreen);
})();

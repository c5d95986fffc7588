// Snapping while moving or resizing with the mouse: the edges and centres of
// the moving box are drawn to the edges and centres of the other controls in
// the same container and to the container's own edges and centre, within
// SnapDistance pixels, and a thin guide line shows each line that caught.
// Holding Alt turns snapping off; the arrow keys never snap.

var SnapDistance = 4;
var GuideColor = '#E0007A';

// The lines a box can snap to inside a room: the left, centre and right (x)
// and top, middle and bottom (y) of each other control's drawn box, and of
// the room the places CheckPosition keeps controls at and its centre.
function SnapLines(pBoxes, pRoom) {
  var xs = [5, pRoom.width / 2, pRoom.width - 2];
  var ys = [5, pRoom.height / 2, pRoom.height - 1];
  pBoxes.forEach(function (b) {
    xs.push(b.left, b.left + b.width / 2, b.left + b.width);
    ys.push(b.top, b.top + b.height / 2, b.top + b.height);
  });
  return { x: xs, y: ys };
}

// The line nearest to any of the edges, within pDistance: {shift, line}, or
// null when none is that near.
function NearestLine(pEdges, pLines, pDistance) {
  var best = null;
  for (var e = 0; e < pEdges.length; e++) {
    for (var k = 0; k < pLines.length; k++) {
      var shift = pLines[k] - pEdges[e];
      if (Math.abs(shift) <= pDistance && (!best || Math.abs(shift) < Math.abs(best.shift))) {
        best = { shift: shift, line: pLines[k] };
      }
    }
  }
  return best;
}

// A moving box put onto the nearest lines; x and y name the lines that
// caught (null for none).
function SnapMove(pBox, pLines, pDistance) {
  var x = NearestLine([pBox.left, pBox.left + pBox.width / 2, pBox.left + pBox.width], pLines.x, pDistance);
  var y = NearestLine([pBox.top, pBox.top + pBox.height / 2, pBox.top + pBox.height], pLines.y, pDistance);
  return { left: pBox.left + (x ? x.shift : 0), top: pBox.top + (y ? y.shift : 0),
    width: pBox.width, height: pBox.height, x: x ? x.line : null, y: y ? y.line : null };
}

// A box being resized by the handle pHandle ("n", "se", "w", ...): only the
// edges that handle moves snap.
function SnapResize(pBox, pHandle, pLines, pDistance) {
  var box = { left: pBox.left, top: pBox.top, width: pBox.width, height: pBox.height };
  box.x = SnapHandleEdge(box, pHandle, ['e', 'w', 'left', 'width'], pLines.x, pDistance);
  box.y = SnapHandleEdge(box, pHandle, ['s', 'n', 'top', 'height'], pLines.y, pDistance);
  return box;
}

// Snaps the edge of one axis that the handle moves: its far edge (the handle
// names "e" or "s") or its near one ("w" or "n"). Returns the line caught.
function SnapHandleEdge(pBox, pHandle, pAxis, pLines, pDistance) {
  var far = pHandle.indexOf(pAxis[0]) >= 0, start = pAxis[2], size = pAxis[3];
  if (!far && pHandle.indexOf(pAxis[1]) < 0) return null;
  var caught = NearestLine([pBox[start] + (far ? pBox[size] : 0)], pLines, pDistance);
  if (!caught) return null;
  if (!far) pBox[start] += caught.shift;
  pBox[size] += far ? caught.shift : -caught.shift;
  return caught.line;
}

// The guide layer with its two lines, a vertical one (x) and a horizontal one (y).
function GuideLayer() {
  var layer = MarksLayer('x_Guides_x');
  if (!layer.children.length) {
    ['x', 'y'].forEach(function (axis) {
      var line = document.createElement('DIV');
      line.setAttribute('axis', axis);
      line.style.cssText = 'position:absolute;display:none;background-color:' + GuideColor +
        (axis === 'x' ? ';width:1px' : ';height:1px');
      layer.appendChild(line);
    });
  }
  return layer;
}

// Where guides are drawn for a container: its inside on the page and the
// stacking order of its form (taken once when a drag starts).
function GuidePlace(pContainer) {
  var r = pContainer.getBoundingClientRect();
  var form = FormOf(pContainer);
  return { left: r.left + (window.scrollX || 0) + pContainer.clientLeft, top: r.top + (window.scrollY || 0) + pContainer.clientTop,
    width: pContainer.clientWidth, height: pContainer.clientHeight, zIndex: form ? getComputedStyle(form).zIndex : '' };
}

// Shows the guide lines pX (vertical) and pY (horizontal), in the container's
// own coordinates, across the whole container (pPlace, from GuidePlace);
// null hides a line.
function ShowGuides(pPlace, pX, pY) {
  var layer = document.getElementById('x_Guides_x');
  if (pX === null && pY === null && !layer) return;
  layer = GuideLayer();
  layer.style.zIndex = pPlace.zIndex;
  var vertical = layer.children[0], horizontal = layer.children[1];
  vertical.style.display = pX === null ? 'none' : '';
  horizontal.style.display = pY === null ? 'none' : '';
  if (pX !== null) {
    vertical.style.left = Math.round(pPlace.left + pX) + 'px';
    vertical.style.top = Math.round(pPlace.top) + 'px';
    vertical.style.height = pPlace.height + 'px';
  }
  if (pY !== null) {
    horizontal.style.left = Math.round(pPlace.left) + 'px';
    horizontal.style.top = Math.round(pPlace.top + pY) + 'px';
    horizontal.style.width = pPlace.width + 'px';
  }
}

function HideGuides() {
  var layer = document.getElementById('x_Guides_x');
  if (!layer) return;
  for (var k = 0; k < layer.children.length; k++) layer.children[k].style.display = 'none';
}

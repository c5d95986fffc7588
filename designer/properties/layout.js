// A control's place and size in the property window: the fields show where
// the control lies in its container and how large it is, and follow it while
// it is dragged; typed values move and size it within the limits a drag
// keeps (inside its container, off its edges, no larger than its form), and
// not at all on a locked form.

var LayoutFields = {
  position: [['PropertyLeft', 'left'], ['PropertyTop', 'top']],
  size: [['PropertyControlWidth', 'width'], ['PropertyControlHeight', 'height']],
};

// Shows a control's place (pWhich "position"), size ("size") or both in the
// fields, when the window shows that control.
function ShowLayoutFields(pEl, pWhich) {
  if (!bPropertyWindowOpen || pEl !== PropertyShownObj || !IsControlElement(pEl)) return;
  var fields = PropertyFieldElements(PreviousPropertyType);
  if (!fields.PropertyLeft) return;
  var box = ControlBox(pEl);
  (pWhich ? [pWhich] : ['position', 'size']).forEach(function (which) {
    LayoutFields[which].forEach(function (pair) {
      var field = fields[pair[0]];
      var text = String(box[pair[1]]);
      if (field && field.value !== text && document.activeElement !== field) field.value = text;
    });
  });
}

function LayoutEffect(pSide) {
  return function (el, field) {
    var value = parseInt(FieldDigits(field), 10);
    if (isNaN(value) || !CheckFormLock(FormOf(el))) {
      ShowLayoutFields(el);
      return false;
    }
    var box = ControlBox(el);
    box[pSide] = value;
    if (pSide === 'left' || pSide === 'top') {
      SetControlBox(el, KeptInside(box.left, box.top, box.width, box.height, ContainerRoom(el)));
    } else {
      var room = ContainerRoom(el);
      var size = Math.max(value, MinControlSize);
      var far = (pSide === 'width' ? room.width - box.left : room.height - box.top) - 1;
      var change = {};
      change[pSide] = Math.max(Math.min(size, far), 1);
      SetControlBox(el, change);
      ControlWidthHeight(el);
    }
    ShowIndicators(el);
    if (el === PropertyShownObj) field.value = String(ControlBox(el)[pSide]);
  };
}

Object.assign(PropertyEffects, {
  PropertyLeft: LayoutEffect('left'),
  PropertyTop: LayoutEffect('top'),
  PropertyControlWidth: LayoutEffect('width'),
  PropertyControlHeight: LayoutEffect('height'),
});

// A picture's size is known once it has loaded.
(function FollowPictureLoads() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  document.addEventListener('load', function (ev) {
    if (ev.target === PropertyShownObj) ShowLayoutFields(ev.target, 'size');
  }, true);
})();

// Aligning and sizing several controls from the Format menu. The controls
// are those selected when the menu was opened or clicked (FormatMenuRig);
// the first one selected is the reference, and every other one takes its
// left, centre, right, top or bottom, or its width, height or both.

var RefusalFormat = "In order to use 'Format' you must select 2 or more controls on a form.";

// What each Format item (by its cell's id) makes of a control's box b, the
// reference's box being r: the sides that change.
var AlignRules = {
  Left: function (b, r) { return { left: r.left }; },
  Center: function (b, r) { return { left: (r.left + r.width / 2) - b.width / 2 }; },
  Right: function (b, r) { return { left: Math.abs(b.width - (r.left + r.width)) }; },
  Top: function (b, r) { return { top: r.top }; },
  Bottom: function (b, r) {
    var d = (b.top + b.height) - (r.top + r.height);
    return { top: d < 0 ? Math.abs(b.top + Math.abs(d)) : Math.abs(b.top - Math.abs(d)) };
  },
  Width: function (b, r) { return { width: r.width }; },
  Height: function (b, r) { return { height: r.height }; },
  Both: function (b, r) { return { width: r.width, height: r.height }; },
};

async function AlignControls(pObj) {
  var rule = AlignRules[pObj && pObj.id];
  var saved = Array.isArray(objFormatMenuCntrlRng) ? objFormatMenuCntrlRng : [];
  var controls = saved.filter(function (c) { return c.isConnected && IsControlElement(c); });
  if (IsFormElement(SelectedObj) || controls.length < 2) {
    await MsgBox(RefusalFormat, vbOKOnly + vbInformation, 'ZOLT');
    return;
  }
  if (!rule) return;
  var boxes = controls.map(ControlBox);
  SurfaceChange('Format ' + pObj.id, function () {
    for (var k = 1; k < controls.length; k++) {
      try {
        SetControlBox(controls[k], rule(boxes[k], boxes[0]));
        FollowControlSize(controls[k]);
        CheckPosition(controls[k]);
      } catch (e) {
        // One control that cannot take the change does not stop the others.
      }
    }
    StoreTabPagesOf(controls);
    bProjectInfoChanged = true;
  });
  ShowIndicators(IsControlElement(SelectedObj) ? SelectedObj : controls[0]);
  if (bMenuShown && sMenuType) await ShowMenu(sMenuType, 1);
}

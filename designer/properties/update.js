// Applying a change made in the property window: UpdateControlProperty runs
// the effect of the changed field (PropertyEffects, filled by effects.js and
// the files after it) on the element shown and, for a field they all have,
// on every other selected control, as one step of the undo history. Then
// each changed element shows what it now holds (its caption, its checked
// state), tab pages holding it keep their stored markup, and the project is
// marked changed.
//
// An effect is effect(element, field, info) with `info` the field's row
// entry; it returns false when it refuses the change (nothing more happens).

var PropertyEffects = {};

// The elements a change of the field pName applies to.
function PropertyTargets(pShown, pName) {
  var info = PropertyFieldsOf(ModelType(pShown))[pName];
  if (!IsControlElement(pShown) || !info || info.one || !IsInControlSelection(pShown)) return [pShown];
  return [pShown].concat(GetSelectedControls().filter(function (c) {
    return c !== pShown && TypeHasProperty(ModelType(c), pName);
  }));
}

async function UpdateControlProperty(objProperty) {
  if (!bPropertyWindowOpen || !IsElementNode(SelectedObj) || !IsElementNode(objProperty)) return;
  var name = objProperty.getAttribute('name') || objProperty.id;
  var effect = PropertyEffects[name];
  if (!effect) return;
  var shown = SelectedObj;
  var targets = PropertyTargets(shown, name);
  await SurfaceChange('Property ' + name.replace(/^Property/, ''), async function () {
    var changed = [];
    for (var k = 0; k < targets.length; k++) {
      var el = targets[k];
      SelectedObj = el;
      try {
        if (await effect(el, objProperty, PropertyFieldsOf(ModelType(el))[name]) === false) break;
      } finally {
        SelectedObj = shown;
      }
      ShowElementDisplay(el);
      changed.push(el);
    }
    if (!changed.length) return;
    StoreTabPagesOf(changed.filter(IsControlElement));
    bProjectInfoChanged = true;
  });
}

// Sets a text where it differs (an equal text written again would still
// count as a change of the surface).
function SetText(pEl, pText) {
  if (pEl && pEl.textContent !== pText) pEl.textContent = pText;
}

function SetAttr(pEl, pName, pValue) {
  if (pEl && pEl.getAttribute(pName) !== String(pValue)) pEl.setAttribute(pName, String(pValue));
}

// What each type shows of its attributes after any change.
var TypeDisplays = {
  F: function (el) { ShowPicturePosition(FormBody(el), el); },
  L: function (el) { SetText(el, el.getAttribute('Caption') || ''); },
  T: function (el) {
    var caption = el.getAttribute('Caption') || '';
    SetAttr(el, 'value', caption);
    if (el.value !== caption) el.value = caption;
  },
  B: function (el) {
    SetText(el, el.getAttribute('Caption') || '');
    ShowPicturePosition(el, el);
  },
  CK: function (el) { ShowChoiceDisplay(el); },
  O: function (el) { ShowChoiceDisplay(el); },
  FRA: function (el) {
    var span = FrameCaption(el);
    if (span) span.style.backgroundColor = ColorPaint(el.getAttribute('BackColor') || '');
  },
};
TypeDisplays.LNK = TypeDisplays.L;

function ShowElementDisplay(pEl) {
  var display = TypeDisplays[ModelType(pEl)];
  if (display && pEl.isConnected) display(pEl);
}

function ShowPicturePosition(pPainted, pEl) {
  if (!pPainted) return;
  var position = (pEl.getAttribute('backgroundimageAlignVertical') || 'Top') + ' ' +
    (pEl.getAttribute('backgroundimageAlignHorizontal') || 'Center');
  pPainted.style.backgroundPosition = position.toLowerCase();
}

// A check box or option: the text after its input is its caption (after the
// gap it is created with), and the input shows whether it is checked.
function ShowChoiceDisplay(pEl) {
  var input = pEl.querySelector('input');
  if (!input) return;
  var text = '\u00a0 ' + (pEl.getAttribute('Caption') || '');
  var node = input.nextSibling;
  if (node && node.nodeType === 3) {
    if (node.data !== text) node.data = text;
  } else {
    input.after(text);
  }
  var checked = IsTrueText(pEl.getAttribute('Checked'));
  if (input.hasAttribute('checked') !== checked) input.toggleAttribute('checked', checked);
  input.checked = checked;
}

function FrameCaption(pFrame) {
  return ChildWithIdPrefix(pFrame, 'FraCaption');
}

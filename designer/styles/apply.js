// Putting a style on forms: the style window's choices on the forms marked
// gold (Apply), the recorded style on every new form, and the check that
// only one style at a time is used for new forms.
//
// A style's settings, wherever they come from, are one record:
// { titleBar: [index, value], titleFont: [index, value], font: [index, name],
//   back: [index, value], borderColor: [index, value], border: [index, keyword],
//   size, on } -- `on` true while the border is on.

// The style window's current choices.
function StyleWindowChoices() {
  var pick = function (id) {
    var list = document.getElementById(id);
    return [String(list.selectedIndex), ChosenValue(list)];
  };
  var radios = document.getElementsByName('BorderOnOff');
  return {
    titleBar: pick('TitleBarColor'), titleFont: pick('TitleBarFontColor'), font: pick('TitleBarFontType'),
    back: pick('BackColor'), borderColor: pick('BorderColor'), border: pick('BorderStyle'),
    size: String(document.getElementById('BorderSize').value), on: !!(radios[0] && radios[0].checked)
  };
}

// The record kept in arrStyleForNewForms (entries 0 to 16).
function StyleForNewFormsChoices() {
  var a = arrStyleForNewForms || [];
  var text = function (k) { return a[k] === undefined || a[k] === null ? '' : String(a[k]); };
  var on = a[12] === true || String(a[12]).toLowerCase() === 'true';
  return {
    titleBar: [text(0), text(1)], titleFont: [text(2), text(3)], font: [text(4), text(15)],
    back: [text(5), text(6)], borderColor: [text(8), text(9)], border: [text(10), text(16)],
    size: on ? text(14) : text(11), on: on
  };
}

// Sets a form's attributes and paints its title bar and body.
function PutStyleOnForm(pForm, c, psStyleName) {
  var bar = FormCaptionBar(pForm), body = FormBody(pForm);
  var pair = function (attr, choice) {
    pForm.setAttribute(attr + 'Index', choice[0]);
    pForm.setAttribute(attr + 'RGBValue', choice[1]);
  };
  pair('TitleBarColor', c.titleBar);
  pair('TitleBarFontColor', c.titleFont);
  pForm.setAttribute('TitleBarFontTypeIndex', c.font[0]);
  pair('BackColor', c.back);
  pForm.setAttribute('BackColor', c.back[1]);
  pair('BorderColor', c.borderColor);
  pForm.setAttribute('BorderStyleIndex', c.border[0]);
  pForm.setAttribute('BorderSize', c.size);
  pForm.setAttribute('BorderOnOff', c.on ? '0' : '1');
  if (bar) {
    // Only the selected form's title bar shows its colour; the others are
    // grey until they are selected.
    if (pForm === SelectedFormObj) PaintCaption(pForm, c.titleBar[1]);
    bar.style.color = c.titleFont[1];
    bar.style.fontFamily = c.font[1];
  }
  if (body) {
    body.style.backgroundColor = c.back[1];
    body.style.borderColor = c.borderColor[1];
    body.style.borderStyle = c.border[1];
    body.style.borderWidth = (c.on ? parseInt(c.size, 10) || 0 : 0) + 'px';
  }
  pForm.setAttribute('StyleSheet', psStyleName);
  // The property window shows the form's new settings when it shows this form.
  if (bPropertyWindowOpen && PropertyShownObj === pForm) UpdatePropertyWindow(pForm);
}

function ChosenStyleName() {
  var list = document.getElementById('x_ExistingStyles_x');
  return list && list.selectedIndex >= 0 ? list.options[list.selectedIndex].value : 'New';
}

// Apply: the chosen style on every form marked gold. "New" is no style yet.
function ApplyStyleToForms() {
  var name = ChosenStyleName();
  if (name === 'New') return;
  var choices = StyleWindowChoices();
  var forms = StyleMarkedForms().map(function (id) { return document.getElementById(id); })
    .filter(function (f) { return IsFormElement(f); });
  if (!forms.length) return;
  SurfaceChange('Apply style', function () {
    forms.forEach(function (form) { PutStyleOnForm(form, choices, name); });
  });
  bProjectInfoChanged = true;
}

// Run by NewForm: the recorded style on the new (selected) form.
function ApplyNewFormStyle() {
  if (!sUseStyleForNewlyCreatedForms || !IsFormElement(SelectedObj)) return;
  PutStyleOnForm(SelectedObj, StyleForNewFormsChoices(), sUseStyleForNewlyCreatedForms);
  bProjectInfoChanged = true;
}

// Whether the chosen style may become the one for new forms. Another style
// already in that role is named in a message and the answer is no;
// otherwise the window's choices are recorded for new forms.
function ValidateStyle() {
  var chosen = ChosenStyleName();
  var current = sUseStyleForNewlyCreatedForms;
  if (current && current !== chosen) {
    MsgBox('You have already set Style Sheet: ' + current + ' for newly created forms.\n\n' +
      'If you want Style Sheet: ' + chosen + ' to be used,\n' +
      'you will need to uncheck Style Sheet: ' + current + ' and click on the Save button.\n\n' +
      'Then check Style Sheet: ' + chosen + ' and click on the Save button.', vbOKOnly + vbInformation, 'ZOLT');
    return false;
  }
  var c = StyleWindowChoices();
  var a = arrStyleForNewForms = new Array(17).fill(undefined);
  a[0] = c.titleBar[0]; a[1] = c.titleBar[1];
  a[2] = c.titleFont[0]; a[3] = c.titleFont[1];
  a[4] = c.font[0];
  a[5] = c.back[0]; a[6] = c.back[1]; a[7] = c.back[1];
  a[8] = c.borderColor[0]; a[9] = c.borderColor[1];
  a[10] = c.border[0];
  a[11] = c.size;
  a[12] = c.on;
  a[13] = c.on ? '0' : '1';
  if (c.on) a[14] = c.size;
  a[15] = c.font[1];
  a[16] = c.border[1];
  return true;
}

// What the fields of the property window do to the element they change:
// captions, plain attributes, colours, fonts, borders, pictures and the
// form's own settings. Names, tabs, grids, calendars and list items have
// files of their own.

// The part of an element its colours, borders and pictures are painted on: a
// form's body, else the element itself.
function PaintedPart(pEl) {
  return IsFormElement(pEl) ? FormBody(pEl) : pEl;
}

// A length typed as digits, as the style takes it.
function Px(pValue) {
  var n = parseInt(pValue, 10);
  return isNaN(n) ? '' : n + 'px';
}

// The digits of a field (a pasted text may hold other characters); the field
// is left showing them.
function FieldDigits(pField) {
  var digits = String(pField.value).replace(/\D/g, '');
  if (pField.value !== digits) pField.value = digits;
  return digits;
}

// The value a list or radio group chose.
function ChosenValue(pList) {
  return pList.selectedIndex >= 0 ? pList.options[pList.selectedIndex].value : '';
}

// A check box's state as the model stores it.
function CheckText(pBox) {
  return pBox.checked ? 'true' : 'false';
}

// The "On" radio button of a field's group in the visible table is checked.
function OnChosen(pName) {
  var radios = VisibleField(pName);
  return !radios || !radios[0] || radios[0].checked;
}

function BorderIsOn(pEl) {
  return String(pEl.getAttribute('BorderOnOff')).trim() !== '1';
}

// A field whose value goes into one attribute as it is; digits keep only
// their digits.
function AttributeEffect(pAttr) {
  return function (el, field, f) {
    var value = f && f.kind === 'digits' ? FieldDigits(field) : field.value;
    el.setAttribute(pAttr, value);
  };
}

// A check box whose state goes into one attribute; pShow(el, checked) draws it.
function SwitchEffect(pAttr, pShow) {
  return function (el, box) {
    el.setAttribute(pAttr, CheckText(box));
    if (pShow) pShow(el, box.checked);
  };
}

// A colour list: its position goes into the field's index attribute, its
// value into the RGBValue attribute (and into `pPlain` too, the attribute
// some types keep the colour in as well); the value box shows it and pPaint
// draws it.
function ColorEffect(pPaint, pPlain) {
  return function (el, list, f) {
    var value = ChosenValue(list);
    el.setAttribute(f.index, String(ColorPosition(list)));
    el.setAttribute(f.rgb, value);
    if (pPlain && (pPlain === 'BackColor' || el.hasAttribute(pPlain))) el.setAttribute(pPlain, value);
    ShowChosenColor(list);
    if (pPaint) pPaint(el, ColorPaint(value));
  };
}

// A font list: its position goes into pIndexAttr, pPart(el) takes the font.
function FontEffect(pIndexAttr, pPart) {
  return function (el, list) {
    el.setAttribute(pIndexAttr, String(list.selectedIndex));
    var part = pPart ? pPart(el) : el;
    if (part) part.style.fontFamily = ChosenValue(list);
  };
}

// Where a frame shows its caption's text styles, others on themselves.
function TextPart(pEl) {
  return ModelType(pEl) === 'FRA' ? FrameCaption(pEl) || pEl : pEl;
}

// A picture path as the designer page loads it: a path inside the project
// ("Images/a.jpg") is reached under the address the host serves the project
// at; addresses and absolute paths stay as they are.
function PictureUrl(pValue) {
  var v = String(pValue || '').replace(/\\/g, '/');
  if (!v || /^[a-z][a-z0-9+.-]*:/i.test(v) || v.charAt(0) === '/') return v;
  return '/project/' + v;
}

function CssUrl(pValue) {
  return pValue ? 'url("' + PictureUrl(pValue).replace(/["\\]/g, '\\$&') + '")' : 'none';
}

// The repeat a background picture has: tiled while Tile is on.
function PictureRepeat(pEl) {
  return String(pEl.getAttribute('BackGroundImageTileOnOff')).trim() === '0' ? '' : 'no-repeat';
}

function SetBorderWidth(pEl) {
  var width = !BorderIsOn(pEl) ? 0 : ModelType(pEl) === 'FRA' ? 2 : parseInt(pEl.getAttribute('BorderSize'), 10) || 0;
  PaintedPart(pEl).style.borderWidth = width + 'px';
}

// While the border is on, its stored style and colour show.
function ShowBorder(pEl) {
  var part = PaintedPart(pEl);
  SetBorderWidth(pEl);
  if (!BorderIsOn(pEl)) return;
  var style = arrBorderStyle[parseInt(pEl.getAttribute('BorderStyleIndex'), 10)];
  if (style && ModelType(pEl) !== 'FRA') part.style.borderStyle = style;
  var color = pEl.getAttribute('BorderColorRGBValue');
  if (color) part.style.borderColor = ColorPaint(color);
}

Object.assign(PropertyEffects, {
  PropertyCaption: function (el, field) {
    el.setAttribute('Caption', field.value);
    if (IsFormElement(el)) SetText(FormCaptionBar(el), field.value || '\u00a0');
    if (ModelType(el) === 'FRA') SetText(FrameCaption(el), field.value);
  },
  PropertySize: AttributeEffect('Size'),
  PropertyMaxLength: AttributeEffect('MaxLength'),
  PropertyTitle: AttributeEffect('Title'),
  PropertyTarget: AttributeEffect('Target'),
  PropertyTabIndex: AttributeEffect('TabIndex'),
  PropertyFormCloseFunc: AttributeEffect('FormCloseFunc'),
  PropertyHREF: AttributeEffect('href'),
  PropertyDataFld: AttributeEffect('DB_DataFld'),
  PropertyValue: AttributeEffect('InpValue'),
  // A data source is named with a "#" in front.
  PropertyDataSrc: function (el, field) {
    var value = field.value.trim();
    if (value && value.indexOf('#') < 0) value = '#' + value;
    field.value = value;
    el.setAttribute('DB_DataSrc', value);
  },
  PropertyFontSize: function (el, field) {
    var size = FieldDigits(field);
    el.setAttribute('FontSize', size);
    el.style.fontSize = Px(size);
  },
  PropertyFontType: FontEffect('FontTypeIndex'),
  PropertyTitleBarFontType: FontEffect('TitleBarFontTypeIndex', FormCaptionBar),
  PropertyFontStyleBold: SwitchEffect('FontStyleBold', function (el, on) { TextPart(el).style.fontWeight = on ? 'bold' : 'normal'; }),
  PropertyFontStyleItalic: SwitchEffect('FontStyleItalic', function (el, on) { TextPart(el).style.fontStyle = on ? 'italic' : 'normal'; }),
  PropertyFontStyleUnderline: SwitchEffect('FontStyleUnderline', function (el, on) {
    TextPart(el).style.textDecoration = on ? 'underline' : 'none';
  }),
  PropertyChecked: SwitchEffect('Checked'),
  PropertyFormStatic: SwitchEffect('Static'),
  // The designer shows the close picture only while the built form will,
  // and dimmed while it will not close the form.
  PropertyShowFormCloseButton: SwitchEffect('ShowCloseFormButton', function (el, on) {
    var x = el.querySelector('#CloseFormX');
    if (x) x.style.display = on ? '' : 'none';
  }),
  PropertyEnableFormCloseButton: SwitchEffect('CloseButtonEnabled', function (el, on) {
    var x = el.querySelector('#CloseFormX');
    if (x) x.style.opacity = on ? '' : '0.4';
  }),
  // A password box shows its text as "****", which cannot be edited.
  PropertyPassword: function (el, box) {
    el.setAttribute('Password', CheckText(box));
    var caption = VisibleField('PropertyCaption');
    if (box.checked) {
      el.setAttribute('Caption', '****');
      if (caption) { caption.value = '****'; caption.disabled = true; }
    } else {
      if (el.getAttribute('Caption')) el.setAttribute('Caption', 'text');
      if (caption) { caption.value = 'text'; caption.disabled = false; }
    }
  },
  PropertyMultiple: function (el, list) {
    el.setAttribute('Multiple_Index', String(list.selectedIndex));
    el.setAttribute('Multiple_Selected', IsTrueText(ChosenValue(list)) ? 'true' : 'false');
  },
  PropertyDisable: function (el, list) { el.setAttribute('Disable', ChosenValue(list)); },
  PropertyWordWrap: function (el, list) { el.setAttribute('Wrap', ChosenValue(list)); },
  PropertyCursorStyle: function (el, list) {
    el.setAttribute('CursorStyleIndex', String(list.selectedIndex));
    el.setAttribute('CursorStyle', ChosenValue(list));
  },

  PropertyBackColor: ColorEffect(function (el, paint) { PaintedPart(el).style.backgroundColor = paint; }, 'BackColor'),
  PropertyFontColor: ColorEffect(function (el, paint) { TextPart(el).style.color = paint; }),
  PropertyTitleBarColor: ColorEffect(function (el, paint) { FormCaptionBar(el).style.backgroundColor = paint; }),
  PropertyTitleBarFontColor: ColorEffect(function (el, paint) { FormCaptionBar(el).style.color = paint; }),
  PropertyBorderColor: ColorEffect(function (el, paint) {
    if (ModelType(el) === 'TAB') PaintTabBorders(el, paint);
    else if (BorderIsOn(el)) PaintedPart(el).style.borderColor = paint;
  }),

  PropertyBorderOnOff: function (el) {
    el.setAttribute('BorderOnOff', OnChosen('PropertyBorderOnOff') ? '0' : '1');
    ShowBorder(el);
  },
  PropertyBorderSize: function (el, field) {
    el.setAttribute('BorderSize', FieldDigits(field));
    SetBorderWidth(el);
  },
  PropertyBorderStyle: function (el, list) {
    el.setAttribute('BorderStyleIndex', String(list.selectedIndex));
    if (BorderIsOn(el)) PaintedPart(el).style.borderStyle = ChosenValue(list);
  },

  PropertyBackGroundImageSrc: function (el, field) {
    var value = field.value.trim();
    el.setAttribute('BackGroundImageSrc', value);
    if (ModelType(el) === 'IM') {
      el.setAttribute('src', value ? PictureUrl(value) : FolderUrl(ModelAppFolder(), 'Images/StartImage.jpg'));
      return;
    }
    var part = PaintedPart(el);
    part.style.backgroundRepeat = PictureRepeat(el);
    part.style.backgroundImage = CssUrl(value);
  },
  PropertyBackGroundImageTile: function (el) {
    el.setAttribute('BackGroundImageTileOnOff', OnChosen('PropertyBackGroundImageTile') ? '0' : '1');
    PaintedPart(el).style.backgroundRepeat = PictureRepeat(el);
  },
  PropertyBackGroundImageAlignHorizontal: function (el, list) {
    el.setAttribute('BackGroundImageAlignHorizontalIndex', String(list.selectedIndex));
    el.setAttribute('backgroundimageAlignHorizontal', ChosenValue(list));
  },
  PropertyBackGroundImageAlignVertical: function (el, list) {
    el.setAttribute('BackGroundImageAlignVerticalIndex', String(list.selectedIndex));
    el.setAttribute('backgroundimageAlignVertical', ChosenValue(list));
  },

  // A form's width: its body, title bar and close picture follow.
  PropertyWidth: function (el, field) {
    var width = parseInt(FieldDigits(field), 10);
    if (isNaN(width)) return false;
    el.setAttribute('FrmWidth', String(width));
    [el, FormBody(el), FormCaptionBar(el)].forEach(function (part) { if (part) part.style.width = width + 'px'; });
    var x = el.querySelector('#CloseFormX');
    if (x) x.style.left = (width - 16) + 'px';
  },
  // A form's height less its title bar is what its body gets.
  PropertyHeight: function (el, field) {
    var height = parseInt(FieldDigits(field), 10);
    if (isNaN(height)) return false;
    var body = Math.max(height - 19, 0);
    el.setAttribute('FrmHeight', String(body));
    [el, FormBody(el)].forEach(function (part) { if (part) part.style.height = body + 'px'; });
  },
});

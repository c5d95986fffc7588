// Building the property window's tables: BuildProperties draws one type's
// table from its rows (rows.js) and hands it to ShowProperties (window.js).
// The host builds every type's table once, the form's first.
//
// Each table sits in a FORM of its own, so that the On/Off radio buttons of
// one table (named alike in several) are a group of that table only.

// Markup of one field, by its kind.
var PropertyFieldMarkup = {
  text: function (f, pType) {
    var max = f.max === 'caption' ? GetObjectPropertySpecific(pType) : f.max;
    return TextFieldMarkup(f, max, '');
  },
  digits: function (f) {
    return TextFieldMarkup(f, f.digits, ' inputmode="numeric" onkeydown="CheckValue(0)"');
  },
  color: function (f, pType) { return ColorListMarkup(f.name, pType, f.box); },
  font: function (f, pType) { return BuildFontTypeCombo(f.name, pType); },
  border: function (f, pType) { return BuildBorderStyle(f.name, pType); },
  list: function (f, pType) { return ListOpening(f.name, pType) + PlainOptions(f.options) + '</SELECT>'; },
  onoff: function (f) {
    return OnOffChoices.map(function (c, k) {
      return '<LABEL class="PropChoice"><INPUT type="radio" Name="' + f.name + '" value="' + c[0] + '"' +
        (k === 0 ? ' checked' : '') + ' onclick="UpdateControlProperty(this)">' + c[1] + '</LABEL>';
    }).join('');
  },
  check: function (f) {
    var box = '<INPUT type="checkbox" Name="' + f.name + '" ID="' + f.name + '" onclick="UpdateControlProperty(this)">';
    if (!f.text) return box;
    return '<LABEL class="PropChoice">' + box + '<SPAN' + (f.css ? ' style="' + f.css + '"' : '') + '>' +
      ModelEscapeText(f.text) + '</SPAN></LABEL>';
  },
  picture: function (f) {
    return '<SPAN class="PropPicture">' + TextFieldMarkup(f, f.max, '') +
      '<BUTTON type="button" Name="ShowDialogBox" class="PropIconButton" title="Choose a picture." onclick="OpenCommonDialog()">' +
      '<IMG src="' + PropertyIcon('opendialogbox.ico') + '" width="20" height="15" alt=""></BUTTON></SPAN>';
  },
  months: function (f) { return GetMonths(f.name, true, true, 1); },
  years: function (f) { return GetYears(f.name, 0); },
  formats: function (f) {
    return '<SELECT Name="' + f.name + '" ID="' + f.name + '" onchange="ChooseDateFormat(this)">' +
      PlainOptions(DateFormats.map(function (d) { return [d.style, d.label]; })) + '</SELECT>';
  },
  columns: function (f) {
    return '<SELECT Name="' + f.name + '" ID="' + f.name + '" class="PropColumns" onchange="UpdateControlProperty(this)"></SELECT>';
  },
  items: function (f) {
    var arrow = function (pIcon, pTip, pValue) {
      return '<BUTTON type="button" class="PropIconButton" title="' + pTip + '" onclick="MoveListItem(' + pValue + ')">' +
        '<IMG src="' + PropertyIcon(pIcon) + '" width="16" height="16" alt=""></BUTTON>';
    };
    return '<DIV class="PropItemsBox"><SELECT Name="' + f.name + '" ID="' + f.name + '" size="4" class="PropItems"></SELECT>' +
      '<DIV class="PropArrows">' + arrow('uparrow.ico', 'Move selected list item up one.', 1) +
      arrow('downarrow.ico', 'Move selected list item down one.', 2) + '</DIV></DIV>' +
      '<DIV class="PropItemButtons">' + ['Add', 'Edit', 'Remove'].map(function (t, k) {
        return '<BUTTON type="button" onclick="UnOrderedList(' + (k + 1) + ')">' + t + '</BUTTON>';
      }).join('') + '</DIV>';
  },
};

function TextFieldMarkup(f, pMax, pExtra) {
  return '<INPUT type="text" Name="' + f.name + '" ID="' + f.name + '" size="' + f.size + '"' +
    (pMax ? ' maxlength="' + pMax + '"' : '') +
    (f.start !== undefined ? ' value="' + f.start + '"' : '') +
    (f.tip ? ' title="' + f.tip + '"' : '') + ' onchange="UpdateControlProperty(this)"' + pExtra + '>';
}

// A picture of the application's Images folder.
function PropertyIcon(pName) {
  return FolderUrl(typeof AppPath !== 'undefined' && AppPath ? AppPath : aPath, 'Images/' + pName);
}

function PropertyRowMarkup(pRow, pType) {
  var tip = pRow.tip ? ' title="' + ModelEscapeText(pRow.tip).replace(/"/g, '&quot;') + '"' : '';
  var captioned = pRow.fields.some(function (f) { return f.caption; });
  var fields = pRow.fields.map(function (f) {
    var markup = PropertyFieldMarkup[f.kind](f, pType);
    if (!captioned) return markup;
    return '<DIV class="PropSub">' + (f.caption ? '<SPAN class="PropSubLabel">' + f.caption + '</SPAN>' : '') +
      markup + '</DIV>';
  }).join('');
  return '<TR><TD class="PropLabel"' + tip + '><B class="smallFont">' + pRow.label + '</B></TD>' +
    '<TD class="PropFields"' + tip + '>' + fields + '</TD></TR>';
}

// The table of one type, hidden but for the form's (ShowPropertyTable).
function PropertyTableMarkup(pType) {
  var rows = PropertyRowsOf(pType).map(function (r) { return PropertyRowMarkup(r, pType); }).join('');
  return '<FORM class="PropForm' + (pType === 'F' ? ' PropShown' : '') + '" onsubmit="return false">' +
    '<TABLE ID="Prop' + pType + '" class="PropTable" border="1" cellspacing="0" cellpadding="0"' +
    ' oncontextmenu="return false">' + rows + '</TABLE></FORM>';
}

function BuildProperties(pPropertyType) {
  var type = String(pPropertyType);
  if (PropertyTypeCodes.indexOf(type) < 0) return;
  ShowProperties(PropertyTableMarkup(type), type);
}

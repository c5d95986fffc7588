// The colour, border style and font lists, built from the colour chart's
// tables (arrColor, arrBorderStyle, arrFontType). The property window, the
// style window and the project properties window all draw their lists here.
// A list built for "Style" has no change handler of its own; the others call
// UpdateControlProperty(this) when their choice changes.
//
// A colour list comes with a value box beside it that shows the chosen
// colour as text ("#D5CCBB"); the list names its box in its `valuebox`
// attribute. ColorListMarkup draws the pair, ShowChosenColor keeps them
// showing the list's choice.

var ColorOptionMarkup = {};  // options of a colour list, with or without "transparent"

function ListOpening(psName, pPropertyType, pExtra) {
  var handler = pPropertyType === 'Style' ? '' : ' onchange="UpdateControlProperty(this)"';
  return '<SELECT ID="' + psName + '" Name="' + psName + '"' + handler + (pExtra || '') + '>';
}

// Back colour lists offer "transparent" (the entry just below the table's
// end); the combo box's and the style lists do not.
function OffersTransparent(psName, pPropertyType) {
  return /BackColor$/.test(psName) && pPropertyType !== 'CB' && pPropertyType !== 'Style';
}

function ColorOptions(pTransparent) {
  var key = pTransparent ? 't' : 'c';
  if (ColorOptionMarkup[key] === undefined) {
    var last = arrColor.length - (pTransparent ? 2 : 3);
    var out = '';
    for (var k = 0; k <= last; k++) {
      var value = '#' + arrColor[k];
      out += '<OPTION value="' + value + '" style="background-color:' + ColorPaint(value) + '">' +
        '&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</OPTION>';
    }
    ColorOptionMarkup[key] = out;
  }
  return ColorOptionMarkup[key];
}

// What a stored colour paints with: "#transparent" paints nothing.
function ColorPaint(pValue) {
  return String(pValue).toLowerCase() === '#transparent' ? 'transparent' : String(pValue);
}

function BuildColorCombo(psName, pPropertyType) {
  return ListOpening(psName, pPropertyType, ' class="PropColorList"') +
    ColorOptions(OffersTransparent(psName, pPropertyType)) + '</SELECT>';
}

function PlainOptions(pEntries) {
  var out = '';
  for (var k = 0; k < pEntries.length; k++) {
    var v = ModelEscapeText(pEntries[k][0]).replace(/"/g, '&quot;');
    out += '<OPTION value="' + v + '"' + (pEntries[k][2] ? ' style="' + pEntries[k][2] + '"' : '') + '>' +
      ModelEscapeText(pEntries[k][1]) + '</OPTION>';
  }
  return out;
}

// The entries of a colour chart table up to one below its end marker.
function ChartEntries(pTable) {
  return pTable.slice(0, pTable.length - 1);
}

function BuildBorderStyle(psName, pPropertyType) {
  return ListOpening(psName, pPropertyType) +
    PlainOptions(ChartEntries(arrBorderStyle).map(function (s) { return [s, s]; })) + '</SELECT>';
}

function BuildFontTypeCombo(psName, pPropertyType) {
  return ListOpening(psName, pPropertyType) + PlainOptions(ChartEntries(arrFontType).map(function (f) {
    return [f, f, 'font-family:' + f];
  })) + '</SELECT>';
}

// A colour list and its value box (text, 10 wide, at most 7 characters),
// which shows the colour and cannot be typed into.
function ColorListMarkup(psName, pPropertyType, psValueName) {
  var list = BuildColorCombo(psName, pPropertyType).replace('<SELECT ', '<SELECT valuebox="' + psValueName + '" ');
  return list + '<INPUT type="text" Name="' + psValueName + '" ID="' + psValueName +
    '" class="PropValueBox" size="10" maxlength="7" readonly tabindex="-1" onfocus="this.blur()">';
}

// The value box named by a colour list, beside it.
function ColorValueBox(pList) {
  var name = pList.getAttribute('valuebox');
  if (!name || !pList.parentElement) return null;
  return pList.parentElement.querySelector('[name="' + name + '"]');
}

// Shows a colour choice: the list takes the colour it names as its own
// background (a closed list shows no colour of its options), and its value
// box the colour as text. pValue is the stored value when the list has no
// entry for it (a position past its end).
function ShowChosenColor(pList, pValue) {
  var option = pList.selectedIndex >= 0 ? pList.options[pList.selectedIndex] : null;
  var value = option ? option.value : (pValue || '');
  pList.style.backgroundColor = value ? ColorPaint(value) : '';
  pList.classList.toggle('PropNoColor', !value || ColorPaint(value) === 'transparent');
  var box = ColorValueBox(pList);
  if (box) box.value = pValue !== undefined && pValue !== null ? pValue : value;
}

// Puts a colour list at a stored position and shows it.
function SelectColor(pList, pIndex, pValue) {
  SelectPosition(pList, pIndex);
  ShowChosenColor(pList, pValue);
}

// Puts any list at a stored position ("3" or 3); out of range selects nothing.
function SelectPosition(pList, pIndex) {
  var k = parseInt(pIndex, 10);
  pList.selectedIndex = isNaN(k) || k < 0 || k >= pList.options.length ? -1 : k;
}

// The colour, border style and font lists, built from the colour chart's
// tables (arrColor, arrBorderStyle, arrFontType). The property window, the
// style window and the project properties window all draw their lists here.
// A list built for "Style" has no change handler of its own; the others call
// UpdateControlProperty(this) when their choice changes.
//
// BuildColorCombo draws a colour list with every colour. ColorListMarkup
// draws a colour list with its value box (which shows the chosen colour as
// text, "#D5CCBB"; the list names it in its `valuebox` attribute), and that
// list holds only its chosen colour until the developer reaches for it (a
// mouse press or the focus): a page holds dozens of them, and a list of 218
// colours is slow to build and to show. Set and read such a list with
// SelectColor / ColorPosition, never through its options.

var ColorOptionMarkup = {};  // options of a colour list, with or without "transparent"
var NoColorMarkup = '&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;';

function ListOpening(psName, pPropertyType, pExtra) {
  var handler = pPropertyType === 'Style' ? '' : ' onchange="UpdateControlProperty(this)"';
  return '<SELECT ID="' + psName + '" Name="' + psName + '"' + handler + (pExtra || '') + '>';
}

// Back colour lists offer "transparent" (the entry just below the table's
// end); the combo box's and the style lists do not.
function OffersTransparent(psName, pPropertyType) {
  return /BackColor$/.test(psName) && pPropertyType !== 'CB' && pPropertyType !== 'Style';
}

function ColorOptionMarkupOf(pPosition) {
  var value = '#' + arrColor[pPosition];
  return '<OPTION value="' + value + '" style="background-color:' + ColorPaint(value) + '">' + NoColorMarkup + '</OPTION>';
}

function ColorOptions(pTransparent) {
  var key = pTransparent ? 't' : 'c';
  if (ColorOptionMarkup[key] === undefined) {
    var out = '';
    for (var k = 0; k < ColorCount(pTransparent); k++) out += ColorOptionMarkupOf(k);
    ColorOptionMarkup[key] = out;
  }
  return ColorOptionMarkup[key];
}

// How many colours a list offers: the table up to two below its end, or one
// below it with "transparent".
function ColorCount(pTransparent) {
  return arrColor.length - (pTransparent ? 1 : 2);
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

// A colour list holding only its chosen colour (`palette` says which colours
// it offers: "t" with transparent, "c" without) and its value box (text, 10
// wide, at most 7 characters, which cannot be typed into).
function ColorListMarkup(psName, pPropertyType, psValueName) {
  return ListOpening(psName, pPropertyType, ' class="PropColorList" valuebox="' + psValueName + '" palette="' +
    (OffersTransparent(psName, pPropertyType) ? 't' : 'c') + '"') +
    '<OPTION value="" position="-1">' + NoColorMarkup + '</OPTION></SELECT>' +
    '<INPUT type="text" Name="' + psValueName + '" ID="' + psValueName +
    '" class="PropValueBox" size="10" maxlength="7" readonly tabindex="-1" onfocus="this.blur()">';
}

// The one option of a colour list that holds only its chosen colour, or null
// when the list holds them all.
function ChosenColorOption(pList) {
  var first = pList.options[0];
  return pList.options.length === 1 && first.hasAttribute('position') ? first : null;
}

// The colours of a list that holds only its chosen one, for the developer to
// choose from.
function FillColorList(pList) {
  var chosen = pList.getAttribute('palette') ? ChosenColorOption(pList) : null;
  if (!chosen) return;
  var k = parseInt(chosen.getAttribute('position'), 10);
  pList.innerHTML = ColorOptions(pList.getAttribute('palette') === 't');
  pList.selectedIndex = k;
}

// Back to holding only the chosen colour, once the developer is done with it.
function FoldColorList(pList) {
  if (!pList.getAttribute('palette') || ChosenColorOption(pList)) return;
  var k = pList.selectedIndex;
  pList.innerHTML = '<OPTION position="-1">' + NoColorMarkup + '</OPTION>';
  SelectColorPosition(pList, k);
}

// The position of a colour list's choice in the colour table (-1: none).
function ColorPosition(pList) {
  var chosen = ChosenColorOption(pList);
  return chosen ? parseInt(chosen.getAttribute('position'), 10) : pList.selectedIndex;
}

function SelectColorPosition(pList, k) {
  var chosen = ChosenColorOption(pList);
  if (!chosen) {
    pList.selectedIndex = k < pList.options.length ? k : -1;
    return;
  }
  var offered = k >= 0 && k < ColorCount(pList.getAttribute('palette') === 't');
  var position = offered ? String(k) : '-1';
  if (chosen.getAttribute('position') === position) return;
  chosen.setAttribute('position', position);
  chosen.value = offered ? '#' + arrColor[k] : '';
  pList.selectedIndex = 0;
}

// The value box named by a colour list, beside it.
function ColorValueBox(pList) {
  var name = pList.getAttribute('valuebox');
  if (!name || !pList.parentElement) return null;
  return pList.parentElement.querySelector('[name="' + name + '"]');
}

// Shows a colour choice: the list takes the colour it names as its own
// background (a closed list shows no colour of its options), and its value
// box the colour as text. pValue is the stored value, shown when given.
function ShowChosenColor(pList, pValue) {
  var option = pList.selectedIndex >= 0 ? pList.options[pList.selectedIndex] : null;
  var value = option ? option.value : '';
  var paint = value ? ColorPaint(value) : '';
  if (pList.getAttribute('painted') !== paint) {
    pList.setAttribute('painted', paint);
    pList.style.backgroundColor = paint;
    pList.classList.toggle('PropNoColor', !value || paint === 'transparent');
  }
  var box = ColorValueBox(pList);
  var text = pValue !== undefined && pValue !== null ? pValue : value;
  if (box && box.value !== text) box.value = text;
}

// Puts a colour list at a stored position ("3" or 3; past the colours the
// list offers: none) and shows it.
function SelectColor(pList, pIndex, pValue) {
  var k = parseInt(pIndex, 10);
  SelectColorPosition(pList, isNaN(k) ? -1 : k);
  ShowChosenColor(pList, pValue);
}

// Puts any other list at a stored position; out of range selects nothing.
function SelectPosition(pList, pIndex) {
  var k = parseInt(pIndex, 10);
  if (isNaN(k) || k < 0 || k >= pList.options.length) k = -1;
  if (pList.selectedIndex !== k) pList.selectedIndex = k;
}

(function InstallColorLists() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  var reach = function (ev) { if (ev.target && ev.target.tagName === 'SELECT') FillColorList(ev.target); };
  ['mousedown', 'focusin', 'keydown'].forEach(function (type) { document.addEventListener(type, reach, true); });
  document.addEventListener('focusout', function (ev) {
    if (ev.target && ev.target.tagName === 'SELECT') FoldColorList(ev.target);
  }, true);
})();

// Bringing form markup written by older versions up to date, and setting one
// attribute for the host.

// Each row: a marker found in older markup and the text that replaces every
// occurrence of it. The replacement keeps the marker, so a later row can
// extend the same element again.
var UpgradeTable = [
  ['x_Upda_IM_tes_x', " x_Upda_IM_tes_x CursorStyleIndex=0 CursorStyle='default' "],
];

// Brings the form markup psTemp up to the current file version and hands it
// back through psTemp (when the host passes it by reference, as {value}) and
// as the result; markup written with the current version stays unchanged.
// Attribute names may have been stored in any case, so markers are found
// without case.
function BringUpToDateForm(psTemp, psVersion) {
  var byRef = psTemp !== null && typeof psTemp === 'object' && 'value' in psTemp;
  var text = UpgradedFormMarkup(byRef ? psTemp.value : psTemp, psVersion);
  if (byRef) psTemp.value = text;
  return text;
}
BringUpToDateForm.byRef = [0];

function UpgradedFormMarkup(psTemp, psVersion) {
  var text = String(psTemp === undefined || psTemp === null ? '' : psTemp);
  var current = String(typeof GVersion !== 'undefined' ? GVersion : '').trim().toLowerCase();
  if (String(psVersion === undefined || psVersion === null ? '' : psVersion).trim().toLowerCase() === current) return text;
  for (var k = 0; k < UpgradeTable.length; k++) {
    var marker = UpgradeTable[k][0].replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
    var replacement = UpgradeTable[k][1];
    text = text.replace(new RegExp(marker, 'gi'), function () { return replacement; });
  }
  return text;
}

// Sets attribute pAttribute of pObj (an element or its ID) to pValue.
function Code_SetAttribute(pObj, pAttribute, pValue) {
  var el = typeof pObj === 'string' ? document.getElementById(pObj) : pObj;
  if (el && el.setAttribute) el.setAttribute(pAttribute, pValue === undefined || pValue === null ? '' : String(pValue));
}

// Routines the element model calls or names in its markup but other parts of
// the page provide (property window, code window, moving and resizing, menus,
// commands). Each stand-in is defined only while the real one is missing; a
// later script's own definition replaces it.
(function () {
  var g = typeof globalThis !== 'undefined' ? globalThis : window;
  function provide(pName, pFn) { if (typeof g[pName] !== 'function') g[pName] = pFn; }
  function nothing() {}
  ['CheckPosition', 'ControlWidthHeight', 'CheckFormLock', 'CheckDelete', 'ShowCodeWindow',
    'UpdateControlProperty', 'ApplyNewFormStyle', 'ShowMenu', 'PlaceNewForm', 'PlaceNewControl',
    'ShowIndicators'].forEach(function (n) { provide(n, nothing); });
  // Without the undo history a change is simply made.
  provide('SurfaceChange', function (pLabel, pChange) { return pChange(); });
  provide('OutsideHistory', function (pFn) { return pFn(); });
  // The property window records the selected element's form number.
  provide('CheckProperty', function (pObj) {
    if (pObj && pObj.getAttribute) g.SelectedFormID = Number(pObj.getAttribute('ParentFormID')) || 0;
  });
  provide('CancelRightClick', function () {
    var ev = g.event;
    if (ev) { ev.stopPropagation(); ev.preventDefault(); }
    return false;
  });
  provide('CloseForm', function (pForm) {
    if (pForm && pForm.style) pForm.style.display = 'none';
    if (g.event) g.event.stopPropagation();
  });
  provide('UpdateFormsList', function (psName, pFormCount) {
    function add(pListId) {
      var list = document.getElementById(pListId);
      if (!list) return;
      var o = document.createElement('OPTION');
      o.text = psName;
      o.value = String(pFormCount);
      list.add(o);
      list.selectedIndex = list.options.length - 1;
    }
    add('x_FormsList_x');
    if (g.bStyleWindowOpen) add('x_StyleFormList_x');
  });
  provide('CreateNewFormFile', function () { return g.sendCommand('CreateNewForm'); });
  provide('UpdateProjectFile', function (pNewName, pOldName, bDelete) {
    return g.sendCommand('UpdateProjectFile.asp&' + pNewName + '&' + pOldName + '&' + (bDelete ? 'True' : 'False'));
  });
})();

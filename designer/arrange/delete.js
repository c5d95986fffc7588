// Deleting the selected controls (the Delete key): each goes with everything
// inside it, and the number of every control that goes is freed on its form
// for the next new control of its type.

// Every control within pRoot (pRoot itself when it is one): what a frame
// holds, and the controls of every page of a tab control (the shown page is
// in the document, the others in their tab's Contents). Only elements that
// carry a ControlID count.
function ControlsWithin(pRoot) {
  var found = pRoot.nodeType === 1 && pRoot.hasAttribute('ControlID') ? [pRoot] : [];
  found = found.concat(Array.prototype.slice.call(pRoot.querySelectorAll('[controlid]')));
  var all = found.slice();
  found.forEach(function (c) {
    if (!IsControlElement(c) || ModelType(c) !== 'TAB') return;
    TabCells(c).forEach(function (cell, k) {
      if (k === TabPreviousIndex(c)) return;
      var page = TabPageOf(cell);
      if (page) all = all.concat(ControlsWithin(page.content));
    });
  });
  return all;
}

// A tab's stored page parsed into a template (null when it is empty): its
// markup is parsed inertly, nothing in it runs or loads; the template's
// content holds the page, its innerHTML gives the markup back.
function TabPageOf(pCell) {
  var contents = pCell.getAttribute('Contents');
  if (!contents) return null;
  var template = document.createElement('template');
  template.innerHTML = contents;
  return template;
}

// Frees the numbers of a control and of every control within it.
function FreeControlNumbers(pControl) {
  ControlsWithin(pControl).forEach(function (c) {
    UpdateControlDeleteArray(ModelType(c), c.getAttribute('ControlID'), c.getAttribute('ParentFormID'));
  });
}

// Removes controls from the surface; the tab pages that held them are stored
// again.
function RemoveControls(pControls) {
  var tabs = TabControlsHolding(pControls);
  pControls.forEach(function (c) { c.remove(); });
  tabs.forEach(StoreTabPage);
}

// The Delete key: the selected controls go, and their form is selected.
async function DeleteSelectedControls() {
  var controls = ControlsToArrange();
  if (!controls.length) return;
  var form = FormOf(controls[0]);
  await SurfaceChange('Delete', async function () {
    controls.forEach(FreeControlNumbers);
    RemoveControls(controls);
    bProjectInfoChanged = true;
    ClearControlSelection();
    SelectedObj = form;
    await ShowSelectionProperties(form);
  });
  ShowIndicators(form);
}

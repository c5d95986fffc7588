// Unsaved changes travel to the host as they are made, so that closing the
// window, a crash of the browser or a reload loses nothing: a little after a
// change to the project (its forms, the page settings and code on the body,
// the forms and function lists), the page names the forms that changed and
// the host keeps them, with the project file, as a recovery copy beside the
// project (never over its files). The next opening of the project offers
// the copy. Changes made meanwhile wait for the next copy, so one goes at
// most every RecoveryDelay however busy the page is.

var RecoveryDelay = 1500;  // ms after the last change

(function () {
  var changedForms = new Set();
  var timer = 0;

  function unsaved() { return bProjectInfoChanged === true || bProjectInfoChanged === 'True'; }

  // Notes the form a changed node lies in; true when the change belongs to
  // the project.
  function noteChange(pNode) {
    var el = pNode && pNode.nodeType === 1 ? pNode : pNode && pNode.parentElement;
    if (!el) return false;
    var form = FormOf(el);
    if (form && form.id) changedForms.add(form.id);
    return !!form || el === document.body || !!el.closest('#x_FormsList_x, #x_FuncList_x');
  }

  async function keep() {
    timer = 0;
    if (!unsaved() || bStartScreenOpen) {
      changedForms.clear();  // saved, given up, or no project: nothing to keep
      return;
    }
    if (window.ZoltBridge.busy) {
      schedule();  // a command runs: it is the host's turn
      return;
    }
    var forms = Array.from(changedForms);
    changedForms.clear();
    try {
      await window.ZoltBridge.hostCall('keepRecoveryCopy', [forms]);
    } catch (e) {
      forms.forEach(function (f) { changedForms.add(f); });
    }
  }

  function schedule() {
    if (!timer) timer = setTimeout(keep, RecoveryDelay);
  }

  var observer = new MutationObserver(function (records) {
    if (bStartScreenOpen) return;
    var project = false;
    records.forEach(function (r) {
      project = noteChange(r.target) || project;
      Array.prototype.forEach.call(r.addedNodes, function (n) { project = noteChange(n) || project; });
    });
    if (project) schedule();
  });
  // Once the page (and the element model it uses) has loaded.
  window.addEventListener('load', function () {
    observer.observe(document.body, { subtree: true, childList: true, attributes: true, characterData: true });
  });

  // The window is closing: what waits for the delay goes now.
  window.addEventListener('pagehide', function () {
    if (timer) keep();
  });
})();

// Unsaved changes travel to the host as they are made, so that closing the
// window, a crash of the browser or a reload loses nothing: a little after
// the last change, the page names the forms that changed and the host keeps
// them, with the project file, as a recovery copy beside the project (never
// over its files). The next opening of the project offers the copy.

var RecoveryDelay = 1500;  // ms after the last change

(function () {
  var changedForms = new Set();
  var timer = 0;

  function unsaved() { return bProjectInfoChanged === true || bProjectInfoChanged === 'True'; }

  function noteChange(pNode) {
    var el = pNode && pNode.nodeType === 1 ? pNode : pNode && pNode.parentElement;
    var form = el ? FormOf(el) : null;
    if (form && form.id) changedForms.add(form.id);
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
    clearTimeout(timer);
    timer = setTimeout(keep, RecoveryDelay);
  }

  new MutationObserver(function (records) {
    if (bStartScreenOpen) return;
    records.forEach(function (r) {
      noteChange(r.target);
      Array.prototype.forEach.call(r.addedNodes, noteChange);
    });
    schedule();
  }).observe(document.documentElement, { subtree: true, childList: true, attributes: true, characterData: true });

  // The window is closing: what waits for the delay goes now.
  window.addEventListener('pagehide', function () {
    if (timer) keep();
  });
})();

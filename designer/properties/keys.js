// Keys in the property window. A text field applies its value when it is
// left or Enter is pressed (its change); Escape puts back the value it had
// before the typing. Ctrl+Z and Ctrl+Y undo and redo the changes of the
// surface, as on the surface itself, except in a text field being typed in,
// where they undo the typing.

var PropertyTyping = new WeakMap();  // text field -> its value before the typing

function IsPropertyTextField(pEl) {
  return !!(pEl && pEl.tagName === 'INPUT' && pEl.type === 'text' && !pEl.readOnly &&
    PropertyWindow() && PropertyWindow().contains(pEl));
}

function PropertyWindowKeyDown(ev) {
  var win = PropertyWindow();
  if (!win || !win.contains(ev.target) || ev.altKey) return;
  var typing = IsPropertyTextField(ev.target) && PropertyTyping.has(ev.target);
  if (ev.key === 'Escape' && typing) {
    ev.target.value = PropertyTyping.get(ev.target);
    PropertyTyping.delete(ev.target);
    ev.preventDefault();
    return;
  }
  if (!(ev.ctrlKey || ev.metaKey) || typing) return;
  var key = String(ev.key).toLowerCase();
  var command = key === 'z' ? (ev.shiftKey ? 'Redo' : 'Undo') : key === 'y' ? 'Redo' : '';
  if (!command) return;
  ev.preventDefault();
  RunArrangeCommand(command);
}

(function InstallPropertyKeys() {
  if (typeof document === 'undefined' || !document.addEventListener) return;
  document.addEventListener('keydown', PropertyWindowKeyDown, true);
  document.addEventListener('beforeinput', function (ev) {
    if (IsPropertyTextField(ev.target) && !PropertyTyping.has(ev.target)) PropertyTyping.set(ev.target, ev.target.value);
  }, true);
  ['change', 'focusout'].forEach(function (type) {
    document.addEventListener(type, function (ev) { PropertyTyping.delete(ev.target); }, true);
  });
})();

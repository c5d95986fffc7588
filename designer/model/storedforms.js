// Markup read from files (a form, a tab page kept in a tab cell) joins the
// design surface only through here. It is parsed in a document of its own,
// where nothing runs and nothing loads, and cleaned before its nodes move
// into the page: script, frames, objects and foreign content go, and so do
// "javascript:" addresses and every event handler attribute that is not one
// the element model itself writes. The host has cleaned form markup already
// (and put the designer's handlers in place by element type); this keeps the
// page safe whatever reaches it.

var StoredMarkupDropped = 'script,iframe,frame,frameset,object,embed,applet,base,link,meta,noscript,noembed,' +
  'noframes,template,xmp,plaintext,portal,svg,math';
var StoredMarkupAddresses = ['href', 'src', 'action', 'formaction', 'background', 'lowsrc', 'dynsrc', 'poster',
  'data', 'codebase', 'cite', 'longdesc', 'usemap', 'ping', 'xlink:href'];
var StoredMarkupDeepestTabPage = 16;
var GDesignerHandlers = null;

// Markup parsed as body content of an inert document (without DOCTYPE, so in
// quirks mode like the designer page).
function ParseStoredMarkup(psMarkup) {
  return new DOMParser().parseFromString('<body>' + String(psMarkup), 'text/html').body;
}

// Event handler attributes are "on" and letters; the developer's code
// attributes (F_..., C_onclick) always hold an underscore.
function IsEventHandlerName(psName) {
  return /^on[a-z]+$/i.test(psName);
}

function RunsScript(psAddress) {
  return /^(javascript|vbscript):/.test(String(psAddress).replace(/[\u0000-\u0020]/g, '').toLowerCase());
}

// "name=value" of every event handler the element model writes: those of a
// new form and of a new control of each type.
function DesignerHandlers_() {
  if (GDesignerHandlers) return GDesignerHandlers;
  var markup = FormMarkup(1, 1);
  Object.keys(ControlTypes).forEach(function (code) { markup += ControlTypes[code].markup(1, 1); });
  var handlers = new Set();
  ParseStoredMarkup(markup).querySelectorAll('*').forEach(function (el) {
    Array.prototype.forEach.call(el.attributes, function (a) {
      if (IsEventHandlerName(a.name)) handlers.add(a.name.toLowerCase() + '=' + a.value);
    });
  });
  GDesignerHandlers = handlers;
  return handlers;
}

var GStoredMarkupAddressSet = null;

// A form holds thousands of attributes: each is looked at once, by name, in
// plain loops over a list of names that removals leave as it is; only the
// values of handlers, addresses and tab pages are read.
function CleanStoredNodes(pRoot, pDepth) {
  pRoot.querySelectorAll(StoredMarkupDropped).forEach(function (el) { el.remove(); });
  var model = DesignerHandlers_();
  var addresses = GStoredMarkupAddressSet || (GStoredMarkupAddressSet = new Set(StoredMarkupAddresses));
  var all = pRoot.querySelectorAll('*');
  for (var i = 0; i < all.length; i++) {
    var el = all[i], names = el.getAttributeNames();
    for (var k = 0; k < names.length; k++) {
      var raw = names[k], name = raw.toLowerCase();
      if (IsEventHandlerName(name) ? !model.has(name + '=' + el.getAttribute(raw))
        : name === 'srcdoc' || (addresses.has(name) && RunsScript(el.getAttribute(raw)))) {
        el.removeAttribute(raw);
      } else if (name === 'contents') {
        el.setAttribute(raw, pDepth < StoredMarkupDeepestTabPage ? CleanStoredMarkup(el.getAttribute(raw), pDepth + 1) : '');
      }
    }
  }
}

// The markup cleaned, as markup.
function CleanStoredMarkup(psMarkup, pDepth) {
  var body = ParseStoredMarkup(psMarkup);
  CleanStoredNodes(body, pDepth || 0);
  return body.innerHTML;
}

// Puts the markup of a form from its file at the start of the page body.
function InsertStoredForm(psMarkup) {
  var body = ParseStoredMarkup(psMarkup);
  CleanStoredNodes(body, 0);
  document.body.prepend.apply(document.body, Array.prototype.slice.call(body.childNodes));
}

// Replaces what pEl holds by stored markup (a tab page from its cell).
function SetStoredMarkup(pEl, psMarkup) {
  var body = ParseStoredMarkup(psMarkup);
  CleanStoredNodes(body, 0);
  pEl.replaceChildren.apply(pEl, Array.prototype.slice.call(body.childNodes));
}

// Before a build or preview: every function and event of the project whose
// code has a syntax error is listed in one message, so that the developer
// can go back to it. One wrong function stops every script of the built
// page; a wrong event stops that event.

var CodeErrorListLimit = 20;

// The code of one element: [{what, line, message}] for each function or
// event with a syntax error.
function ElementCodeErrors(pEl) {
  var out = [];
  Array.prototype.forEach.call(pEl.attributes, function (a) {
    var attr = a.name.toLowerCase();
    if (!a.value || attr === FunctionListMarker) return;
    var error = null, what = '';
    if (attr.indexOf('f_') === 0) {
      var name = FunctionNameOf(attr, a.value);
      what = name === DeclarationsName ? DeclarationsName : 'function ' + name;
      error = ZoltCodeEditor.syntaxError(DecodeStoredCode(a.value), '');
    } else if (attr.indexOf('c_') === 0) {
      what = 'event ' + attr.slice(2);
      error = ZoltCodeEditor.syntaxError(EventCodeText(a.value), attr.slice(2));
    }
    if (error) out.push({ what: what, line: error.line, message: error.message });
  });
  return out;
}

// The controls of a form, with those on tab pages not shown (kept as
// markup in their tab's Contents).
function FormCodeElements(pForm) {
  var list = [pForm];
  var body = FormBody(pForm);
  if (!body) return list;
  body.querySelectorAll('*').forEach(function (e) {
    if (!IsControlElement(e) && !e.hasAttribute('HasSomeCode')) return;
    list.push(e);
    if (ModelType(e) !== 'TAB' || !IsControlElement(e)) return;
    TabCells(e).forEach(function (cell, k) {
      if (k === TabPreviousIndex(e) || !cell.getAttribute('Contents')) return;
      var page = document.createElement('template');
      page.innerHTML = cell.getAttribute('Contents');
      page.content.querySelectorAll('[HasSomeCode]').forEach(function (c) { list.push(c); });
    });
  });
  return list;
}

// Every syntax error of the project that the build writes: the page body's
// code and that of each listed form and its controls.
function CodeSyntaxErrors() {
  var where = [{ label: 'Body', elements: [document.body] }];
  var list = FormsList();
  Array.prototype.forEach.call(list ? list.options : [], function (o) {
    var form = document.getElementById(o.text);
    if (form && IsFormElement(form)) where.push({ form: o.text, elements: FormCodeElements(form) });
  });
  var out = [];
  where.forEach(function (w) {
    w.elements.forEach(function (el) {
      var label = w.label || (el === w.elements[0] ? w.form : w.form + ', ' + el.id);
      ElementCodeErrors(el).forEach(function (e) { out.push(Object.assign({ element: label }, e)); });
    });
  });
  return out;
}

function CodeErrorsText(pErrors, pPreview) {
  var lines = pErrors.slice(0, CodeErrorListLimit).map(function (e) {
    return e.element + ': ' + e.what + ', line ' + e.line + ': ' + e.message;
  });
  if (pErrors.length > CodeErrorListLimit) lines.push('... and ' + (pErrors.length - CodeErrorListLimit) + ' more.');
  return 'This code has syntax errors; a function with an error stops every script of the built page, ' +
    'an event with an error stops that event:\n\n' + lines.join('\n') + '\n\n' +
    (pPreview ? 'Preview anyway?' : 'Build anyway?');
}

// Saves the code shown, then lists the syntax errors, if any: true when
// the developer would rather not build now.
async function CodeErrorsStopBuild(pPreview) {
  SaveShownCode(false);
  if (typeof ZoltCodeEditor === 'undefined') return false;
  var errors = CodeSyntaxErrors();
  if (!errors.length) return false;
  return await MsgBox(CodeErrorsText(errors, pPreview), vbOKCancel + vbExclamation, 'ZOLT') !== vbOK;
}

// The rules of code in the code window that need no window: function names
// (what is refused, with which message), the name and parameter list a
// function's first line shows, whole-word renaming inside code, and the
// decoding of line breaks stored as "&13;" by older versions.
//
// Code is kept on its element in attributes: F_ + function name holds a
// function's text (F_Declarations the declarations), C_ + event name an
// event's code. Attribute names come back from the page in lower case, so a
// function's name as typed is read from its own first line.

var FunctionSkeleton = function (pName) { return 'function ' + pName + '() {\r\n\r\n}'; };
var DeclarationsName = 'Declarations';
var FunctionListMarker = 'x_upda_f_tes_x';   // the form's upgrade marker holds "F_" too

// The characters a function name cannot hold, in the order the refusal
// lists them.
var RefusedNameCharacters = ['!', '@', '#', '$', '%', '^', '&', '*', '(', ')', '-', '+', '=', '~', '`', "'", '"',
  ';', ':', '<', '>', '?', '/', '[', ']', '{', '}', '|', '\\'];

var FunctionNameMessages = {
  declarations: "(Declarations) is a reserved word in 'Velkora'.\nYou must enter a different function name.",
  function: "(Function) is a reserved word in 'Velkora'.\nYou must enter a different function name.",
  characters: 'The following Characters cannot be used in a Function name:\n' + RefusedNameCharacters.join(','),
  letters: 'A function name may hold only letters, digits and the underscore.',
  digit: 'Function names cannot begin with numeric characters.\nExample: 5Searches, is a bad name.',
};

function ReservedFunctionMessage(pName) {
  return '(' + pName + ") is a reserved word in 'Velkora'.\nYou must enter a different function name.";
}

// A name as typed in the name box, checked: {name} when it can be used
// (spaces made underscores), else {refuse: message}. `pOwnNames` are the
// names of the element's other functions: an element keeps one text per
// name whatever its case, so a name it has already is refused; `pListed`
// are the texts of the function list window, where the same name (with its
// case) only asks whether to go on ({name, ask: message}).
function CheckFunctionNameText(pTyped, pOwnNames, pListed) {
  var typed = String(pTyped == null ? '' : pTyped).trim();
  var upper = typed.toUpperCase();
  if (upper === 'DECLARATIONS') return { refuse: FunctionNameMessages.declarations };
  if (upper === 'FUNCTION') return { refuse: FunctionNameMessages.function };
  for (var k = 0; k < typed.length; k++) {
    if (RefusedNameCharacters.indexOf(typed.charAt(k)) >= 0) return { refuse: FunctionNameMessages.characters };
  }
  var name = typed.replace(/\s/g, '_');
  if (/^[0-9]/.test(name)) return { refuse: FunctionNameMessages.digit };
  if (!/^[A-Za-z_][A-Za-z0-9_]*$/.test(name)) return { refuse: FunctionNameMessages.letters };
  // Words of the script language and names the built page defines itself.
  if (typeof ReservedNames !== 'undefined' && ReservedNames.has(name)) return { refuse: ReservedFunctionMessage(name) };
  var lower = name.toLowerCase();
  if ((pOwnNames || []).some(function (n) { return String(n).toLowerCase() === lower; })) {
    return { refuse: 'A function with the name: ' + name + ' already exists.' };
  }
  if ((pListed || []).some(function (t) { return FuncListName(t) === name; })) {
    return { name: name, ask: 'A function with the name: ' + name + ' already exists.\nUse this name anyways?' };
  }
  return { name: name };
}

// The name part of a function list entry: its text up to the first "(".
function FuncListName(pText) {
  var text = String(pText == null ? '' : pText);
  var open = text.indexOf('(');
  return open < 0 ? text : text.slice(0, open);
}

// The first line of a code text: up to its first line break, or all of it.
function FirstCodeLine(pText) {
  var text = String(pText == null ? '' : pText);
  var end = text.search(/\r\n|\n|\r/);
  return end < 0 ? text : text.slice(0, end);
}

var IdentifierChar = /[A-Za-z0-9_$]/;

// Where pWord stands as a whole word in pText (not inside a longer name),
// from pFrom on, or -1; pNoCase ignores case.
function WholeWordIndex(pText, pWord, pFrom, pNoCase) {
  var text = pNoCase ? pText.toLowerCase() : pText;
  var word = pNoCase ? pWord.toLowerCase() : pWord;
  if (!word) return -1;
  for (var at = text.indexOf(word, pFrom || 0); at >= 0; at = text.indexOf(word, at + 1)) {
    var before = at > 0 ? pText.charAt(at - 1) : '';
    var after = pText.charAt(at + word.length);
    if (!IdentifierChar.test(before) && !IdentifierChar.test(after)) return at;
  }
  return -1;
}

// Every whole-word pOld in pText made pNew ("lbl1" in "lbl10" stays).
function ReplaceWholeWord(pText, pOld, pNew) {
  var text = String(pText == null ? '' : pText);
  if (!pOld) return text;
  var out = '', from = 0;
  for (var at = WholeWordIndex(text, pOld, 0); at >= 0; at = WholeWordIndex(text, pOld, from)) {
    out += text.slice(from, at) + pNew;
    from = at + pOld.length;
  }
  return out + text.slice(from);
}

// What the first line of function pName says of it, as the function list
// window shows it: its name and parameter list, "MyFunc(a,b)". Null when
// the line no longer holds the name (as a whole word, with its case).
function FuncListTextOf(pFirstLine, pName) {
  var line = String(pFirstLine == null ? '' : pFirstLine);
  if (WholeWordIndex(line, pName, 0) < 0) return null;
  var text = line.replace(/^\s*function\b/, '');
  var brace = text.indexOf('{');
  if (brace >= 0) text = text.slice(0, brace);
  return text.trim();
}

// A function's parameter list as its text writes it: from the first "(" to
// the first ")" after it, or "()" when there is none.
function ParameterListOf(pCode) {
  var text = String(pCode == null ? '' : pCode);
  var open = text.indexOf('(');
  var close = open < 0 ? -1 : text.indexOf(')', open);
  return close < 0 ? '()' : text.slice(open, close + 1);
}

// The name of the function an attribute holds, with the case the developer
// gave it: the attribute's name without its leading "F_", spelled as the
// function's first line spells it.
function FunctionNameOf(pAttrName, pCode) {
  var name = String(pAttrName).replace(/^f_/i, '');
  if (name.toLowerCase() === DeclarationsName.toLowerCase()) return DeclarationsName;
  var line = FirstCodeLine(pCode);
  var at = WholeWordIndex(line, name, 0, true);
  return at >= 0 ? line.substr(at, name.length) : name;
}

// Code stored by older versions with its line breaks written "&13;" (and
// "&10;", and tabs "&9;"): each sequence and the one character after it
// give a line break (CR LF), nothing and a tab. Any other "&" stays.
var StoredBreaks = [['&13', '\r\n'], ['&10', ''], ['&9', '\t']];

function HasStoredBreaks(pText) {
  return StoredBreaks.some(function (b) { return String(pText).indexOf(b[0]) >= 0; });
}

function DecodeStoredCode(pText) {
  var text = String(pText == null ? '' : pText);
  if (!HasStoredBreaks(text)) return text;
  var out = '';
  for (var k = 0; k < text.length;) {
    var found = text.charAt(k) === '&' && StoredBreaks.find(function (b) { return text.substr(k, b[0].length) === b[0]; });
    if (found) {
      out += found[1];
      k += found[0].length + 1;
    } else {
      out += text.charAt(k++);
    }
  }
  return out;
}

// The find window FindTextWindow of the code window: finds a text in the
// code shown (ignoring case, whole words when asked), one match after the
// other, and replaces the match found, or every match from it on.
//
// GCodeText is where the next search starts (an offset into the code),
// GCodeTextSelected the match found last ({from, to, text}) or null.

var FindWindowId = 'FindTextWindow';

function FindField(pId) { var w = document.getElementById(FindWindowId); return w ? w.querySelector('#' + pId) : null; }

// The next match of pSearch in pText from pFrom on, ignoring case:
// {from, to} or null.
function FindCodeMatch(pText, pSearch, pFrom, pWholeWord) {
  if (!pSearch) return null;
  var at = pWholeWord ? WholeWordIndex(pText, pSearch, pFrom, true)
    : pText.toLowerCase().indexOf(pSearch.toLowerCase(), pFrom);
  return at < 0 ? null : { from: at, to: at + pSearch.length };
}

function FindWindowMarkup(pLeft, pTop) {
  return '<DIV ID="' + FindWindowId + '" class="drag" style="position:absolute; left:' + pLeft + 'px; top:' + pTop +
    'px; width:280px; height:130px; background-color:white; border:3px ridge #FFCC00; z-index:1200">' +
    '<DIV ID="CaptionBar" class="CaptionBar">Find</DIV>' +
    '<IMG ID="FindClose" src="' + ImagePath + '" title="Click to close." ondragstart="return false"' +
    ' style="position:absolute; left:258px; top:2px; cursor:pointer" onclick="CloseFindWindow()">' +
    '<TABLE ID="FindTable" style="position:absolute; top:25px; left:4px">' +
    '<TR><TD><BUTTON type="button" ID="FindButton" onclick="FindText(0)">Find</BUTTON></TD>' +
    '<TD><INPUT type="text" ID="Find" size="25" maxlength="80"></TD></TR>' +
    '<TR><TD><BUTTON type="button" ID="ReplaceButton" onclick="ReplaceText()">Replace</BUTTON></TD>' +
    '<TD><INPUT type="text" ID="Replace" size="25" maxlength="80"></TD></TR>' +
    '<TR><TD colspan="2"><LABEL><INPUT type="checkbox" ID="MatchWholeWord">Match whole word</LABEL>' +
    ' <LABEL><INPUT type="checkbox" ID="ReplaceAll">Replace All</LABEL></TD></TR>' +
    '</TABLE></DIV>';
}

// Opens the find window over the code window (only one at a time).
function FindTextInCodeWindow() {
  if (!bCodeWindowOpen || !CodeEditor) return;
  if (bFindWindowOpen && document.getElementById(FindWindowId)) {
    FindField('Find').focus();
    FindField('Find').select();
    return;
  }
  var sel = CodeEditor.selection();
  GCodeText = sel.from;
  GCodeTextSelected = sel.text ? sel : null;
  var win = CodeWindow();
  var left = GetCorrectSize(win.style.left) + GetCorrectSize(win.style.width) - 290;
  var top = GetCorrectSize(win.style.top) + 48;
  document.body.insertAdjacentHTML('beforeend', FindWindowMarkup(Math.max(0, left), Math.max(0, top)));
  bFindWindowOpen = true;
  var find = FindField('Find');
  find.value = sel.text.slice(0, 80);
  document.getElementById(FindWindowId).addEventListener('keydown', FindWindowKey);
  find.focus();
  find.select();
}

// Enter in a field finds or replaces; Escape closes the window.
function FindWindowKey(e) {
  if (e.key === 'Escape') {
    e.preventDefault();
    CloseFindWindow();
  } else if (e.key === 'Enter' && (e.target.id === 'Find' || e.target.id === 'Replace')) {
    e.preventDefault();
    if (e.target.id === 'Find') FindText(0);
    else ReplaceText();
  }
}

// Finds the next match. pValue 1 searches silently: no box when nothing
// more is found. Returns whether a match was found.
async function FindText(pValue) {
  var field = FindField('Find');
  if (!field || !CodeEditor) return false;
  var search = field.value.replace(/[\r\n]/g, '');
  if (!search) return false;
  var whole = FindField('MatchWholeWord').checked;
  var text = CodeEditor.plainText();
  var match = FindCodeMatch(text, search, Math.min(Number(GCodeText) || 0, text.length), whole);
  if (match) {
    CodeEditor.select(match.from, match.to, true);
    GCodeText = match.to;
    GCodeTextSelected = { from: match.from, to: match.to, text: text.slice(match.from, match.to) };
    return true;
  }
  // Nothing more: the next search starts over at the top.
  GCodeText = 0;
  GCodeTextSelected = null;
  if (Number(pValue) !== 1) {
    var none = !FindCodeMatch(text, search, 0, whole);
    await MsgBox(none ? 'No matches found.' : 'No more matches found.', vbOKOnly + vbInformation, 'ZOLT');
    if (FindField('Find')) FindField('Find').focus();
  }
  return false;
}

// The match found last, when the code still holds it there.
function CurrentFindMatch() {
  var m = GCodeTextSelected;
  if (!m || !m.text || !CodeEditor) return null;
  return CodeEditor.plainText().slice(m.from, m.to) === m.text ? m : null;
}

// Replaces the match found (asking first), then finds the next; with
// Replace All every match from it to the end, as one change.
async function ReplaceText() {
  var field = FindField('Replace');
  if (!field || !CodeEditor) return;
  var replacement = field.value;
  var match = CurrentFindMatch();
  if (!replacement || !match) {
    await FindText(1);
    return;
  }
  if (FindField('ReplaceAll').checked) {
    if (await MsgBox('Replace All ( ' + match.text.trim() + ' ) with ( ' + replacement + ' )',
      vbOKCancel + vbQuestion, 'ZOLT') !== vbOK) return;
    ReplaceEveryMatch(match, replacement);
  } else {
    if (await MsgBox('Replace ( ' + match.text + ' ) with ( ' + replacement.trim() + ' )',
      vbOKCancel + vbQuestion, 'ZOLT') !== vbOK) return;
    var text = replacement.trim();
    if (!CodeEditor.change([{ from: match.from, to: match.to, insert: text }])) return;
    GCodeText = match.from + text.length;
    GCodeTextSelected = null;
    await FindText(0);
  }
}

// The match and every later one (searched from the end of each), replaced.
function ReplaceEveryMatch(pMatch, pReplacement) {
  var field = FindField('Find');
  var search = field.value.replace(/[\r\n]/g, '');
  var whole = FindField('MatchWholeWord').checked;
  var text = CodeEditor.plainText();
  var changes = [];
  for (var m = pMatch; m; m = FindCodeMatch(text, search, m.to, whole)) {
    changes.push({ from: m.from, to: m.to, insert: pReplacement });
  }
  if (!CodeEditor.change(changes)) return;
  GCodeText = 0;
  GCodeTextSelected = null;
}

function CloseFindWindow() {
  var win = document.getElementById(FindWindowId);
  if (win) win.remove();
  bFindWindowOpen = false;
  if (CodeEditor) CodeEditor.focus();
}

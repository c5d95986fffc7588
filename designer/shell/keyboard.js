// Keys that the whole page handles: F5 (refresh, with the save question),
// F2 (function list window) and Tab (types a tab, never moves the focus).

var KEY_TAB = 9, KEY_F2 = 113, KEY_F5 = 116;

async function CheckForTab(e) {
  e = e || window.event;
  if (InHostBox(e)) return;
  var key = e.keyCode;

  if (key === KEY_F5) {
    if (bStartScreenOpen || document.readyState !== 'complete') return;
    // The refresh waits for the answer and the command, then reloads.
    e.preventDefault();
    var answer = await MsgBox('You are refreshing the screen.\n' +
      'By refreshing the screen you will be reloading the Project Start Screen.\n' +
      'Do you want to save your current project?', vbYesNo + vbQuestion, 'ZOLT');
    if (answer === vbYes) {
      await SaveExistingProject(true);
    } else {
      await sendCommand('UpdateGlobalStartScreen');
      // The changes were given up: the browser need not ask about them again.
      bProjectInfoChanged = false;
    }
    location.reload();
    return;
  }

  if (key === KEY_F2) {
    if (GbFuncListWindowOpen) {
      CloseFuncListWindow();
      return;
    }
    GbFuncListWindowOpen = true;
    document.getElementById('x_FuncListWin_x').style.display = 'inline';
    document.getElementById('x_FuncList_x').style.display = 'inline';
  }

  if (bCodeWindowOpen) bCodeWindowActive = true;
  bCodeWindowTabKeyPressed = false;

  if (key === KEY_TAB) {
    // In the property window Tab goes from field to field; the code
    // window's editor types or indents by itself.
    if (e.target && e.target.closest && e.target.closest('#x_MainProp_x')) return;
    if (e.defaultPrevented) {
      bCodeWindowTabKeyPressed = true;
      return;
    }
    InsertTabCharacter(e.target);
    bCodeWindowTabKeyPressed = true;
    e.preventDefault();
    return;
  }

  if (bCodeWindowOpen) {
    var code = document.getElementById('x_Code_x');
    if (code) GCodeCharacter = code.value;
  }
}

// Replaces the selected text (or inserts at the caret) with a tab, in text
// fields and editable regions; elsewhere the key does nothing.
function InsertTabCharacter(pTarget) {
  var isTextField = pTarget && (pTarget.tagName === 'TEXTAREA' ||
    (pTarget.tagName === 'INPUT' && /^(text|search|password|)$/i.test(pTarget.type || '')));
  if (isTextField) {
    var start = pTarget.selectionStart, end = pTarget.selectionEnd;
    pTarget.setRangeText('\t', start, end, 'end');
    pTarget.dispatchEvent(new Event('input', { bubbles: true }));
    return;
  }
  if (pTarget && pTarget.isContentEditable) {
    document.execCommand('insertText', false, '\t');
  }
}

function CloseFuncListWindow() {
  document.getElementById('x_FuncListWin_x').style.display = 'none';
  GbFuncListWindowOpen = false;
}

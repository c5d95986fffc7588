// Fields that take numbers only: CheckValue(0) on their key down lets through
// the digits (also on the number pad), Backspace and Delete without Shift,
// and the keys that move in and out of a field or work with the clipboard;
// every other key is cancelled. (A pasted text keeps only its digits when it
// is applied.)

var FieldMovingKeys = ['Tab', 'Enter', 'Escape', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Home', 'End'];

function IsDigitKey(pCode) {
  return (pCode >= 48 && pCode <= 57) || (pCode >= 96 && pCode <= 105) || pCode === 8 || pCode === 46;
}

function CheckValue(pType) {
  var e = typeof window !== 'undefined' ? window.event : null;
  if (!e || e.type !== 'keydown' || Number(pType) !== 0) return true;
  if (e.ctrlKey || e.metaKey || FieldMovingKeys.indexOf(e.key) >= 0) return true;
  if (IsDigitKey(e.keyCode) && !e.shiftKey) return true;
  e.preventDefault();
  return false;
}

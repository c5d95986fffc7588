// Every script error of the page, thrown or from a rejected promise, is shown
// to the developer and the page goes on working. The boxes are shown one
// after another, never on top of each other.
var GErrorBoxes = Promise.resolve();

function AlertUserToError(pErr, pUrl, pLine) {
  var text = String(pErr);
  GErrorBoxes = GErrorBoxes.then(async function () {
    await MsgBox(text + '\n\n' + pLine, vbOKOnly, 'ZOLT');
    await MsgBox('An internal script error has happened.', vbOKOnly + vbCritical, 'ZOLT');
  }).catch(function (err) {
    // The boxes themselves failed (the page is half loaded): fall back to
    // the console rather than loop through this handler again.
    console.error('ZOLT: ' + text + ' (line ' + pLine + ')', err);
  });
  return true; // handled: the browser reports nothing of its own
}

// The line of the page where an error was raised, taken from its stack.
function ErrorLine(pError) {
  var stack = pError && pError.stack ? String(pError.stack) : '';
  var m = /:(\d+):\d+\)?\s*(\n|$)/.exec(stack);
  return m ? Number(m[1]) : 0;
}

window.onerror = function (message, url, line) {
  return AlertUserToError(message, url, line);
};

window.addEventListener('unhandledrejection', function (e) {
  e.preventDefault();
  var reason = e.reason;
  var text = reason instanceof Error ? reason.name + ': ' + reason.message : 'Uncaught ' + String(reason);
  AlertUserToError(text, location.href, ErrorLine(reason));
});

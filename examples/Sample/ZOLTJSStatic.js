// ZOLT static script library, loaded by every built page after the page's
// generated script. This is the sample project's own copy of
// installed/Temp/ZOLTJSStatic.js: every project folder holds one, which its
// build copies beside the built pages.
//
// Moving forms: the title bar of a movable form calls drag('<form id>') on
// mouse down and dragstop() on mouse up. While the button is held the form
// follows the mouse; a finger on the title bar moves it the same way. The
// title bar is kept inside the visible part of the window, so a form can
// never be dropped where its title bar (and close picture) cannot be reached.
//
// The generated script declares GCntrlObj, GbValCon and GsFunc; this library
// declares nothing of those names. While a form is moved, GCntrlObj (when
// the page declares it) holds the form element.

var ZOLTFormMover = (function () {
  var moving = null; // { form, startX, startY, startLeft, startTop, bar }

  function visibleArea() {
    // In quirks mode the body is the element whose client area is the window.
    var el = document.compatMode === 'BackCompat' && document.body ? document.body : document.documentElement;
    var width = el.clientWidth || window.innerWidth;
    var height = el.clientHeight || window.innerHeight;
    return { width: width, height: height };
  }

  function clamp(value, low, high) {
    if (high < low) return low; // the bar is larger than the window: pin its top left edge
    return Math.min(Math.max(value, low), high);
  }

  function styleNumber(form, which) {
    var n = parseFloat(window.getComputedStyle(form)[which]);
    if (isNaN(n)) n = which === 'left' ? form.offsetLeft : form.offsetTop;
    return n;
  }

  // The form's own title bar: the child with the id CaptionBar.
  function titleBarOf(form) {
    for (var child = form.firstElementChild; child; child = child.nextElementSibling) {
      if (String(child.id).toLowerCase() === 'captionbar') return child;
    }
    return form;
  }

  function begin(form, bar, x, y) {
    var r = bar.getBoundingClientRect();
    moving = {
      form: form,
      startX: x,
      startY: y,
      startLeft: styleNumber(form, 'left'),
      startTop: styleNumber(form, 'top'),
      bar: { left: r.left, top: r.top, width: r.width, height: r.height }
    };
    if ('GCntrlObj' in window) window.GCntrlObj = form; // declared, though without a value
  }

  function moveTo(x, y) {
    if (!moving) return;
    var area = visibleArea();
    var bar = moving.bar;
    var dx = clamp(x - moving.startX, -bar.left, area.width - bar.width - bar.left);
    var dy = clamp(y - moving.startY, -bar.top, area.height - bar.height - bar.top);
    moving.form.style.left = Math.round(moving.startLeft + dx) + 'px';
    moving.form.style.top = Math.round(moving.startTop + dy) + 'px';
  }

  function end() {
    moving = null;
  }

  // Mouse: started by drag(), followed on the whole document so that a fast
  // mouse that leaves the title bar keeps the form.
  document.addEventListener('mousemove', function (e) {
    if (!moving) return;
    if (e.buttons === 0) { end(); return; } // button released outside the window
    moveTo(e.clientX, e.clientY);
    e.preventDefault();
  }, true);
  document.addEventListener('mouseup', function () { end(); }, true);

  // Touch: a finger on a movable title bar (one whose mouse down calls drag)
  // moves its form. The bar takes no panning gestures of its own.
  function touchedTitleBar(target) {
    for (var el = target; el && el.nodeType === 1; el = el.parentNode) {
      if (String(el.id).toLowerCase() === 'captionbar') {
        var handler = el.getAttribute('onmousedown') || '';
        var m = /drag\(\s*['"]([^'"]*)['"]\s*\)/i.exec(handler);
        if (!m) return null;
        var form = document.getElementById(m[1]) || el.parentNode;
        return form ? { form: form, bar: el } : null;
      }
    }
    return null;
  }

  document.addEventListener('touchstart', function (e) {
    if (e.touches.length !== 1) { end(); return; }
    var hit = touchedTitleBar(e.target);
    if (!hit) return;
    begin(hit.form, hit.bar, e.touches[0].clientX, e.touches[0].clientY);
  }, { capture: true, passive: true });
  document.addEventListener('touchmove', function (e) {
    if (!moving || e.touches.length !== 1) return;
    moveTo(e.touches[0].clientX, e.touches[0].clientY);
    if (e.cancelable) e.preventDefault();
  }, { capture: true, passive: false });
  document.addEventListener('touchend', function () { end(); }, true);
  document.addEventListener('touchcancel', function () { end(); }, true);

  (function noPanningOnTitleBars() {
    var style = document.createElement('style');
    style.textContent = '#CaptionBar[onmousedown*="drag(" i] { touch-action: none; }';
    (document.head || document.documentElement).appendChild(style);
  })();

  return {
    // Starts moving the form with the given id from the mouse event e.
    start: function (formId, e) {
      end();
      var form = document.getElementById(formId);
      if (!form || !e || typeof e.clientX !== 'number') return;
      if (e.button) return; // left button only
      var bar = e.currentTarget && e.currentTarget.nodeType === 1 && form.contains(e.currentTarget)
        ? e.currentTarget : titleBarOf(form);
      begin(form, bar, e.clientX, e.clientY);
      if (e.preventDefault) e.preventDefault(); // no text selection while moving
    },
    stop: end,
    isMoving: function () { return moving !== null; }
  };
})();

// Mouse down on a movable form's title bar.
function drag(formId) {
  ZOLTFormMover.start(formId, window.event);
}

// Mouse up on a form's title bar.
function dragstop() {
  ZOLTFormMover.stop();
}

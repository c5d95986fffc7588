// A calendar in the property window: its header and date rows on and off,
// their captions and colours, the date format, the start month and year,
// month abbreviations, and the function its day cells call when clicked.

// The developer's function as the click code calls it: a missing ")" is
// added, and a text without "(" becomes a call without arguments. An empty
// text calls nothing.
function CompleteClickFunction(pText) {
  var text = String(pText === undefined || pText === null ? '' : pText).trim();
  if (!text) return '';
  var open = text.indexOf('(') >= 0, close = text.indexOf(')') >= 0;
  if (open && !close) return text + ')';
  if (!open) return text.replace(/\)/g, '') + '()';
  return text;
}

// The calendar's click code: Cal_Clicked with the calendar's ID and, when
// there is one, the developer's call given the clicked day and the event
// after its own arguments. The call is a quoted text in the code, so its
// quotes and backslashes are escaped.
function CalendarClickHandler(pId, pFunction) {
  if (!pFunction) return "=Cal_Clicked('" + pId + "',event);";
  var head = pFunction.slice(0, pFunction.lastIndexOf(')'));
  var open = pFunction.indexOf('(');
  var separator = pFunction.charAt(open + 1) === ')' ? '' : ',';
  return "=Cal_Clicked('" + pId + "',event,'" + head.replace(/[\\']/g, '\\$&') + separator + "pCallD,pE)')";
}

function CalendarCell(pCal, pPrefix) {
  return pCal.querySelector('[id="' + pPrefix + pCal.id + '" i]');
}

function CalendarRowIs(pCal, pIndex, pPrefix) {
  var row = pCal.rows[pIndex];
  return !!(row && row.cells[0] && SameName(row.cells[0].id, pPrefix + pCal.id));
}

function HasHeaderRow(pCal) { return CalendarRowIs(pCal, 0, 'Header_'); }

// A new header or date row at pIndex holding one cell across the week.
function InsertCalendarRow(pCal, pIndex, pAttrs, pText) {
  var cell = pCal.insertRow(pIndex).insertCell(0);
  pAttrs.concat([['BackColor', '#D5CCBB'], ['colspan', '7'], ['align', 'center']]).forEach(function (a) {
    cell.setAttribute(a[0], a[1]);
  });
  cell.style.cssText = 'font-family:Arial; font-size:10px; background-color:#D5CCBB';
  cell.textContent = pText;
}

var CalendarRows = {
  header: {
    on: function (cal) {
      if (!HasHeaderRow(cal)) {
        InsertCalendarRow(cal, 0, [['ID', 'Header_' + cal.id]], 'Header');
        cal.setAttribute('HeaderCaption', 'Header');
        cal.setAttribute('HeaderBackColorIndex', '3');
        cal.setAttribute('HeaderBackColorRGBValue', '#D5CCBB');
      }
      cal.setAttribute('HeaderOnOff', '0');
    },
    off: function (cal) {
      if (HasHeaderRow(cal)) cal.deleteRow(0);
      cal.setAttribute('HeaderOnOff', '1');
    },
  },
  date: {
    on: function (cal) {
      var at = HasHeaderRow(cal) ? 1 : 0;
      if (!CalendarRowIs(cal, at, 'DisplayDate_')) {
        InsertCalendarRow(cal, at, [['ID', 'DisplayDate_' + cal.id], ['Caption', 'Apr 30, 2002'],
          ['FormatStyle', 'abrmm dd yyyy']], 'Apr 30, 2002');
        cal.setAttribute('DateFormatStyleIndex', '0');
        cal.setAttribute('DateBackColorIndex', '3');
        cal.setAttribute('DateBackColorRGBValue', '#D5CCBB');
      }
      cal.setAttribute('DateOnOff', '0');
    },
    off: function (cal) {
      [0, 1].some(function (k) {
        if (!CalendarRowIs(cal, k, 'DisplayDate_')) return false;
        cal.deleteRow(k);
        return true;
      });
      cal.setAttribute('DateOnOff', '1');
    },
  },
};

function CalendarRowEffect(pRow, pField) {
  return function (cal) {
    CalendarRows[pRow][OnChosen(pField) ? 'on' : 'off'](cal);
    if (cal === PropertyShownObj) UpdatePropertyWindow(cal);
  };
}

// A calendar row's colour, while the row is on: the cell's BackColor and
// background, the calendar's index and RGBValue attributes.
function CalendarRowColor(pPrefix, pOnAttr) {
  var store = ColorEffect();
  return function (cal, list, f) {
    var cell = CalendarCell(cal, pPrefix);
    if (String(cal.getAttribute(pOnAttr)).trim() === '1' || !cell) return false;
    store(cal, list, f);
    var value = ChosenValue(list);
    cell.setAttribute('BackColor', value);
    cell.style.backgroundColor = ColorPaint(value);
  };
}

var CalendarHeaderBackColor = CalendarRowColor('Header_', 'HeaderOnOff');

// The Format list: the date cell shows today's date in the chosen format,
// and the calendar keeps the format's position, as one change.
function ChooseDateFormat(pList) {
  return SurfaceChange('Property DateFormat', function () {
    return FormatDate(pList.selectedIndex, pList.value, pList, 0);
  });
}

// A calendar's month or year list shows the stored position (also in the
// markup, so that the form file keeps it).
function SelectCalendarList(pList, pIndex) {
  if (!pList) return;
  Array.prototype.forEach.call(pList.options, function (o, k) {
    if (o.hasAttribute('selected') !== (k === pIndex)) o.toggleAttribute('selected', k === pIndex);
  });
  pList.selectedIndex = pIndex;
}

Object.assign(PropertyEffects, {
  PropertyDevClickFunc: function (cal, field) {
    var func = CompleteClickFunction(field.value);
    field.value = func;
    cal.setAttribute('Dev_Click_Func', func);
    cal.setAttribute('C_onclick', CalendarClickHandler(cal.id, func));
  },
  PropertyHeaderOnOff: CalendarRowEffect('header', 'PropertyHeaderOnOff'),
  PropertyDateOnOff: CalendarRowEffect('date', 'PropertyDateOnOff'),
  PropertyHeaderCaption: function (cal, field) {
    var cell = CalendarCell(cal, 'Header_');
    if (String(cal.getAttribute('HeaderOnOff')).trim() === '1' || !cell) return false;
    cal.setAttribute('HeaderCaption', field.value);
    SetText(cell, field.value);
  },
  PropertyHeaderBackColor: function (el, list, f) {
    return (ModelType(el) === 'CAL' ? CalendarHeaderBackColor : GridHeaderBackColor)(el, list, f);
  },
  PropertyDateBackColor: CalendarRowColor('DisplayDate_', 'DateOnOff'),
  PropertyDateFormat: function (cal, list) {
    cal.setAttribute('DateFormatStyleIndex', String(list.selectedIndex));
    var cell = CalendarCell(cal, 'DisplayDate_');
    if (cell && cell.getAttribute('FormatStyle')) {
      SetAttr(cell, 'FormatStyle', list.value);
      SetText(cell, FormatDateText(list.selectedIndex, new Date()));
    }
  },
  PropertyUseAbrrev: function (cal, box) {
    cal.setAttribute('bUseAbbrev', CheckText(box));
    var months = cal.querySelector('#Month');
    var index = parseInt(cal.getAttribute('StartMonthIndex'), 10) || 0;
    if (months) months.outerHTML = GetMonths('Month', !box.checked, true, index + 1);
  },
  PropertyStartMonth: function (cal, list) {
    cal.setAttribute('StartMonthIndex', String(list.selectedIndex));
    SelectCalendarList(cal.querySelector('#Month'), list.selectedIndex);
  },
  PropertyStartYear: function (cal, list) {
    cal.setAttribute('StartYearIndex', String(list.selectedIndex));
    SelectCalendarList(cal.querySelector('#Year'), list.selectedIndex);
  },
});

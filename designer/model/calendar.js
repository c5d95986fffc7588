// Calendar routines of the designer: month and year lists, the day rows of a
// month, date formats, and the caption helper ReplaceSpaces. The build calls
// them through the page too, to write calendars and captions of built pages.
// The headless build has the same routines in C++ (src/site/CalendarText):
// both are checked against one table of cases, tests/fixtures/calendar_cases.json.

var MonthNames = 'January,February,March,April,May,June,July,August,September,October,November,December'.split(',');
var MonthAbbreviations = 'Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec'.split(',');
var WeekdayNames = 'Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday'.split(',');
var WeekdayLetters = 'S,M,T,W,T,F,S'.split(',');

// Year lists start at 2000 (position 0), so a stored StartYearIndex keeps its year.
var CalendarFirstYear = 2000;

// The date formats by DateFormatStyleIndex: the date cell's FormatStyle and
// the label the property window shows.
var DateFormats = [
  { style: 'abrmm dd yyyy', label: 'Apr dd yyyy' },
  { style: 'fulmm dd yyyy', label: 'April dd yyyy' },
  { style: 'mm-dd-yyyy', label: 'mm-dd-yyyy' },
  { style: 'mm/dd/yyyy', label: 'mm/dd/yyyy' },
  { style: 'dd-mm-yyyy', label: 'dd-mm-yyyy' },
  { style: 'dd/mm/yyyy', label: 'dd/mm/yyyy' },
  { style: 'yyyy-mm-dd', label: 'yyyy-mm-dd' },
  { style: 'yyyy/mm/dd', label: 'yyyy/mm/dd' },
];

function IsLeapYear(pYear) {
  return (pYear % 4 === 0 && pYear % 100 !== 0) || pYear % 400 === 0;
}

// Days of month 1..12 of a Gregorian year.
function DaysInMonth(pMonth, pYear) {
  if (pMonth === 2) return IsLeapYear(pYear) ? 29 : 28;
  return [4, 6, 9, 11].indexOf(pMonth) >= 0 ? 30 : 31;
}

// Weekday of the first of the month, 1 = Sunday.
function FirstWeekday(pMonth, pYear) {
  var d = new Date(2000, 0, 1);
  d.setFullYear(pYear, pMonth - 1, 1);
  return d.getDay() + 1;
}

// The last year the year lists offer: ten years past the current one.
function CalendarLastYear() {
  return Math.max(new Date().getFullYear() + 10, 2014);
}

// The row of day letters, each cell titled with its weekday.
function CalendarWeekdayRow() {
  var row = '<TR>';
  for (var d = 0; d < 7; d++) row += '<TD align=center title=' + WeekdayNames[d] + '>' + WeekdayLetters[d] + '</TD>';
  return row + '</TR>';
}

// Week rows of a month of `pDays` days whose first day falls on weekday
// `pFirst` (1 = Sunday). The last row ends after the last day, or is filled
// up with empty cells when `pPadLastRow` is true.
function CalendarWeekRows(pFirst, pDays, pPadLastRow) {
  var rows = '';
  var day = 1;
  while (day <= pDays) {
    rows += '<TR>';
    for (var pos = 1; pos <= 7; pos++) {
      var title = ' title=' + WeekdayNames[pos - 1];
      if (day > pDays) {
        if (!pPadLastRow) break;
        rows += '<TD align=center' + title + '>&nbsp;</TD>';
      } else if (day === 1 && pos < pFirst) {
        rows += '<TD align=center' + title + '>&nbsp;</TD>';
      } else {
        rows += '<TD align=center' + title + '>' + day + '</TD>';
        day++;
      }
    }
    rows += '</TR>';
  }
  return rows;
}

// The day rows of month pMonth (0 = the current month) of year pYear.
function BuildCalendar(pMonth, pYear) {
  var now = new Date();
  var month = parseInt(pMonth, 10) || now.getMonth() + 1;
  var year = parseInt(pYear, 10);
  if (isNaN(year)) year = now.getFullYear();
  return CalendarWeekdayRow() + CalendarWeekRows(FirstWeekday(month, year), DaysInMonth(month, year), false);
}

// The SELECT opening of a month or year list: the designer's form, or with
// pBuildPreview (the calendar's ID) the built page's.
function CalendarListOpening(psName, pBuildPreview) {
  if (pBuildPreview === undefined || pBuildPreview === null || pBuildPreview === '') {
    return '<SELECT ID=' + psName + ' Name=' + psName +
      ' oncontrolselect="return false" style="font-family:arial;font-size:10;" onchange="UpdateControlProperty(this)">';
  }
  var id = 'Cal' + psName + '_' + pBuildPreview;
  return '<SELECT ID=' + id + ' Name=' + id + " style=\"font-family:arial;font-size:10;\" onchange='BuildCalendar(\"" +
    pBuildPreview + "\")'>";
}

function CalendarOption(pValue, pText, pSelected) {
  return '<OPTION value=' + pValue + (pSelected ? ' selected' : '') + '>' + pText + '</OPTION>';
}

// Month list: full names or abbreviations, "Current" first on request; the
// option at pSelectedMonth - 1 is selected (-1 selects none).
function GetMonths(psName, pbValue, pbUseCurrent, pSelectedMonth, pBuildPreview) {
  var names = (pbValue === true || String(pbValue).toLowerCase() === 'true') ? MonthNames : MonthAbbreviations;
  var texts = (pbUseCurrent === true || String(pbUseCurrent).toLowerCase() === 'true') ? ['Current'].concat(names) : names;
  var forBuild = !(pBuildPreview === undefined || pBuildPreview === null || pBuildPreview === '');
  var selected = parseInt(pSelectedMonth, 10) - 1;
  var out = CalendarListOpening(psName, pBuildPreview);
  for (var k = 0; k < texts.length; k++) out += CalendarOption(forBuild ? k + 1 : k, texts[k], k === selected);
  return out + '</SELECT>';
}

// Year list from 2000 to ten years past the current year; the year at
// position pSelectedYearIndex is selected (-1 selects none).
function GetYears(psName, pSelectedYearIndex, pBuildPreview) {
  var selected = parseInt(pSelectedYearIndex, 10);
  var out = CalendarListOpening(psName, pBuildPreview);
  for (var y = CalendarFirstYear, k = 0; y <= CalendarLastYear(); y++, k++) out += CalendarOption(y, y, k === selected);
  return out + '</SELECT>';
}

// A date as text in format pFormatStyleID (month and day without leading zeros).
function FormatDateText(pFormatStyleID, pDate) {
  var m = pDate.getMonth() + 1, d = pDate.getDate(), y = pDate.getFullYear();
  switch (parseInt(pFormatStyleID, 10)) {
    case 1: return MonthNames[m - 1] + ' ' + d + ', ' + y;
    case 2: return m + '-' + d + '-' + y;
    case 3: return m + '/' + d + '/' + y;
    case 4: return d + '-' + m + '-' + y;
    case 5: return d + '/' + m + '/' + y;
    case 6: return y + '-' + m + '-' + d;
    case 7: return y + '/' + m + '/' + d;
    default: return MonthAbbreviations[m - 1] + ' ' + d + ', ' + y;
  }
}

// The first of a calendar's start month in its start year.
function CalendarStartDate(pCal) {
  var now = new Date();
  var month = parseInt(pCal.getAttribute('StartMonthIndex'), 10) || now.getMonth() + 1;
  var index = parseInt(pCal.getAttribute('StartYearIndex'), 10) || 0;
  var list = pCal.querySelector('#Year') || document.getElementById('Year');
  var year = list && list.options[index] ? parseInt(list.options[index].value, 10) : CalendarFirstYear + index;
  var date = new Date(2000, 0, 1);
  date.setFullYear(year, month - 1, 1);
  return date;
}

// Writes today's date (or, with pUseSelectedMonthYear 1, the first of the
// calendar's start month) into the calendar's date cell in the chosen format.
// pObjName is the calendar's ID with 1, else the element that called (the
// property window's Format list), whose calendar is the selected one; the
// list's change is then applied, and its promise returned.
function FormatDate(pFormatStyleID, psStyle, pObjName, pUseSelectedMonthYear) {
  var fromCalendar = String(pUseSelectedMonthYear) === '1';
  var cal = fromCalendar
    ? (typeof pObjName === 'string' ? document.getElementById(pObjName) : pObjName)
    : (typeof SelectedObj !== 'undefined' && ModelType(SelectedObj) === 'CAL' ? SelectedObj : null);
  var date = fromCalendar && cal ? CalendarStartDate(cal) : new Date();
  var text = FormatDateText(pFormatStyleID, date);
  if (cal) {
    var cell = cal.querySelector('[id="DisplayDate_' + cal.id + '" i]');
    if (cell && cell.getAttribute('FormatStyle')) {
      if (psStyle) cell.setAttribute('FormatStyle', psStyle);
      cell.textContent = text;
    }
  }
  if (!fromCalendar && pObjName && pObjName.getAttribute && typeof UpdateControlProperty === 'function') {
    return UpdateControlProperty(pObjName);
  }
  return undefined;
}

// Each leading space becomes "&nbsp"; then one space and the rest of the text.
function ReplaceSpaces(pText) {
  var s = String(pText === undefined || pText === null ? '' : pText);
  var k = 0;
  while (k < s.length && s.charAt(k) === ' ') k++;
  return new Array(k + 1).join('&nbsp') + ' ' + s.substring(k);
}

'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadModel } = require('./helpers/model');

const ctx = loadModel();

// The day rows as arrays of cell texts, without the row of day letters.
function weeks(markup) {
  const rows = markup.split('</TR>').filter(Boolean).map((r) => [...r.matchAll(/<TD[^>]*>([^<]*)<\/TD>/g)].map((m) => m[1]));
  assert.deepStrictEqual(rows[0], ['S', 'M', 'T', 'W', 'T', 'F', 'S']);
  return rows.slice(1);
}
const lastDay = (rows) => Math.max(...rows.flat().map(Number).filter((n) => !isNaN(n)));

test('February has 29 days in Gregorian leap years only', () => {
  const days = [[2, 2000], [2, 2004], [2, 2024], [2, 2003], ['2', '2100']].map(([m, y]) => lastDay(weeks(ctx.BuildCalendar(m, y))));
  assert.deepStrictEqual(days, [29, 29, 29, 28, 28]);
});

test('day rows start on the right weekday and end after the last day', () => {
  // March 2025 has 31 days and starts on a Saturday: six week rows.
  const rows = weeks(ctx.BuildCalendar(3, 2025));
  assert.strictEqual(rows.length, 6);
  assert.deepStrictEqual(rows[0], ['&nbsp;', '&nbsp;', '&nbsp;', '&nbsp;', '&nbsp;', '&nbsp;', '1']);
  assert.deepStrictEqual(rows[5], ['30', '31']);
  // April 2002 starts on a Monday.
  assert.deepStrictEqual(weeks(ctx.BuildCalendar(4, 2002))[0], ['&nbsp;', '1', '2', '3', '4', '5', '6']);
  assert.match(ctx.BuildCalendar(4, 2002), /<TD align=center title=Monday>1<\/TD>/);
});

test('month 0 is the current month', () => {
  const now = new Date();
  assert.strictEqual(ctx.BuildCalendar(0, now.getFullYear()), ctx.BuildCalendar(now.getMonth() + 1, now.getFullYear()));
});

test('year lists run from 2000 to ten years past the current year; month lists for the designer and built pages', () => {
  const last = new Date().getFullYear() + 10;
  const values = [...ctx.GetYears('Year', 2).matchAll(/<OPTION value=(\d+)( selected)?>(\d+)</g)];
  assert.deepStrictEqual(values.map((m) => Number(m[1])), Array.from({ length: last - 1999 }, (_, k) => 2000 + k));
  assert.deepStrictEqual(values.filter((m) => m[2]).map((m) => m[3]), ['2002']);
  assert.ok(!/selected/.test(ctx.GetYears('Year', -1)));
  assert.match(ctx.GetYears('Year', 0), /^<SELECT ID=Year Name=Year oncontrolselect="return false"/);
  const designer = ctx.GetMonths('Month', true, true, -1);
  assert.match(designer, /onchange="UpdateControlProperty\(this\)"/);
  assert.match(designer, /<OPTION value=0>Current<\/OPTION><OPTION value=1>January<\/OPTION>/);
  assert.ok(!/selected/.test(designer));
  const built = ctx.GetMonths('Month', false, false, 3, 'Cal1');
  assert.match(built, /^<SELECT ID=CalMonth_Cal1 Name=CalMonth_Cal1 .*onchange='BuildCalendar\("Cal1"\)'><OPTION value=1>Jan<\/OPTION>/);
  assert.match(built, /<OPTION value=3 selected>Mar<\/OPTION>/);
  assert.strictEqual((built.match(/<OPTION/g) || []).length, 12);
});

test('date formats', () => {
  const d = new Date(2002, 2, 5);
  assert.deepStrictEqual([0, 1, 2, 3, 4, 5, 6, 7].map((k) => ctx.FormatDateText(k, d)), [
    'Mar 5, 2002', 'March 5, 2002', '3-5-2002', '3/5/2002', '5-3-2002', '5/3/2002', '2002-3-5', '2002/3/5']);
  assert.deepStrictEqual([...ctx.DateFormats.map((f) => f.style)], ['abrmm dd yyyy', 'fulmm dd yyyy',
    'mm-dd-yyyy', 'mm/dd/yyyy', 'dd-mm-yyyy', 'dd/mm/yyyy', 'yyyy-mm-dd', 'yyyy/mm/dd']);
});

test('ReplaceSpaces turns leading spaces into &nbsp and puts one space in front', () => {
  assert.deepStrictEqual(['abc', '  a b ', '', '   '].map(ctx.ReplaceSpaces), [' abc', '&nbsp&nbsp a b ', ' ', '&nbsp&nbsp&nbsp ']);
});

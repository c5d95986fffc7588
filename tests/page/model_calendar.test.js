'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadModel } = require('./helpers/model');

const ctx = loadModel();

// The same cases as the build's calendar text (tests/unit/site_text_test.cpp).
const CASES = require('../fixtures/calendar_cases.json');

test('day rows, dates and caption blanks as the build writes them', () => {
  for (const { month, year, about, rows } of CASES.months) {
    assert.strictEqual(ctx.BuildCalendar(month, year), rows, `${month}/${year}: ${about}`);
  }
  assert.strictEqual(ctx.BuildCalendar('2', '2100'), CASES.months.find((c) => c.year === 2100).rows, 'texts from the property window');
  const now = new Date();
  assert.strictEqual(ctx.BuildCalendar(0, now.getFullYear()), ctx.BuildCalendar(now.getMonth() + 1, now.getFullYear()), 'month 0');
  for (const { date: [y, m, d], texts } of CASES.dates) {
    assert.deepStrictEqual(texts.map((_, k) => ctx.FormatDateText(k, new Date(y, m - 1, d))), texts);
  }
  for (const [text, shown] of CASES.captions) assert.strictEqual(ctx.ReplaceSpaces(text), shown, JSON.stringify(text));
  assert.deepStrictEqual([...ctx.DateFormats.map((f) => f.style)], ['abrmm dd yyyy', 'fulmm dd yyyy',
    'mm-dd-yyyy', 'mm/dd/yyyy', 'dd-mm-yyyy', 'dd/mm/yyyy', 'yyyy-mm-dd', 'yyyy/mm/dd']);
});

test('year lists run from 2000 to ten years past the current year; month lists for the designer and built pages', () => {
  const last = new Date().getFullYear() + 10;
  const values = [...ctx.GetYears('Year', 2).matchAll(/<OPTION value=(\d+)( selected)?>(\d+)</g)];
  assert.deepStrictEqual(values.map((m) => Number(m[1])), Array.from({ length: last - 1999 }, (_, k) => 2000 + k));
  assert.deepStrictEqual(values.filter((m) => m[2]).map((m) => m[3]), ['2002']);
  assert.ok(!/selected/.test(ctx.GetYears('Year', -1)));
  assert.match(ctx.GetYears('Year', 0), /^<SELECT ID=Year Name=Year oncontrolselect="return false"/);
  const designer = ctx.GetMonths('Month', true, true, -1);
  assert.match(designer, /onchange="UpdateControlProperty\(this\)"><OPTION value=0>Current<\/OPTION><OPTION value=1>January<\/OPTION>/);
  assert.ok(!/selected/.test(designer));
  const built = ctx.GetMonths('Month', false, false, 3, 'Cal1');
  assert.match(built, /^<SELECT ID=CalMonth_Cal1 Name=CalMonth_Cal1 .*onchange='BuildCalendar\("Cal1"\)'><OPTION value=1>Jan<\/OPTION>/);
  assert.deepStrictEqual([/<OPTION value=3 selected>Mar<\/OPTION>/.test(built), built.match(/<OPTION/g).length], [true, 12]);
});

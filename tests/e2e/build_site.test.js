// The sample project built headlessly (zolt build), served, and used in
// Chromium as a visitor would: forms shown, stacked, closed and centred;
// tabs switched with typed text kept; calendars redrawn; dates formatted;
// cookies; the developer's event code. (Dragging: installed.test.js.)
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const { HtmlValidate } = require('html-validate');
const path = require('node:path');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { ZOLT } = require('./helpers/zolt');
const { writeSampleProject } = require('./helpers/sampleProject');
const { serveFolder } = require('./helpers/staticServer');

function buildSample() {
  const project = writeSampleProject(tempDir('zolt-site-'));
  const output = execFileSync(ZOLT, ['build', project], { encoding: 'utf8' });
  assert.match(output, /Project: Sample\.rwp was built\./);
  return path.join(path.dirname(project), 'Build');
}

async function box(page, selector) {
  return page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height, display: e.style.display,
      z: Number(e.style.zIndex) };
  });
}

test('the built sample passes an HTML checker and works in Chromium', async () => {
  const build = buildSample();
  // No errors beyond the rules the built page's markup style needs.
  const text = fs.readFileSync(path.join(build, 'default.htm'), 'latin1');
  const report = await new HtmlValidate(require('./helpers/builtPageRules')).validateString(text, 'default.htm');
  assert.deepStrictEqual(report.results.flatMap((r) => r.messages.map((m) => `${m.line}:${m.column} ${m.ruleId} ${m.message}`)), []);

  const site = await serveFolder(build);
  try {
    await withPage(async (page) => {
      const errors = [];
      page.on('pageerror', (e) => errors.push(e.message));
      await page.goto(site.origin + '/default.htm');
      assert.strictEqual(await page.title(), 'Sample "shop"');

      // The start form shows where it was designed; the other waits hidden.
      const form1 = await box(page, '#Form1');
      assert.deepStrictEqual([form1.left, form1.top, form1.width], [100, 50, 400]);
      assert.strictEqual((await box(page, '#Form2')).display, 'none');
      assert.strictEqual(await page.$eval('#lbl1', (e) => e.innerHTML), '&nbsp;&nbsp; Welcome "home"');
      assert.strictEqual(await page.$eval('#txt1', (e) => e.value), 'It\'s "here"');
      // The close picture is found relative to the page.
      assert.ok(await page.$eval('#Form1 #CloseFormX', (e) => e.complete && e.naturalWidth > 0));

      // A button's code shows the second form at the given place, in front.
      await page.click('#btn1');
      const form2 = await box(page, '#Form2');
      assert.deepStrictEqual([form2.left, form2.top, form2.display], [50, 60, 'inline']);
      assert.ok(form2.z > (await box(page, '#Form1')).z);
      assert.ok(await page.$eval('#img1', (e) => e.complete && e.naturalWidth > 0), 'the image is copied and shown');

      // A click on a form brings it to the front; another click changes nothing.
      await page.click('#Form1 #CaptionBar');
      const z = await page.evaluate(() => zIndexCounter);
      assert.ok((await box(page, '#Form1')).z > (await box(page, '#Form2')).z);
      await page.click('#Form1 #TForm', { position: { x: 300, y: 350 } });
      assert.strictEqual(await page.evaluate(() => zIndexCounter), z);

      // Centring, then the close picture hides the form.
      await page.click('#btn2');
      const centred = await box(page, '#Form2');
      const viewport = page.viewportSize();
      assert.ok(Math.abs(centred.left - (viewport.width - 400) / 2) <= 1, JSON.stringify(centred));
      await page.click('#Form2 #CloseFormX');
      assert.strictEqual((await box(page, '#Form2')).display, 'none');

      // Tabs switch pages, and what was typed on a page is still there.
      await page.click('td[id="Tab1"]');
      await page.fill('#TABContent_tab1 #txt2', 'typed on page two');
      await page.click('td[id="Tab0"] b');
      assert.strictEqual(await page.$eval('#TABContent_tab1', (e) => e.innerText.trim()), 'First page');
      await page.click('td[id="Tab1"]');
      assert.strictEqual(await page.$eval('#TABContent_tab1 #txt2', (e) => e.value), 'typed on page two');

      // Calendars redraw for the chosen month and year.
      await page.selectOption('#CalMonth_Cal1', '2');
      await page.selectOption('#CalYear_Cal1', '2008');
      const feb2008 = await page.$eval('#Cal1', (t) => Array.from(t.rows).slice(5).map((r) => r.cells.length));
      assert.strictEqual(feb2008.reduce((a, b) => a + b, 0) - 5, 29, 'February 2008 starts on a Friday: 5 blanks');
      await page.$eval('#CalYear_Cal1', (s) => s.add(new Option('2100', '2100')));
      await page.selectOption('#CalYear_Cal1', '2100');
      const lastDay = await page.$eval('#Cal1', (t) => t.rows[t.rows.length - 1].lastElementChild.innerText);
      assert.strictEqual(lastDay, '28', '2100 is no leap year');
      await page.selectOption('#CalMonth_Cal1', '8');
      await page.selectOption('#CalYear_Cal1', '2026');
      assert.strictEqual(await page.$eval('#Cal1', (t) => t.rows.length), 5 + 6, 'August 2026 needs six week rows');

      // The developer's day function runs with the calendar's ID.
      await page.click('#Cal1 td[title=Monday] >> text="3"');
      assert.strictEqual(await page.evaluate(() => window.GPicked), 'Cal1:3');

      // Dates in the date cell's format.
      await page.evaluate(() => {
        document.getElementById('DisplayDate_Cal1').setAttribute('FormatStyle', 'dd/mm/yyyy');
        SetCalDate('Cal1', 'March 5, 2003');
      });
      assert.strictEqual(await page.$eval('#DisplayDate_Cal1', (e) => e.innerHTML), '5/3/2003');
      await page.evaluate(() => {
        document.getElementById('DisplayDate_Cal1').setAttribute('FormatStyle', 'abrmm dd yyyy');
        SetCalDate('Cal1', 'March 5, 2003');
      });
      assert.strictEqual(await page.$eval('#DisplayDate_Cal1', (e) => e.innerHTML), 'Mar 5 2003');

      // Cookies: a name that ends another cookie's name is still found exactly.
      await page.click('#btn3');
      assert.strictEqual(await page.$eval('#lbl1', (e) => e.innerHTML), 'two');
      assert.strictEqual(await page.evaluate(() => GetCookie('ame')), '');

      // The page's own functions and the forms' functions are in the script.
      assert.strictEqual(await page.evaluate(() => Util() + Greet()), '1hello');
      await page.screenshot({ path: screenshotPath('build-site') });
      assert.deepStrictEqual(errors, []);
    });
  } finally {
    await site.close();
  }
});

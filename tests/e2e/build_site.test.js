// Built sites used as a visitor would, in Debian's Chromium (playwright-core) and Firefox ESR (puppeteer-core over
// WebDriver BiDi): the sample project, and one whose two forms repeat their IDs. (Dragging: installed.test.js.)
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { HtmlValidate } = require('html-validate');
const axe = require('axe-core');
const puppeteer = require('puppeteer-core');
const { launchBrowser, tempDir, screenshotPath } = require('./helpers/browser');
const { serveFolder } = require('./helpers/designer');
const { ZOLT } = require('./helpers/zolt');
const { writeProject, writeSampleProject, twinForms, TWIN_CODE } = require('./helpers/sampleProject');
const CALENDAR_CASES = require('../fixtures/calendar_cases.json');

const FIREFOX = process.env.ZOLT_FIREFOX || '/usr/bin/firefox-esr';
const VIEWPORT = { width: 1280, height: 900 };
const ENGINES = ['chromium', 'firefox'];

// {name, newPage(), close()} for 'chromium' or 'firefox'.
async function launchEngine(name) {
  if (name === 'chromium') {
    const browser = await launchBrowser();
    return { name, newPage: () => browser.newPage({ viewport: VIEWPORT }), close: () => browser.close() };
  }
  const browser = await puppeteer.launch({
    browser: 'firefox', protocol: 'webDriverBiDi', executablePath: FIREFOX, headless: true,
    extraPrefsFirefox: { 'app.update.enabled': false, 'browser.shell.checkDefaultBrowser': false },
  });
  return {
    name,
    newPage: async () => {
      const page = await browser.newPage();
      await page.setViewport(VIEWPORT);
      return page;
    },
    close: () => browser.close(),
  };
}

// Chooses the option with `value` in a list, as a user would.
function choose(page, selector, value) {
  return page.selectOption ? page.selectOption(selector, value) : page.select(selector, value);
}

// A mouse click in the middle of the element, or of the innermost one under it whose text is `text`: Puppeteer's
// own click finds no point in a quirks mode page.
async function clickOn(page, selector, text = null) {
  const at = await page.$eval(selector, (root, t) => {
    const hit = t === null ? root
      : Array.from(root.querySelectorAll('*')).find((e) => e.children.length === 0 && e.textContent.trim() === t);
    if (!hit) return null;
    const r = hit.getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }, text);
  if (!at) throw new Error(`no "${text}" under ${selector}`);
  await page.mouse.click(at.x, at.y);
}

// Builds a project with `zolt build` and serves its Build folder.
async function buildAndServe(projectFile) {
  const output = execFileSync(ZOLT, ['build', '--quiet', projectFile], { encoding: 'utf8' });
  assert.match(output, /was built\./);
  const build = path.join(path.dirname(projectFile), 'Build');
  return { build, site: await serveFolder(build) };
}

const folder = tempDir('zolt-site-');
const sites = {};
test.before(async () => {
  sites.sample = await buildAndServe(writeSampleProject(folder));
  sites.twins = await buildAndServe(writeProject(folder, {
    name: 'Shop #2 Caf\u00e9', forms: twinForms(), title: 'Twins', bodyCode: TWIN_CODE,
  }));
});
test.after(async () => {
  for (const s of Object.values(sites)) await s.site.close();
});

async function box(page, selector) {
  return page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height, display: e.style.display,
      z: Number(e.style.zIndex) };
  });
}

// The ID of the focused element and of the form holding it.
const focus = (page) => page.evaluate(() => {
  const e = document.activeElement;
  const form = e.closest('[ParentFormID]');
  return (form ? form.id : '') + '/' + e.id;
});

async function sampleWorks(page) {
  await page.goto(sites.sample.site.origin + '/default.htm');
  assert.strictEqual(await page.title(), 'Sample "shop"');

  // The start form shows where it was designed, its close picture found relative to the page; the other waits hidden.
  const [form1, hidden] = [await box(page, '#Form1'), await box(page, '#Form2')];
  assert.deepStrictEqual([form1.left, form1.top, form1.width, hidden.display, await page.$eval('#lbl1', (e) => e.innerHTML),
    await page.$eval('#txt1', (e) => e.value), await page.$eval('#Form1 #CloseFormX', (e) => e.complete && e.naturalWidth > 0)],
  [100, 50, 400, 'none', '&nbsp;&nbsp; Welcome "home"', 'It\'s "here"', true]);

  // A button's code shows the second form at the given place, in front, its image copied and shown.
  await clickOn(page, '#btn1');
  const form2 = await box(page, '#Form2');
  assert.deepStrictEqual([form2.left, form2.top, form2.display, form2.z > (await box(page, '#Form1')).z,
    await page.$eval('#img1', (e) => e.complete && e.naturalWidth > 0)], [50, 60, 'inline', true, true]);

  // A click on a form brings it to the front; another click changes nothing.
  await clickOn(page, '#Form1 #CaptionBar');
  const z = await page.evaluate(() => zIndexCounter);
  assert.ok((await box(page, '#Form1')).z > (await box(page, '#Form2')).z);
  const body = await box(page, '#Form1 #TForm');
  await page.mouse.click(body.left + 300, body.top + 350);
  assert.strictEqual(await page.evaluate(() => zIndexCounter), z);

  // Centring, then the close picture hides the form.
  await clickOn(page, '#btn2');
  const centred = await box(page, '#Form2');
  assert.ok(Math.abs(centred.left - (VIEWPORT.width - 400) / 2) <= 1, JSON.stringify(centred));
  await clickOn(page, '#Form2 #CloseFormX');
  assert.strictEqual((await box(page, '#Form2')).display, 'none');

  // Tabs switch pages, and what was typed on a page is still there.
  await clickOn(page, 'td[id="Tab1"]');
  await clickOn(page, '#TABContent_tab1 #txt2');
  await page.$eval('#TABContent_tab1 #txt2', (e) => e.select());
  await page.keyboard.type('typed on page two');
  await clickOn(page, 'td[id="Tab0"] b');
  assert.strictEqual(await page.$eval('#TABContent_tab1', (e) => e.textContent.trim()), 'First page');
  await clickOn(page, 'td[id="Tab1"]');
  assert.strictEqual(await page.$eval('#TABContent_tab1 #txt2', (e) => e.value), 'typed on page two');

  // Calendars redraw the week rows the designer and the headless build draw.
  const cells = (rows) => rows.split('</TR>').slice(1, -1).map((row) => Array.from(row.matchAll(/title=(\w+)>([^<]*)</g),
    ([, day, text]) => day + ' ' + text.replace('&nbsp;', '\u00a0')));
  for (const { month, year, rows } of CALENDAR_CASES.months) {
    await page.$eval('#CalYear_Cal1', (s, y) => Array.from(s.options).some((o) => o.value === y) || s.add(new Option(y, y)), String(year));
    await choose(page, '#CalYear_Cal1', String(year));
    await choose(page, '#CalMonth_Cal1', String(month));
    assert.deepStrictEqual(await page.$eval('#Cal1', (t) => Array.from(t.rows).slice(5)
      .map((r) => Array.from(r.cells, (c) => c.title + ' ' + c.textContent))), cells(rows), `${month}/${year}`);
  }
  await choose(page, '#CalYear_Cal1', '2026');
  await choose(page, '#CalMonth_Cal1', '8');

  // The developer's day function runs with the calendar's ID.
  await clickOn(page, '#Cal1 tr:nth-child(7)', '3');
  assert.strictEqual(await page.evaluate(() => window.GPicked), 'Cal1:3');

  // Dates in the date cell's format.
  for (const [format, shown] of [['dd/mm/yyyy', '5/3/2003'], ['abrmm dd yyyy', 'Mar 5 2003']]) {
    await page.evaluate((f) => {
      document.getElementById('DisplayDate_Cal1').setAttribute('FormatStyle', f);
      SetCalDate('Cal1', 'March 5, 2003');
    }, format);
    assert.strictEqual(await page.$eval('#DisplayDate_Cal1', (e) => e.innerHTML), shown);
  }

  // Cookies: a name that ends another cookie's name is still found exactly.
  await clickOn(page, '#btn3');
  assert.deepStrictEqual([await page.$eval('#lbl1', (e) => e.innerHTML), await page.evaluate(() => GetCookie('ame'))], ['two', '']);

  // The page's own functions and the forms' functions are in the script.
  assert.strictEqual(await page.evaluate(() => Util() + Greet()), '1hello');
}

async function twinsWork(page) {
  await page.goto(sites.twins.site.origin + '/default.htm');
  assert.strictEqual(await page.title(), 'Twins');
  const shown = (form) => page.$eval(`#${form} [role=tabpanel]`, (e) => e.textContent.trim());

  // The focus starts by Tab Index and goes round, the close picture last; Form2 takes it.
  const focused = [await focus(page)];
  for (const [shift, keys] of [[false, ['Tab']], [true, ['Tab', 'Tab']], [false, ['Tab', 'Enter']]]) {
    if (shift) await page.keyboard.down('Shift');
    for (const key of keys) await page.keyboard.press(key);
    if (shift) await page.keyboard.up('Shift');
    focused.push(await focus(page));
  }
  assert.deepStrictEqual(focused, ['Form1/btn1', 'Form1/txt1', 'Form1/CloseFormX', 'Form2/btn1']);

  // Each form's tab control switches its own pages, by mouse and by keys.
  await clickOn(page, '#Form2 td[id="Tab1"]');
  assert.deepStrictEqual([await shown('Form1'), await shown('Form2')], ['Form1 page one', 'Form2 page two']);
  await clickOn(page, '#Form1 td[id="Tab1"]');
  assert.deepStrictEqual([await shown('Form1'), await shown('Form2')], ['Form1 page two', 'Form2 page two']);
  await page.keyboard.press('ArrowLeft');
  assert.deepStrictEqual([await shown('Form1'), await shown('Form2')], ['Form1 page one', 'Form2 page two']);
  assert.strictEqual(await page.$eval('#Form1 td[id="Tab0"]', (e) => e.getAttribute('aria-selected')), 'true');

  // Each form's calendar redraws its own month and picks its own dates.
  await choose(page, '#Form2 #CalMonth_Cal1', '2');
  await choose(page, '#Form2 #CalYear_Cal1', '2008');
  const days = (form) => page.$eval(`#${form} #Cal1`, (t) => Array.from(t.rows).slice(5)
    .reduce((n, r) => n + Array.from(r.cells).filter((c) => /^\d+$/.test(c.textContent)).length, 0));
  assert.strictEqual(await days('Form2'), 29);
  assert.notStrictEqual(await days('Form1'), 29);
  await clickOn(page, '#Form2 #Cal1 tr:nth-child(7)', '3');
  await clickOn(page, '#Form1 #Cal1 tr:nth-child(7)', '9');
  assert.strictEqual(await page.evaluate(() => window.GPicked), 'Form2:Cal1:3 Form1:Cal1:9 ');
  assert.deepStrictEqual(await page.$$eval('[id="DisplayDate_Cal1"]', (es) => es.map((e) => e.textContent)),
    ['Mar 9 2008', 'Mar 3 2008']);

  // Escape closes the form holding the focus, which goes back to where it was.
  await clickOn(page, '#Form2 #txt1');
  await page.keyboard.press('Escape');
  assert.deepStrictEqual([await page.$eval('#Form2', (e) => e.style.display), await focus(page)], ['none', 'Form1/btn1']);
}

for (const engine of ENGINES) {
  test(`built sites work in ${engine}`, async () => {
    const browser = await launchEngine(engine);
    try {
      for (const [name, works] of [['sample', sampleWorks], ['twins', twinsWork]]) {
        const page = await browser.newPage();
        const errors = [];
        page.on('pageerror', (e) => errors.push(e.message));
        await works(page);
        await page.screenshot({ path: screenshotPath(`build-site-${name}-${engine}`) });
        assert.deepStrictEqual(errors, [], name);
        await page.close();
      }
    } finally {
      await browser.close();
    }
  });
}

test('built pages pass an HTML checker and axe finds nothing serious', async () => {
  const validator = new HtmlValidate(require('./helpers/builtPageRules'));
  const browser = await launchEngine('chromium');
  try {
    for (const [name, { build, site }] of Object.entries(sites)) {
      const text = fs.readFileSync(path.join(build, 'default.htm'), 'latin1');
      const report = await validator.validateString(text, 'default.htm');
      assert.deepStrictEqual(report.results.flatMap((r) => r.messages.map((m) => `${m.line}:${m.column} ${m.ruleId} ${m.message}`)), [], name);

      const page = await browser.newPage();
      await page.goto(site.origin + '/default.htm');
      await page.evaluate(() => ShowForm('Form2', 440, 60, false, ''));
      await page.addScriptTag({ content: axe.source });
      const result = await page.evaluate(() => axe.run(document, { resultTypes: ['violations'] }));
      const serious = result.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
        .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
      assert.deepStrictEqual(serious, [], name);
      await page.close();
    }
  } finally {
    await browser.close();
  }
});

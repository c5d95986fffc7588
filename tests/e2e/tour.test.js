'use strict';
// README's tour, photographed at each stop (into docs/ with ZOLT_DOCS_SHOTS=1); the site
// built in the designer renders as the one `zolt build` writes.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { startZolt, ZOLT } = require('./helpers/zolt');
const { openDesigner, waitForProject, projectMenu, buildProject, serveFolder } = require('./helpers/designer');
const { openPropertyWindow } = require('./helpers/properties');
const { writeSampleProject } = require('./helpers/sampleProject');

const DOCS = path.join(__dirname, '..', '..', 'docs');
function shot(name) {
  if (process.env.ZOLT_DOCS_SHOTS !== '1') return screenshotPath('tour-' + name);
  fs.mkdirSync(DOCS, { recursive: true });
  return path.join(DOCS, name + '.png');
}

// What a visitor sees of every element; of the stacking only the order counts.
async function rendering(page, origin) {
  await page.goto(origin + '/default.htm');
  await page.evaluate(() => ShowForm('Form2', 520, 80, false, ''));
  return page.evaluate(() => Array.from(document.body.querySelectorAll('*')).map((e, _, all) => {
    const r = e.getBoundingClientRect();
    const s = getComputedStyle(e);
    const forms = all.filter((f) => f.parentElement === document.body && f.hasAttribute('ParentFormID'));
    const z = forms.includes(e) ? forms.filter((f) => Number(f.style.zIndex) < Number(e.style.zIndex)).length : s.zIndex;
    return [e.tagName, e.id, Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height),
      s.color, s.backgroundColor, s.backgroundImage, s.borderTopStyle, s.borderTopColor, s.fontFamily, s.fontSize,
      s.fontWeight, s.display, z, e.children.length ? '' : e.textContent].join('|');
  }));
}

test('the tour: designer, property window, code window, preview, built site', async (t) => {
  const dir = tempDir('zolt-tour-');
  const project = writeSampleProject(dir);
  const build = path.join(path.dirname(project), 'Build');
  const designerBuild = path.join(dir, 'designer-build');
  const zolt = await startZolt({ args: [project], cwd: dir });
  t.after(() => zolt.stop());

  await withPage(async (page) => {
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('response', (r) => { if (r.status() >= 400) errors.push(r.status() + ' ' + r.url()); });
    await openDesigner(page, zolt);
    await waitForProject(page, 'Sample.rwp', 2);

    // Built before anything is touched: the Building box counts forms, the surface stays.
    const surface = await page.evaluate(() => document.getElementById('Form2').outerHTML);
    await page.evaluate(() => {
      window.zoltLabels = [];
      new MutationObserver(() => {
        const label = document.getElementById('lblLoading');
        if (label) window.zoltLabels.push(label.innerText);
      }).observe(document.body, { childList: true, subtree: true, characterData: true });
    });
    await buildProject(page, 'Sample');
    assert.deepStrictEqual(await page.evaluate(() => [window.zoltLabels.includes('Building\nform 1/2: Form1'),
      document.getElementById('Form2').outerHTML, document.body.innerHTML.includes('recorded="true"')]), [true, surface, false]);
    // The Building window goes once the box is answered (the host unloads it after the box).
    await page.locator('#frmLoading').waitFor({ state: 'detached' });
    fs.cpSync(build, designerBuild, { recursive: true });

    await page.locator('#Form1 #txt1').click();
    assert.strictEqual(await page.textContent('#PO'), '10px,40px', 'the place indicator shows the selection');
    await page.screenshot({ path: shot('designer') });

    await openPropertyWindow(page);
    // The button's left end: the property window covers the rest, and a covered click would scroll the form.
    const button = { position: { x: 8, y: 8 } };
    await page.locator('#Form1 #btn1').click(button);
    assert.ok(await page.locator('#x_MainProp_x').isVisible());
    await page.screenshot({ path: shot('property-window') });

    await page.locator('#Form1 #btn1').dblclick(button);
    await page.locator('#xC_xodeWindox_xw .cm-content').waitFor();
    await page.locator('#x_Events_x').click();
    assert.strictEqual(await page.locator('#ControlObjects').inputValue(), 'onclick');
    await page.screenshot({ path: shot('code-window') });
    await page.locator('#CloseCodeX').click();

    // A preview, served over http: cookies keep and any text shows whole.
    await page.evaluate(() => { document.querySelector('#Form1 #lbl1').innerText = 'Caf\u00e9 \u2713'; });
    const popup = page.waitForEvent('popup');
    await projectMenu(page, 'Preview');
    const preview = await popup;
    await preview.waitForLoadState();
    assert.match(preview.url(), /^http:\/\/127\.0\.0\.1:\d+\/project\/Temp\/TempHTML[0-9.]+\.htm$/);
    assert.match(await preview.title(), /Sample "shop" +\*Velkorasoft V1\.01 Project Preview/);
    assert.ok(await preview.$eval('#Form1 #CloseFormX', (e) => e.complete && e.naturalWidth > 0),
      'the close picture shows in the preview');
    assert.strictEqual(await preview.$eval('#lbl1', (e) => e.textContent.trim()), 'Caf\u00e9 \u2713');
    await preview.click('#btn3');
    assert.strictEqual(await preview.$eval('#lbl1', (e) => e.innerHTML), 'two');
    await preview.reload();
    assert.strictEqual(await preview.evaluate(() => GetCookie('name') + GetCookie('aname')), 'twoone');
    await preview.close();
    assert.deepStrictEqual(errors, []);
  });

  execFileSync(ZOLT, ['build', '--quiet', project], { encoding: 'utf8' });
  const headless = await serveFolder(build);
  const fromDesigner = await serveFolder(designerBuild);
  t.after(() => Promise.all([headless.close(), fromDesigner.close()]));
  await withPage(async (page) => {
    const designed = await rendering(page, fromDesigner.origin);
    assert.ok(designed.length > 100);
    assert.deepStrictEqual(designed, await rendering(page, headless.origin));
  });
  await withPage(async (page) => {
    await page.goto(headless.origin + '/default.htm');
    await page.locator('#Form1').waitFor({ state: 'visible' });
    await page.locator('#Form1').getByRole('tab', { name: 'tab1' }).click();
    await page.screenshot({ path: shot('built-site') });
    await page.locator('#Form1 #btn1').click();
    await page.locator('#Form2').waitFor({ state: 'visible' });
  }, { viewport: { width: 640, height: 480 } });
});

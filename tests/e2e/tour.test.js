'use strict';
// The short tour of README, walked as a newcomer walks it: the sample
// project opened, a control selected and its properties shown, a button's
// code opened, the project built and its site visited. Each stop is
// photographed; with ZOLT_DOCS_SHOTS=1 the pictures go to docs/ (the ones
// README shows), otherwise to the e2e screenshots.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { startZolt, ZOLT } = require('./helpers/zolt');
const { openDesigner } = require('./helpers/designer');
const { openPropertyWindow } = require('./helpers/properties');
const { writeSampleProject } = require('./helpers/sampleProject');
const { serveFolder } = require('./helpers/staticServer');

const DOCS = path.join(__dirname, '..', '..', 'docs');
function shot(name) {
  if (process.env.ZOLT_DOCS_SHOTS !== '1') return screenshotPath('tour-' + name);
  fs.mkdirSync(DOCS, { recursive: true });
  return path.join(DOCS, name + '.png');
}

test('the tour: designer, property window, code window, built site', async (t) => {
  const dir = tempDir('zolt-tour-');
  const project = writeSampleProject(dir);
  const zolt = await startZolt({ args: [project], cwd: dir });
  t.after(() => zolt.stop());

  await withPage(async (page) => {
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('response', (r) => { if (r.status() >= 400) errors.push(r.status() + ' ' + r.url()); });
    await openDesigner(page, zolt);
    await page.locator('#Form1 #btn1').waitFor();
    await page.locator('#frmLoading').waitFor({ state: 'detached' }).catch(() => {});

    await page.locator('#Form1 #txt1').click();
    assert.strictEqual(await page.textContent('#PO'), '10px,40px', 'the place indicator shows the selection');
    await page.screenshot({ path: shot('designer') });

    await openPropertyWindow(page);
    await page.locator('#Form1 #btn1').click();
    assert.ok(await page.locator('#x_MainProp_x').isVisible());
    await page.screenshot({ path: shot('property-window') });

    await page.locator('#Form1 #btn1').dblclick();
    await page.locator('#xC_xodeWindox_xw .cm-content').waitFor();
    await page.locator('#x_Events_x').click();
    assert.strictEqual(await page.locator('#ControlObjects').inputValue(), 'onclick');
    await page.screenshot({ path: shot('code-window') });
    assert.deepStrictEqual(errors, []);
  });

  execFileSync(ZOLT, ['build', '--quiet', project], { encoding: 'utf8' });
  const site = await serveFolder(path.join(path.dirname(project), 'Build'));
  t.after(() => site.close());
  await withPage(async (page) => {
    await page.goto(site.origin + '/default.htm');
    await page.locator('#Form1').waitFor({ state: 'visible' });
    await page.locator('#Form1').getByRole('tab', { name: 'tab1' }).click();
    await page.screenshot({ path: shot('built-site') });
    await page.locator('#Form1 #btn1').click();
    await page.locator('#Form2').waitFor({ state: 'visible' });
  }, { viewport: { width: 640, height: 480 } });
});

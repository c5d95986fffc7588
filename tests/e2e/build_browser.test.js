// The sample project built in the designer (through the page bridge) and
// built headlessly (zolt build) gives pages that render the same: every
// element has the same place, size, colours and text. A preview opens in a
// new window, served by the host, where cookies and any text work.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { withPage, tempDir } = require('./helpers/browser');
const { startZolt, ZOLT } = require('./helpers/zolt');
const { openDesigner } = require('./helpers/designer');
const { writeSampleProject, sampleForms } = require('./helpers/sampleProject');
const { serveFolder } = require('./helpers/staticServer');

// Puts the sample's forms and settings on the design surface, as opening the
// project would.
async function putSampleOnSurface(page, projectFile) {
  await page.evaluate(({ forms }) => {
    let list = document.getElementById('x_FormsList_x');
    if (!list) {
      list = document.createElement('select');
      list.id = 'x_FormsList_x';
      list.style.display = 'none';
      document.body.appendChild(list);
    }
    for (const [name, markup] of Object.entries(forms)) {
      document.body.insertAdjacentHTML('beforeend', markup);
      list.add(new Option(name, name));
    }
    document.body.setAttribute('userTitle', 'Sample "shop"');
    document.body.setAttribute('userBGColor', '#ffffee');
    document.body.setAttribute('F_Util', 'function Util(){\r\n\treturn 1;\r\n}');
    window.GProjectStartForm = 'Form1';
    window.zIndexCounter = 2;
  }, { forms: sampleForms() });
  await page.evaluate((file) => sendCommand('ZoltTestHook&project&' + file), projectFile);
}

// Runs a command that ends with a message box, answers it, returns its text.
async function commandWithBox(page, command) {
  await page.evaluate((c) => { window.zoltDone = sendCommand(c); }, command);
  const box = page.locator('dialog[open]:not(#frmLoading)').last();
  await box.waitFor();
  const text = await box.innerText();
  await box.locator('button').first().click();
  await page.evaluate(() => window.zoltDone);
  return text;
}

// What a visitor sees of every element of a built page.
async function rendering(browserPage, origin) {
  await browserPage.goto(origin + '/default.htm');
  await browserPage.evaluate(() => ShowForm('Form2', 520, 80, false, ''));
  return browserPage.evaluate(() => Array.from(document.body.querySelectorAll('*')).map((e) => {
    const r = e.getBoundingClientRect();
    const s = getComputedStyle(e);
    return [e.tagName, e.id, Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height),
      s.color, s.backgroundColor, s.backgroundImage, s.borderTopStyle, s.borderTopColor, s.fontFamily, s.fontSize,
      s.fontWeight, s.display, s.zIndex, e.children.length ? '' : e.textContent].join('|');
  }));
}

test('the designer builds what the headless build builds; a preview opens served', async () => {
  const folder = tempDir('zolt-browser-build-');
  const projectFile = writeSampleProject(folder);
  const buildDir = path.join(path.dirname(projectFile), 'Build');
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page, browser) => {
      await openDesigner(page, zolt);
      await putSampleOnSurface(page, projectFile);
      const before = await page.evaluate(() => document.getElementById('Form2').outerHTML);

      // The Building box counts the forms as they are written.
      await page.evaluate(() => {
        window.zoltLabels = [];
        new MutationObserver(() => {
          const label = document.getElementById('lblLoading');
          if (label) window.zoltLabels.push(label.innerText);
        }).observe(document.body, { childList: true, subtree: true, characterData: true });
      });
      assert.match(await commandWithBox(page, 'BuildProject&1'), /^Project: Sample\.rwp was built\.$/m);
      assert.ok((await page.evaluate(() => window.zoltLabels)).includes('Building\nform 1/2: Form1'));
      assert.strictEqual(await page.$('#frmLoading'), null, 'the Loading window is unloaded');
      assert.ok(await page.evaluate((html) => document.getElementById('Form2').outerHTML === html, before),
        'the design surface is as it was');
      assert.ok(await page.evaluate(() => !document.body.innerHTML.includes('recorded="true"')));
      const browserBuild = path.join(folder, 'browser-build');
      fs.cpSync(buildDir, browserBuild, { recursive: true });

      // A preview: numbered files in Temp, opened in a new window that the
      // host serves over http, where the page's cookies keep and any text
      // shows whole.
      await page.evaluate(() => { document.getElementById('lbl1').innerText = 'Caf\u00e9 \u2713'; });
      const popup = page.waitForEvent('popup');
      await page.evaluate(() => sendCommand('BuildProject&0'));
      const preview = await popup;
      await preview.waitForLoadState();
      assert.match(preview.url(), /^http:\/\/127\.0\.0\.1:\d+\/project\/Temp\/TempHTML[0-9.]+\.htm$/);
      assert.match(await preview.title(), /Sample "shop" +\*Velkorasoft V1\.01 Project Preview/);
      assert.ok(await preview.$eval('#Form1', (e) => e.style.display === 'inline'));
      assert.ok(await preview.$eval('#Form1 #CloseFormX', (e) => e.complete && e.naturalWidth > 0),
        'the close picture shows in the preview');
      assert.strictEqual(await preview.$eval('#lbl1', (e) => e.textContent.trim()), 'Caf\u00e9 \u2713');
      await preview.click('#btn3');
      assert.strictEqual(await preview.$eval('#lbl1', (e) => e.innerHTML), 'two');
      await preview.reload();
      assert.strictEqual(await preview.evaluate(() => GetCookie('name') + GetCookie('aname')), 'twoone');
      await preview.close();

      execFileSync(ZOLT, ['build', projectFile], { encoding: 'utf8' });
      const a = await serveFolder(browserBuild);
      const b = await serveFolder(buildDir);
      try {
        const viewer = await browser.newPage({ viewport: { width: 1280, height: 900 } });
        const fromBrowser = await rendering(viewer, a.origin);
        const headless = await rendering(viewer, b.origin);
        assert.ok(fromBrowser.length > 100);
        assert.deepStrictEqual(fromBrowser, headless);
      } finally {
        await a.close();
        await b.close();
      }
    });
  } finally {
    await zolt.stop();
  }
});

'use strict';
// Unsaved work kept safe; a form file with script in it opens without running it.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, tempDir, screenshotPath } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const {
  openDesigner, answer, waitForProject, projectMenu, saveProject, drawControl, nameInChooser, createProject, startNewProject,
  readText,
} = require('./helpers/designer');

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A project of one form carrying script where the designer has none.
function hostileProject(dir) {
  const folder = path.join(dir, 'Other');
  fs.mkdirSync(folder);
  fs.writeFileSync(path.join(folder, 'Other.rwp'), '\xab' + 'V1.01\xbb\r\n\xabnotice\xbb\r\n\xab' + 'Forms\xbb\r\n#Form1/True#\r\n', 'latin1');
  const form = '<div id="Form1" name="Form1" parentformid="1" controltype="F" onmouseover="window.ranOver=1" ' +
    'style="position:absolute; left:300px; top:200px; width:300px; height:200px; z-index:1">' +
    '<b id="CaptionBar">Form1</b><div id="TForm" controltype="TF" onclick="window.ranClick=1" ' +
    'style="position:absolute; top:18px; width:300px; height:180px">' +
    '<img id="bad" src="x" onerror="window.ranError=1"><script>window.ranScript=1</script>' +
    '<a id="lnk1" controltype="LNK" controlid="1" parentformid="1" href="javascript:window.ranLink=1" F_Go="Sub Go()">link1</a>' +
    '</div></div>';
  fs.writeFileSync(path.join(folder, 'Form1.rwf'), 'V1.01\r\n#' + form + '#', 'latin1');
  return folder;
}

// Draws a label on Form1 with the mouse: an unsaved change.
async function drawLabel(page) {
  await page.locator('#Form1 #TForm').click();
  await drawControl(page, 'x_T1_x', '#Form1 #lbl1');
}

test('unsaved changes survive a closed window, and a reload the developer stayed on changes nothing', async () => {
  const dir = tempDir('zolt-recovery-');
  const folder = path.join(dir, 'Shop');
  let zolt = await startZolt({ cwd: dir });
  try {
    await withPage(async (page) => {
      await startNewProject(page, zolt, 'Shop');
      await saveProject(page);
      const savedForm = readText(folder, 'Form1.rwf');

      // A label never saved: the page hands it to the host a moment later.
      await drawLabel(page);
      const copy = path.join(folder, '.zolt-recovery', 'Form1.rwf');
      for (let i = 0; i < 50 && !fs.existsSync(copy); i++) await sleep(100);
      assert.match(fs.readFileSync(copy, 'latin1'), /id="lbl1"/, 'the recovery copy was kept');
      assert.strictEqual(readText(folder, 'Form1.rwf'), savedForm);
      await page.close({ runBeforeUnload: false });
    });
    await zolt.exited;

    // The next opening of the project offers the copy.
    zolt = await startZolt({ cwd: dir, args: [path.join(folder, 'Shop.rwp')] });
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await answer(page, 'Yes', /^Project: Shop\.rwp has changes that were not saved/);
      await waitForProject(page, 'Shop.rwp', 1);
      await page.locator('#Form1 #lbl1').waitFor();
      assert.strictEqual(await page.evaluate(() => bProjectInfoChanged), true);
      await page.screenshot({ path: screenshotPath('storage_recovered') });
      await saveProject(page);
      assert.ok(!fs.existsSync(path.join(folder, '.zolt-recovery')), 'a save removes the copy');

      // F5 answered No, the browser's question too: Shop stays open for the host.
      await page.evaluate(() => { bProjectInfoChanged = true; });
      await page.evaluate(() => sendCommand('UpdateGlobalStartScreen'));
      page.once('dialog', (d) => d.dismiss());
      await page.evaluate(() => { setTimeout(() => location.reload(), 10); });
      await sleep(800);
      assert.strictEqual(await page.locator('#Form1 #lbl1').count(), 1);
      await projectMenu(page, 'New');
      await nameInChooser(page, 'Two');
      await answer(page, 'No', /^Information has changed since your last save/);
      await waitForProject(page, 'Two.rwp', 1);
      assert.strictEqual(await page.locator('#lbl1').count(), 0, 'the new project starts without Shop\'s forms');
    });
  } finally {
    await zolt.stop();
  }
});

test('Load and F5 ask about unsaved changes, a loaded form runs none of its script, the host follows the reload', async () => {
  const dir = tempDir('zolt-reload-');
  const other = hostileProject(dir);
  const zolt = await startZolt({ cwd: dir });
  try {
    await withPage(async (page) => {
      const errors = await startNewProject(page, zolt, 'Shop');
      await drawLabel(page);

      // Load with a change (the chooser starts where zolt did): the question first; Yes saves Shop, then Other opens.
      await projectMenu(page, 'Load');
      await page.locator('#Dir1 option', { hasText: /^Other$/ }).dblclick();
      await page.locator('#File1 option', { hasText: 'Other.rwp' }).dblclick();
      await answer(page, 'Yes', /^Information has changed since your last save/);
      await answer(page, 'OK', /Shop\.rwp Saved\./);
      await waitForProject(page, 'Other.rwp', 1);
      assert.match(readText(dir, 'Shop/Form1.rwf'), /id="lbl1"/);
      assert.strictEqual(await page.locator('#lbl1').count(), 0, 'Other opens without Shop\'s label');

      // None of Other's script runs; the designer's own handlers work.
      await page.locator('#bad').waitFor({ state: 'attached' });
      const form = await page.locator('#Form1').boundingBox();
      await page.mouse.move(form.x + 50, form.y + 60);
      await page.mouse.click(form.x + 150, form.y + 120);
      await page.locator('#lnk1').click();
      await sleep(300);
      assert.deepStrictEqual(await page.evaluate(() => [
        ['ranOver', 'ranClick', 'ranError', 'ranScript', 'ranLink'].filter((k) => window[k] !== undefined),
        document.querySelectorAll('#Form1 script').length, document.getElementById('bad').getAttribute('onerror'),
        ...['href', 'f_go'].map((n) => document.getElementById('lnk1').getAttribute(n)),
        document.querySelector('#Form1 #TForm').getAttribute('onclick'),
        SelectedFormObj && SelectedFormObj.id]),
      [[], 0, null, null, 'Sub Go()', 'UpdateWhichFormHasTheFocus(this.parentElement)', 'Form1']);
      // The page cleans stored markup itself too, tab pages within included, whatever the host let through.
      assert.strictEqual(await page.evaluate(() => CleanStoredMarkup(
        '<div onclick="UpdateWhichFormHasTheFocus(this.parentElement)" onmouseover="x()" ONLOAD="y()">' +
        '<a href=" JaVa\tScRiPt:alert(1)" F_Go="Sub Go()">a</a><a href="page.htm">b</a><iframe srcdoc="x"></iframe>' +
        '<p srcdoc="x">p</p><script>z()</script><svg><a href="javascript:1"/></svg>' +
        '<div contents="&lt;img src=x onerror=w()&gt;&lt;a href=javascript:v()&gt;t&lt;/a&gt;"></div></div>')),
      '<div onclick="UpdateWhichFormHasTheFocus(this.parentElement)"><a f_go="Sub Go()">a</a><a href="page.htm">b</a>' +
        '<p>p</p><div contents="&lt;img src=&quot;x&quot;&gt;&lt;a&gt;t&lt;/a&gt;"></div></div>');
      await page.screenshot({ path: screenshotPath('storage_hostile_form') });

      // F5 answered No: the start screen, nothing written, no copy kept.
      const otherForm = readText(other, 'Form1.rwf');
      await drawLabel(page);
      const recovery = path.join(other, '.zolt-recovery');
      for (let i = 0; i < 50 && !fs.existsSync(recovery); i++) await sleep(100);
      await page.locator('#Form1 #TForm').click();
      await page.keyboard.press('F5');
      await answer(page, 'No', /^You are refreshing the screen\./);
      // The start screen shows only in the reloaded page.
      await page.locator('#NewProject').waitFor({ timeout: 60000 });
      assert.strictEqual(readText(other, 'Form1.rwf'), otherForm);
      assert.ok(!fs.existsSync(recovery), 'the given-up change is not offered again');

      // The host follows: New asks nothing and carries nothing of Other.
      await createProject(page, 'Two');
      await waitForProject(page, 'Two.rwp', 1);
      assert.strictEqual(await page.locator('dialog.zolt-msgbox[open]').count(), 0);
      assert.strictEqual(await page.locator('#lbl1').count(), 0);

      // F5 answered Yes saves, then reloads to the start screen.
      await drawLabel(page);
      await page.locator('#Form1 #TForm').click();
      await page.keyboard.press('F5');
      await answer(page, 'Yes', /^You are refreshing the screen\./);
      await answer(page, 'OK', /Two\.rwp Saved\./);
      await page.locator('#NewProject').waitFor({ timeout: 60000 });
      assert.match(readText(dir, 'Two/Form1.rwf'), /id="lbl1"/);
      await page.screenshot({ path: screenshotPath('storage_after_f5') });
      assert.deepStrictEqual(errors, []);
    });
  } finally {
    await zolt.stop();
  }
});

'use strict';
const test = require('node:test');
const assert = require('node:assert');
const http = require('node:http');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, screenshotPath } = require('./helpers/browser');

const ROOT = path.join(__dirname, '..', '..');
const IMAGES = path.join(ROOT, 'installed', 'Images');

// Serves the assembled designer page with its placeholders filled the way
// the host fills them, and the application folder's pictures.
async function serveDesigner() {
  let html = fs.readFileSync(path.join(ROOT, 'out', 'designer.html'), 'latin1');
  const server = http.createServer((req, res) => {
    if (req.url === '/') {
      res.writeHead(200, { 'Content-Type': 'text/html; charset=windows-1252' });
      res.end(html, 'latin1');
      return;
    }
    const m = /^\/images\/([^/]+)$/i.exec(req.url);
    const names = fs.existsSync(IMAGES) ? fs.readdirSync(IMAGES) : [];
    const file = m && names.find((n) => n.toLowerCase() === m[1].toLowerCase());
    if (file) {
      res.writeHead(200, { 'Content-Type': 'image/jpeg' });
      res.end(fs.readFileSync(path.join(IMAGES, file)));
      return;
    }
    if (req.url === '/ColorChart.js') {
      res.writeHead(200, { 'Content-Type': 'text/javascript' });
      res.end('var arrColor = ["000000"];');
      return;
    }
    res.writeHead(404);
    res.end();
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}`;
  html = html.replace('<replace1>', JSON.stringify(url) + ';')
    .replace('<replace2>', url + '/ColorChart.js')
    .replace('<replace3>', `url(${url}/images/comp_logo.jpg);`)
    .replace('<x_Velkora_Version_x>', 'V1.01');
  return { url, stop: () => new Promise((resolve) => server.close(resolve)) };
}

// Records the commands and boxes of the page; boxes answer OK.
async function recordHost(page) {
  await page.addInitScript(() => {
    window.sentCommands = [];
    window.shownBoxes = [];
    window.sendCommand = async (text) => { window.sentCommands.push(text); };
    window.MsgBox = async (text, flags, title) => { window.shownBoxes.push({ text, flags, title }); return 1; };
    Object.assign(window, { vbOKOnly: 0, vbYesNo: 4, vbCritical: 16, vbQuestion: 32, vbInformation: 64, vbOK: 1, vbYes: 6, vbNo: 7 });
  });
}

async function openDesigner(page, server) {
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await recordHost(page);
  await page.goto(server.url + '/');
  await page.waitForFunction(() => window.bLoaded === true);
  return errors;
}

async function closeStartScreen(page) {
  await page.evaluate(() => {
    AppPath = location.origin;
    ImagePath = location.origin + '/images/closebutton.jpg';
    CloseStartScreen();
    document.getElementById('ProjectName').insertAdjacentHTML('beforeend', 'Shop');
    UpdateFormsList('Form1', 1);
  });
  await page.waitForFunction(() => Array.from(document.images).every((i) => i.complete));
}

const box = (page, id) => page.evaluate((id) => {
  const r = document.getElementById(id).getBoundingClientRect();
  return { left: r.left, top: r.top, width: r.width, height: r.height };
}, id);

test('the designer page: start screen, toolbars, menus, dragging and script errors', async (t) => {
  const server = await serveDesigner();
  t.after(server.stop);
  await withPage(async (page) => {
    const errors = await openDesigner(page, server);

    await t.test('opens on the centred start screen in quirks mode with nothing left unfilled', async () => {
      const html = await page.content();
      for (const mark of ['<replace1>', '<replace2>', '<replace3>', 'x_Velkora_Version_x', '&lt;replace']) {
        assert.ok(!html.includes(mark), mark);
      }
      assert.strictEqual(await page.evaluate(() => document.compatMode), 'BackCompat');
      assert.strictEqual(await page.evaluate(() => GVersion), 'V1.01');
      const start = await box(page, 'StartScreen');
      assert.deepStrictEqual([start.width, start.height], [197, 253]);
      assert.ok(Math.abs(start.left - (1280 - 197) / 2) <= 1 && Math.abs(start.top - (900 - 253) / 2) <= 1);
      assert.strictEqual(await page.getAttribute('#StartScreen', 'ZOLT_VERSION'), 'ZOLT v1.0');
      const logo = await page.evaluate(() => getComputedStyle(document.getElementById('StartScreen')).backgroundImage);
      assert.match(logo, /comp_logo\.jpg/);
      await page.screenshot({ path: screenshotPath('designer_start_screen') });
      assert.deepStrictEqual(errors, []);
    });

    await t.test('the start screen buttons send their commands', async () => {
      await page.click('#NewProject');
      await page.click('#ExistingProject');
      assert.deepStrictEqual(await page.evaluate(() => sentCommands.splice(0)), ['NewProject', 'LoadProject']);
    });

    await t.test('after the start screen: toolbars with their pictures, project window', async () => {
      await closeStartScreen(page);
      assert.strictEqual(await page.$('#StartScreen'), null);
      const pictures = await page.evaluate(() => Array.from(document.querySelectorAll('#ToolBar1 img, #ToolBar2 img, #ToolBar3 img'))
        .map((i) => [i.id, i.naturalWidth > 0, i.title]));
      assert.strictEqual(pictures.length, 22);
      assert.ok(pictures.every(([, loaded]) => loaded), JSON.stringify(pictures.filter(([, l]) => !l)));
      for (const id of ['ToolBar1', 'ToolBar2', 'ToolBar3', 'Forms']) {
        const b = await box(page, id);
        assert.ok(b.width > 0 && b.height > 0, id);
      }
      assert.deepStrictEqual((await box(page, 'ToolBar2')).top, 80);
      assert.deepStrictEqual((await box(page, 'ToolBar3')).top, 330);
      // Mouse-over swaps to the second picture and back.
      await page.hover('#x_T1_x');
      assert.match(await page.getAttribute('#x_T1_x', 'src'), /Label2\.jpg$/);
      await page.mouse.move(600, 600);
      assert.match(await page.getAttribute('#x_T1_x', 'src'), /Label1\.jpg$/);
      await page.screenshot({ path: screenshotPath('designer_empty') });
    });

    await t.test('menus open at the mouse, replace each other and close on a body click', async () => {
      const project = await box(page, 'x_W2_x');
      const x = Math.round(project.left + 10), y = Math.round(project.top + 10);
      await page.mouse.click(x, y);
      const menu = await box(page, 'ProjectMenu');
      assert.deepStrictEqual([menu.left, menu.top], [x + 40, Math.max(0, y - 20)]);
      const texts = await page.$$eval('#ProjectMenu td', (cells) => cells.map((c) => c.textContent.trim()).filter(Boolean));
      assert.deepStrictEqual(texts, ['Project', 'New', 'Load', 'Delete', 'Save', 'Preview', 'Build Project', 'Style Sheets', 'Properties']);

      // Items inside the menu send their commands and leave it open.
      await page.click('#ProjectMenu td[title="Save current project."]');
      await page.click('#ProjectMenu td[title="Build the Project."]');
      await page.click('#ProjectMenu td[title="Preview in browser."]');
      assert.deepStrictEqual(await page.evaluate(() => sentCommands.splice(0)),
        ['SaveExistingProjectFalse', 'BuildProject&1', 'BuildProject&0']);
      assert.ok(await page.$('#ProjectMenu'));

      await page.click('#x_W1_x');
      assert.strictEqual(await page.$('#ProjectMenu'), null);
      const forms = await page.$$eval('#FormMenu td', (cells) => cells.map((c) => c.textContent.trim()).filter(Boolean));
      assert.deepStrictEqual(forms, ['Forms', 'New', 'Load', 'Delete', 'Remove', 'Lock form']);

      await page.mouse.click(900, 700);
      assert.strictEqual(await page.$('#FormMenu'), null);
      assert.strictEqual(await page.evaluate(() => bMenuShown), false);

      await page.click('#x_W3_x');
      await page.click('#ViewMenu #Property');
      assert.deepStrictEqual(await page.evaluate(() => sentCommands.splice(0)), ['ShowPropertyWin']);
      await page.mouse.click(900, 700);
    });

    await t.test('windows move by their caption bars and drag areas', async () => {
      await page.keyboard.press('F2');
      const before = await box(page, 'x_FuncListWin_x');
      await page.mouse.move(before.left + 60, before.top + 10);
      await page.mouse.down();
      await page.mouse.move(before.left + 160, before.top + 60, { steps: 4 });
      await page.mouse.up();
      const after = await box(page, 'x_FuncListWin_x');
      assert.deepStrictEqual([after.left - before.left, after.top - before.top], [100, 50]);
      await page.keyboard.press('F2');
      assert.strictEqual(await page.evaluate(() => document.getElementById('x_FuncListWin_x').style.display), 'none');

      // The project window's own area (outside its children) drags it.
      const forms = await box(page, 'Forms');
      await page.mouse.move(forms.left + 1, forms.top + forms.height - 2);
      await page.mouse.down();
      await page.mouse.move(forms.left - 99, forms.top + forms.height + 18, { steps: 4 });
      await page.mouse.up();
      const moved = await box(page, 'Forms');
      assert.deepStrictEqual([moved.left - forms.left, moved.top - forms.top], [-100, 20]);
    });

    await t.test('the project window collapses and opens again', async () => {
      await page.click('#Minimize');
      assert.deepStrictEqual(await page.evaluate(() => [Forms.style.height, Minimize.title,
        document.getElementById('x_FormsList_x').style.display]), ['25px', "'Click to Maximize'", 'none']);
      await page.click('#Minimize');
      assert.deepStrictEqual(await page.evaluate(() => [Forms.style.height, Minimize.title]), ['170px', "'Click to Minimize'"]);
    });

    await t.test('a script error is shown with its line, then the fixed message, and the page goes on', async () => {
      await page.evaluate(() => setTimeout(() => NoSuchRoutine()));
      await page.waitForFunction(() => shownBoxes.length >= 2);
      const [first, second] = await page.evaluate(() => shownBoxes.splice(0));
      assert.match(first.text, /NoSuchRoutine is not defined\n\n\d+$/);
      assert.deepStrictEqual([first.flags, first.title], [0, 'ZOLT']);
      assert.deepStrictEqual(second, { text: 'An internal script error has happened.', flags: 16, title: 'ZOLT' });

      await page.evaluate(() => { Promise.reject(new Error('lost answer')); });
      await page.waitForFunction(() => shownBoxes.length >= 2);
      const [rejected, fixed] = await page.evaluate(() => shownBoxes.splice(0));
      assert.match(rejected.text, /lost answer\n\n\d+$/);
      assert.strictEqual(fixed.text, 'An internal script error has happened.');

      await page.click('#x_W2_x');
      assert.ok(await page.$('#ProjectMenu'), 'the page still works');
      await page.mouse.click(900, 700);
    });
  });
});

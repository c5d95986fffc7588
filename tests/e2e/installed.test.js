'use strict';
// The static library in a real browser, moving the forms of a built page.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { withPage, launchBrowser, screenshotPath } = require('./helpers/browser');
const { drag } = require('./helpers/designer');

const INSTALLED = path.join(__dirname, '..', '..', 'installed');
const staticLib = fs.readFileSync(path.join(INSTALLED, 'Temp', 'ZOLTJSStatic.js'), 'utf8');

// A form as the build writes it, in quirks mode, before the static library.
function builtPage({ left = 100, top = 50, isStatic = false } = {}) {
  const handlers = isStatic ? '' : "onmousedown=drag('Form1') onmouseup=dragstop()";
  return `<html><head><title>built</title></head><body>
<DIV ID=Form1 Name=Form1 ParentFormID=1 onClick=BringToFront('Form1') style='position:absolute; left:${left}; top:${top}; width:400; height:300; display:inline; z-index:0' ><B ID=CaptionBar ${handlers} style='Color:#FFFFFF;cursor:pointer; Font-Family:Arial; Font-Size:15; DISPLAY:block; background-color:#0000FF;'>Form1</B><img src='../Images/CloseButton.jpg' id=CloseFormX style='POSITION: absolute; cursor:pointer; LEFT:383; TOP:2;' onClick="CloseForm('Form1','')"><DIV ID=TForm style='position:absolute; left:0; top:18; cursor:default; border-width:1; border-style:solid; overflow:hidden; border-color:#000000; background-color:#D5CCBB; width:400; height:281; '>some text</DIV></DIV>
<script>
var GCntrlObj
var GbValCon
var GsFunc
var zIndexCounter = 1
function BringToFront(pObj) {}
function CloseForm(pObj, pFunc) {}
</script>
<script>${staticLib}</script>
</body></html>`;
}

const formAt = async (page) => { const b = await formBox(page); return [b.left, b.top]; };
const formBox = (page) => page.evaluate(() => {
  const f = document.getElementById('Form1');
  const bar = f.firstElementChild.getBoundingClientRect();
  return { left: f.offsetLeft, top: f.offsetTop, bar: { left: bar.left, top: bar.top, right: bar.right, bottom: bar.bottom } };
});

test('a form moves by its title bar and stops on release, inside the window; a static one stays', async () => {
  await withPage(async (page) => {
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.setContent(builtPage());
    assert.strictEqual(await page.evaluate(() => document.compatMode), 'BackCompat');

    await drag(page, { x: 150, y: 58 }, 200, 200);
    assert.deepStrictEqual(await formAt(page), [300, 250]);
    assert.strictEqual(await page.evaluate(() => String(window.getSelection())), '', 'no text selected');
    await page.mouse.move(500, 400);
    assert.deepStrictEqual(await formAt(page), [300, 250], 'released, the form stays');
    await drag(page, { x: 400, y: 400 }, 50, 50);
    assert.deepStrictEqual(await formAt(page), [300, 250], 'a drag on the form body does not move it');
    assert.deepStrictEqual(errors, []);

    await page.setContent(builtPage({ isStatic: true }));
    await drag(page, { x: 150, y: 58 }, 200, 200);
    assert.deepStrictEqual(await formAt(page), [100, 50], 'a static form, without drag handlers, stays');

    // The title bar stays in the window when dragged far past the bottom right corner ...
    await page.setViewportSize({ width: 800, height: 600 });
    await page.setContent(builtPage());
    await drag(page, { x: 150, y: 58 }, 645, 537);
    let box = await formBox(page);
    const area = await page.evaluate(() => ({ width: document.body.clientWidth, height: document.body.clientHeight }));
    assert.ok(box.bar.right <= area.width && box.bar.bottom <= area.height, JSON.stringify({ box, area }));
    assert.ok(box.bar.right >= area.width - 1 && box.bar.bottom >= area.height - 1, 'pushed against the corner');
    await page.screenshot({ path: screenshotPath('installed-drag-corner') });

    // ... and back past the top left corner.
    await drag(page, { x: box.bar.left + 50, y: box.bar.top + 8 }, -box.bar.left - 48, -box.bar.top - 6);
    box = await formBox(page);
    assert.deepStrictEqual([box.bar.left, box.bar.top], [0, 0]);
  }, { viewport: { width: 1000, height: 700 } });
});

test('a finger on the title bar moves the form', async () => {
  const browser = await launchBrowser();
  try {
    const context = await browser.newContext({ viewport: { width: 800, height: 600 }, hasTouch: true });
    const page = await context.newPage();
    await page.setContent(builtPage());
    const cdp = await context.newCDPSession(page);
    const touch = (type, x, y) => cdp.send('Input.dispatchTouchEvent',
      { type, touchPoints: type === 'touchEnd' ? [] : [{ x, y }] });
    await touch('touchStart', 150, 58);
    for (let i = 1; i <= 5; i++) await touch('touchMove', 150 + 20 * i, 58 + 30 * i);
    await touch('touchEnd');
    assert.deepStrictEqual(await formAt(page), [200, 200]);
  } finally {
    await browser.close();
  }
});

'use strict';
// The property window on a form: every kind of setting, names, the window itself.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { screenshotPath } = require('./helpers/browser');
const { answer, drag, saveProject, newForm, withNewProject, readText } = require('./helpers/designer');
const { field, openPropertyWindow, typeInto, choose, clickField, value, settle } = require('./helpers/properties');

// A 2 x 2 red PNG.
const PNG = Buffer.from('iVBORw0KGgoAAAANSUhEUgAAAAIAAAACCAIAAAD91JpzAAAAFklEQVR4nGP8z8DAwMDAxMDAwMDAAAANHQEDasKb6QAAAABJRU5ErkJggg==', 'base64');

const style = (page, selector, prop) => page.$eval(selector, (e, p) => e.style[p], prop);
const attrs = (page, selector, names) => page.$eval(selector, (e, ns) => ns.map((n) => e.getAttribute(n)), names);

test('a form\'s properties in the property window', async (t) => {
  await withNewProject(t, 'zolt-formprops-', async (page, errors, folder) => {
    await t.test('View > Property shows the form\'s table, at the mouse, dragged by its caption and kept on the page', async () => {
      await openPropertyWindow(page);
      assert.strictEqual(await page.locator('#x_ChildProp_x table:visible').getAttribute('id'), 'PropF');
      const bar = await page.locator('#x_MainProp_x #CaptionBar').boundingBox();
      await drag(page, { x: bar.x + 30, y: bar.y + 8 }, 1970 - bar.x, 292 - bar.y);
      const box = await page.locator('#x_MainProp_x').boundingBox();
      assert.ok(box.x + box.width <= 1280 && box.x > 900, 'dragged off the page, it comes back inside: ' + box.x);
      await page.screenshot({ path: screenshotPath('properties_form') });
    });

    await t.test('caption, title bar colours and font, back colour show at once', async () => {
      await typeInto(page, 'PropertyCaption', 'Orders & more');
      await choose(page, 'PropertyTitleBarColor', { index: 145 });
      await choose(page, 'PropertyTitleBarFontColor', { index: 0 });
      await choose(page, 'PropertyTitleBarFontType', { label: 'Georgia' });
      await choose(page, 'PropertyBackColor', { index: 216 });
      assert.deepStrictEqual(await page.$eval('#Form1 #CaptionBar', (b) => [b.textContent, b.style.backgroundColor, b.style.color,
        b.style.fontFamily, b.parentElement.querySelector('#TForm').style.backgroundColor]),
      ['Orders & more', 'rgb(204, 0, 0)', 'rgb(0, 0, 0)', 'Georgia', 'rgb(255, 255, 255)']);
      assert.deepStrictEqual(await attrs(page, '#Form1', ['TitleBarColorIndex', 'TitleBarColorRGBValue', 'BackColorIndex', 'BackColor']),
        ['145', '#CC0000', '216', '#FFFFFF']);
      assert.deepStrictEqual(await page.$$eval('[name="PropertyBackColorValue"]:visible', (b) => b.map((e) => [e.value, e.readOnly])),
        [['#FFFFFF', true]], 'the value box shows the colour');
    });

    await t.test('border colour, style, size, off and on again; the form\'s size: the width moves the close picture, '
      + 'height 400 stores 381, letters cannot be typed', async () => {
      await choose(page, 'PropertyBorderColor', { index: 6 });
      await choose(page, 'PropertyBorderStyle', { label: 'dashed' });
      await typeInto(page, 'PropertyBorderSize', '3');
      const border = () => page.$eval('#Form1 #TForm', (b) => [b.style.borderColor, b.style.borderStyle, b.style.borderWidth]);
      assert.deepStrictEqual(await border(), ['rgb(0, 0, 255)', 'dashed', '3px']);
      await clickField(page, 'PropertyBorderOnOff', 1);
      await typeInto(page, 'PropertyBorderSize', '4');
      assert.strictEqual((await border())[2], '0px', 'an Off border is off and stays off when its size changes');
      await clickField(page, 'PropertyBorderOnOff', 0);
      assert.deepStrictEqual(await border(), ['rgb(0, 0, 255)', 'dashed', '4px']);
      await typeInto(page, 'PropertyWidth', '5x00');
      assert.deepStrictEqual(await page.$eval('#Form1', (f) => [f.style.width, f.querySelector('#TForm').style.width,
        f.querySelector('#CaptionBar').style.width, f.querySelector('#CloseFormX').style.left]), ['500px', '500px', '500px', '484px']);
      await typeInto(page, 'PropertyHeight', '300');
      await typeInto(page, 'PropertyHeight', '400');
      assert.deepStrictEqual([await page.getAttribute('#Form1', 'FrmHeight'), await style(page, '#Form1', 'height'),
        await style(page, '#Form1 #TForm', 'height')], ['381', '381px', '381px']);
    });

    await t.test('close button settings, static, close function', async () => {
      await clickField(page, 'PropertyEnableFormCloseButton');
      assert.strictEqual(await style(page, '#Form1 #CloseFormX', 'opacity'), '0.4');
      await clickField(page, 'PropertyShowFormCloseButton');
      assert.strictEqual(await page.locator('#Form1 #CloseFormX').isVisible(), false);
      await clickField(page, 'PropertyFormStatic');
      await typeInto(page, 'PropertyFormCloseFunc', 'Bye()');
      assert.deepStrictEqual(await attrs(page, '#Form1', ['ShowCloseFormButton', 'CloseButtonEnabled', 'Static', 'FormCloseFunc']),
        ['false', 'false', 'true', 'Bye()']);
    });

    // Where the chooser opens and what it lists: tests/unit/picture_chooser_test.cpp.
    await t.test('a picture from the chooser is copied into the project; a cancelled chooser changes nothing', async () => {
      await field(page, 'ShowDialogBox').click();
      const chooser = page.locator('dialog#frmDialog[open]');
      await chooser.waitFor();
      assert.strictEqual(await chooser.locator('.zolt-caption').innerText(), 'Velkora Choose Picture');
      await page.locator('#Dir1 option', { hasText: /^\.\.$/ }).dblclick();
      await page.locator('#File1 option', { hasText: 'logo.png' }).dblclick();
      await chooser.waitFor({ state: 'detached' });
      await settle(page);
      assert.deepStrictEqual(fs.readFileSync(path.join(folder, 'Images', 'logo.png')), PNG);
      assert.deepStrictEqual([await value(page, 'PropertyBackGroundImageSrc'), await style(page, '#Form1 #TForm', 'backgroundImage'),
        await style(page, '#Form1 #TForm', 'backgroundRepeat')], ['/project/Images/logo.png', 'url("/project/Images/logo.png")', 'no-repeat']);
      assert.ok(await page.evaluate(async () => (await fetch('/project/Images/logo.png')).ok), 'the designer can load it');

      await field(page, 'ShowDialogBox').click();
      await chooser.waitFor();
      await page.keyboard.press('Escape');
      await chooser.waitFor({ state: 'detached' });
      assert.strictEqual(await value(page, 'PropertyBackGroundImageSrc'), '/project/Images/logo.png');

      await clickField(page, 'PropertyBackGroundImageTile', 0);
      await choose(page, 'PropertyBackGroundImageAlignHorizontal', { label: 'Right' });
      assert.deepStrictEqual([await style(page, '#Form1 #TForm', 'backgroundRepeat'),
        await style(page, '#Form1 #TForm', 'backgroundPosition')], ['', 'right top']);
    });

    await t.test('names: refused ones put back, a good one renames the form in the list and on disk, undo renames it back', async () => {
      const device = /^This name cannot be used for a form file\.\s+The name "Nul" is kept for a device on Windows/;
      await typeInto(page, 'PropertyName', 'Nul', { answer: ['OK', device] });
      assert.strictEqual(await value(page, 'PropertyName'), 'Form1');
      await newForm(page, 'Form2');
      await settle(page);
      await typeInto(page, 'PropertyName', 'form1', { answer: ['OK', 'The Name: form1 already exists.'] });
      await page.locator('#x_FormsList_x option', { hasText: 'Form1' }).dblclick();
      await settle(page);
      assert.strictEqual(await value(page, 'PropertyName'), 'Form1');
      await typeInto(page, 'PropertyName', 'Main');
      assert.deepStrictEqual(await page.locator('#x_FormsList_x option').allInnerTexts(), ['Main', 'Form2']);
      assert.ok(fs.existsSync(path.join(folder, 'Main.rwf')) && !fs.existsSync(path.join(folder, 'Form1.rwf')));
      await page.keyboard.press('Control+z');
      await page.waitForFunction(() => document.getElementById('x_FormsList_x').options[0].text === 'Form1');
      await settle(page);
      assert.ok(fs.existsSync(path.join(folder, 'Form1.rwf')) && !fs.existsSync(path.join(folder, 'Main.rwf')), 'undo renames the file back');
      assert.strictEqual(await value(page, 'PropertyName'), 'Form1', 'the window follows the undo');
      await page.keyboard.press('Control+y');
      await page.waitForFunction(() => document.getElementById('x_FormsList_x').options[0].text === 'Main');
      await settle(page);
      assert.ok(fs.existsSync(path.join(folder, 'Main.rwf')));
    });

    await t.test('folded, closed and shown again, the window keeps its place and refills', async () => {
      const before = await page.locator('#x_MainProp_x').boundingBox();
      await page.click('#Minimize2');
      assert.strictEqual((await page.locator('#x_MainProp_x').boundingBox()).height, 19);
      await page.click('#Minimize2');
      assert.strictEqual((await page.locator('#x_MainProp_x').boundingBox()).height, 269);
      await page.click('#x_PropClose_x');
      assert.strictEqual(await page.locator('#x_MainProp_x').isVisible(), false);
      await page.locator('#x_FormsList_x option', { hasText: 'Form2' }).dblclick();
      await openPropertyWindow(page);
      assert.deepStrictEqual([await page.locator('#x_MainProp_x').boundingBox(), await value(page, 'PropertyName')], [before, 'Form2']);
    });

    // Reopened and built: storage_save_open_test.cpp, site_form_test.cpp.
    await t.test('saved, with the settings in the form file', async () => {
      await saveProject(page);
      for (const kept of ['caption="Orders &amp; more"', 'frmheight="381"', 'backgroundimagesrc="/project/Images/logo.png"']) {
        assert.ok(readText(folder, 'Main.rwf').includes(kept), kept);
      }
      assert.deepStrictEqual(errors, []);
    });
  }, { prepare: (dir) => fs.writeFileSync(path.join(dir, 'logo.png'), PNG) });
});

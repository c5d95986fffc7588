'use strict';
// Projects in the designer: styled, saved, reopened, renamed and deleted; their
// properties. (Unsaved changes: storage_safety.test.js; style files: style_sheets_test.cpp.)
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { screenshotPath } = require('./helpers/browser');
const {
  answer, projectMenu, formMenu, saveProject, newForm, drawControl, markStartForm, buildProject, withNewProject, withProject, readText,
} = require('./helpers/designer');
const { idle } = require('./helpers/properties');

// Puts a focused list at a position with the keyboard.
async function pickByKeys(page, id, position) {
  await page.locator('#' + id).focus();
  await page.keyboard.press('Home');
  for (let k = 0; k < position; k++) await page.keyboard.press('ArrowDown');
}

async function typeInto(page, selector, value) {
  await page.locator(selector).click();
  await page.keyboard.press('Control+A');
  await page.keyboard.type(value);
}

// A form's settings and how it looks once selected in the forms list.
async function formLook(page, id) {
  await page.dblclick('#x_FormsList_x option[value="' + id.replace('Form', '') + '"]');
  return page.evaluate((formId) => {
    const form = document.getElementById(formId);
    const bar = form.querySelector('#CaptionBar');
    const body = Array.from(form.children).find((c) => /^tf$/i.test(c.getAttribute('ControlType') || ''));
    return {
      sheet: form.getAttribute('StyleSheet'), barColor: form.getAttribute('TitleBarColorRGBValue'),
      onOff: form.getAttribute('BorderOnOff'), bar: getComputedStyle(bar).backgroundColor,
      barText: getComputedStyle(bar).color, border: body.style.borderWidth,
    };
  }, id);
}

const OCEAN = { sheet: 'Ocean.rws', barColor: '#0000FF', onOff: '1', bar: 'rgb(0, 0, 255)', barText: 'rgb(255, 255, 255)', border: '0px' };

test('a project made in the browser: styled, saved, reopened as it was, a form deleted, renamed and deleted', async (t) => {
  const folder = await withNewProject(t, 'zolt-project-', async (page) => {
    await page.locator('#Form1 #TForm').click();
    await drawControl(page, 'x_T1_x', '#Form1 #lbl1');
    for (const id of ['Form2', 'Form3']) await newForm(page, id);
    await projectMenu(page, 'Style Sheets');
    await page.locator('#x_StyleWindow_x').waitFor();

    // Ocean: blue title bar, white title font, border off.
    await typeInto(page, '#x_StyleName_x', 'Ocean');
    await pickByKeys(page, 'TitleBarColor', 6);
    await pickByKeys(page, 'TitleBarFontColor', 216);
    await page.locator('#BorderOnOff').click();
    await page.locator('#Save').click();
    // The window's state after a save and the style file: style_sheets_test.cpp.
    await page.locator('#x_ExistingStyles_x option[value="Ocean.rws"]').waitFor({ state: 'attached' });
    await idle(page);
    for (const form of ['Form2', 'Form3']) await page.locator('#x_StyleFormList_x option', { hasText: form }).dblclick();
    await page.locator('#Apply').click();
    await page.screenshot({ path: screenshotPath('style_window') });
    for (const form of ['Form2', 'Form3']) assert.deepStrictEqual(await formLook(page, form), OCEAN);
    assert.strictEqual(await page.locator('#Form1').getAttribute('StyleSheet'), '');

    // Ocean for new forms; a second style cannot take that role too.
    await page.locator('#x_ExistingStyles_x').selectOption('Ocean.rws');
    await idle(page);
    await page.locator('#x_Auto_x').click();
    await page.locator('#Save').click();
    await answer(page, 'Yes', 'Style Sheet: Ocean.rws already exists.\r\nDo you want to overwrite it?');
    await page.waitForFunction(() => ZoltBridge.busy === 0 && sUseStyleForNewlyCreatedForms === 'Ocean.rws');
    await page.locator('#x_ExistingStyles_x').selectOption('New');
    await idle(page);
    await typeInto(page, '#x_StyleName_x', 'Sand');
    await page.locator('#Save').click();
    await page.locator('#x_ExistingStyles_x option[value="Sand.rws"]').waitFor({ state: 'attached' });
    await page.locator('#x_Auto_x').click();
    await answer(page, 'OK', 'You have already set Style Sheet: Ocean.rws for newly created forms.\n\n' +
      'If you want Style Sheet: Sand.rws to be used,\nyou will need to uncheck Style Sheet: Ocean.rws and click on the Save button.\n\n' +
      'Then check Style Sheet: Sand.rws and click on the Save button.');
    assert.ok(!(await page.locator('#x_Auto_x').isChecked()));
    await page.locator('#CloseStyle').click();
    await page.locator('#x_StyleWindow_x').waitFor({ state: 'detached' });

    await page.locator('#Form2 #CloseFormX').click();
    await saveProject(page);
  });
  // What the files hold, page code and captions included: storage_save_open_test.cpp.
  const saved = readText(folder, 'Shop.rwp');

  await withProject(path.join(folder, 'Shop.rwp'), 3, async (page) => {
    await page.locator('#Form1 #lbl1').waitFor();
    assert.deepStrictEqual([await page.locator('#Form2').isVisible(), await page.locator('#x_FormsList_x option').allInnerTexts()],
      [false, ['Form1', 'Form2', 'Form3']]);
    await page.screenshot({ path: screenshotPath('storage_reopened') });
    await saveProject(page);
    assert.strictEqual(readText(folder, 'Shop.rwp'), saved, 'saved again, the project file is as it was');

    for (const form of ['Form2', 'Form3']) assert.deepStrictEqual(await formLook(page, form), OCEAN);
    await newForm(page, 'Form4');
    assert.deepStrictEqual(await formLook(page, 'Form4'), OCEAN);

    // A deleted form loses its line and frees its number (its file: storage_form_files_test.cpp).
    await formMenu(page, 'Delete');
    await answer(page, 'Cancel', 'Delete selected Form: Form4?');
    assert.strictEqual(await page.locator('#Form4').count(), 1);
    await formMenu(page, 'Delete');
    await answer(page, 'OK', 'Delete selected Form: Form4?');
    await answer(page, 'OK', 'Shop.rwp Saved.');
    assert.doesNotMatch(readText(folder, 'Shop.rwp'), /Form4/);
    await newForm(page, 'Form4');

    // Renamed from its name link, then deleted (the folder: storage_new_project_test.cpp).
    await page.locator('#ProjectName a').click();
    await page.locator('#NewProjectName').fill('Store');
    await page.locator('#ChangeProjectName button', { hasText: 'Save' }).click();
    await page.locator('#ChangeProjectName').waitFor({ state: 'detached' });
    assert.strictEqual((await page.locator('#ProjectName').innerText()).trim(), '--Store.rwp');
    await projectMenu(page, 'Delete');
    await answer(page, 'Yes', 'Delete Project: Store.rwp .');
    await page.locator('#StartScreen').waitFor();
  });
});

test('project properties reach the built page; the name box holds the focus; a bordered style dresses new forms', async (t) => {
  await withNewProject(t, 'zolt-props-', async (page, errors, folder) => {
    await projectMenu(page, 'Properties');
    await page.locator('#ProjectProperties').waitFor();
    await pickByKeys(page, 'BGColor', 3);
    await typeInto(page, '#PageTitle', 'Shop & Café');
    await page.locator('#ProjectProperties #ImageLocation').click();
    await page.keyboard.type('Images/');
    await page.screenshot({ path: screenshotPath('project_properties') });
    await page.locator('#SaveProjectProperties').click();
    assert.deepStrictEqual(await page.evaluate(() => [document.body.getAttribute('BGIndex'),
      document.body.getAttribute('userBGColor'), document.body.getAttribute('userTitle'),
      document.body.getAttribute('ImageLocation'), bProjectInfoChanged]), ['3', '#D5CCBB', 'Shop & Café', 'Images/', true]);

    // "Enter Code..." opens the page's own code.
    await page.locator('#ProjectProperties button', { hasText: 'Enter Code...' }).click();
    await page.locator('#Code_x_CaptionBar', { hasText: 'Body (code)' }).waitFor();
    await page.evaluate(() => CloseCodeWindow());
    await page.locator('#ProjectProperties img').click();
    await page.locator('#ProjectProperties').waitFor({ state: 'detached' });

    await page.click('#x_FormsList_x option[value="1"]');
    await markStartForm(page);
    await buildProject(page);
    const built = readText(folder, 'Build/default.htm');
    assert.ok(built.includes('<TITLE>Shop &amp; Caf\xe9</TITLE>'), 'the title is in the built page');
    assert.match(built, /<BODY bgcolor=#D5CCBB/);

    // The name box keeps the focus; Cancel changes nothing.
    await page.locator('#ProjectName a').click();
    await page.locator('#NewProjectName').waitFor();
    await page.keyboard.type('Other');
    await page.mouse.click(900, 700);
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), 'NewProjectName');
    await page.locator('#CloseNewProject').click();
    await page.locator('#ChangeProjectName').waitFor({ state: 'detached' });
    assert.deepStrictEqual([await page.evaluate(() => CheckModalOnOff), (await page.locator('#ProjectName').innerText()).trim(),
      fs.existsSync(path.join(folder, 'Shop.rwp'))], ['OFF', '--Shop.rwp', true]);

    // A bordered style for new forms, started from the form's colours; Apply undone in one step.
    await projectMenu(page, 'Style Sheets');
    await page.locator('#x_StyleWindow_x').waitFor();
    assert.deepStrictEqual(await page.evaluate(() => ['TitleBarColor', 'BackColor', 'BorderStyle']
      .map((id) => document.getElementById(id).selectedIndex)), [6, 3, 8]);
    await typeInto(page, '#x_StyleName_x', 'Framed');
    await pickByKeys(page, 'BorderStyle', 3);
    await typeInto(page, '#BorderSize', '4');
    await page.locator('#x_Auto_x').click();
    await page.locator('#Save').click();
    await page.waitForFunction(() => ZoltBridge.busy === 0 && sUseStyleForNewlyCreatedForms === 'Framed.rws');

    await page.locator('#x_StyleFormList_x option', { hasText: 'Form1' }).dblclick();
    await page.locator('#Apply').click();
    assert.strictEqual(await page.locator('#Form1').getAttribute('StyleSheet'), 'Framed.rws');
    await page.locator('#CloseStyle').click();
    await page.locator('#Form1 #TForm').click();
    await page.keyboard.press('Control+z');
    await page.waitForFunction(() => document.getElementById('Form1').getAttribute('StyleSheet') === '');

    await formMenu(page, 'New');
    // The new form is dressed after the host has written its file.
    await page.waitForFunction(() => document.getElementById('Form2')?.getAttribute('StyleSheet') === 'Framed.rws');
    assert.deepStrictEqual(await page.evaluate(() => {
      const form = document.getElementById('Form2');
      const body = Array.from(form.children).find((c) => /^tf$/i.test(c.getAttribute('ControlType') || ''));
      return [form.getAttribute('StyleSheet'), form.getAttribute('BorderOnOff'), form.getAttribute('BorderSize'),
        body.style.borderWidth, body.style.borderStyle];
    }), ['Framed.rws', '0', '4', '4px', 'double']);
    assert.deepStrictEqual(errors, []);
  });
});

'use strict';
// The property window on every kind of control, and the built page showing the changes.
const test = require('node:test');
const assert = require('node:assert');
const { screenshotPath } = require('./helpers/browser');
const { answer, drag, formMenu, newForm, markStartForm, buildProject, withNewProject, visitSite } = require('./helpers/designer');
const { field, openPropertyWindow, typeInto, choose, clickField, value, settle, pick } = require('./helpers/properties');

const BLUE = 'rgb(0, 153, 255)';  // colour 24, 0099FF

// Each kind: its tool, name, place, caption, and the colour field set to BLUE (shown where).
const CONTROLS = [
  { tool: 'x_T1_x', type: 'L', name: 'Greeting', at: [10, 10], caption: 'Hello', color: 'PropertyBackColor' },
  { tool: 'x_T2_x', type: 'B', name: 'Send', at: [260, 10], caption: 'Send it', color: 'PropertyBackColor' },
  { tool: 'x_T3_x', type: 'T', name: 'Customer', at: [510, 10], caption: 'Smith', color: 'PropertyBackColor' },
  { tool: 'x_T5_x', type: 'CK', name: 'Agree', at: [10, 60], caption: 'I agree', color: 'PropertyBackColor' },
  { tool: 'x_T6_x', type: 'O', name: 'Small', at: [260, 60], caption: 'Small', color: 'PropertyBackColor' },
  { tool: 'x_T7_x', type: 'CB', name: 'Country', at: [510, 60], color: 'PropertyBackColor' },
  { tool: 'x_T8_x', type: 'LB', name: 'Sizes', at: [10, 110], color: 'PropertyBackColor' },
  { tool: 'x_T14_x', type: 'LNK', name: 'Help', at: [260, 110], caption: 'Read more', color: 'PropertyBackColor' },
  { tool: 'x_T15_x', type: 'UL', name: 'Fruit', at: [510, 110], color: 'PropertyBackColor' },
  { tool: 'x_T10_x', type: 'IM', name: 'Logo', at: [10, 200], color: 'PropertyBorderColor', shows: 'borderColor' },
  { tool: 'x_T4_x', type: 'TXTA', name: 'Notes', at: [260, 200], color: 'PropertyFontColor', shows: 'color' },
  { tool: 'x_T9_x', type: 'FRA', name: 'Box', at: [510, 200], caption: 'Options', color: 'PropertyBackColor' },
  { tool: 'x_T11_x', type: 'TBL', name: 'Orders', at: [10, 330], color: 'PropertyHeaderBackColor', part: 'Grid_Header_Orders' },
  { tool: 'x_T12_x', type: 'TAB', name: 'Pages', at: [260, 330], color: 'PropertyTabBackColor', part: 'TABContent_Pages' },
  { tool: 'x_T13_x', type: 'CAL', name: 'Dates', at: [510, 330], color: 'PropertyBackColor' },
];

const F1 = '#Form1 #TForm';

async function clickEmptyBody(page) {
  const b = await page.locator(F1).boundingBox();
  await page.mouse.click(b.x + b.width - 8, b.y + b.height - 8);
  await settle(page);
}

// The caption as the control shows it.
function shownCaption(page, c) {
  return page.$eval(`${F1} #${c.name}`, (e) => {
    if (e.tagName === 'INPUT') return e.getAttribute('value');
    if (e.id && e.querySelector('#FraCaption')) return e.querySelector('#FraCaption').textContent;
    return e.textContent.replace(/^\u00a0 /, '');
  });
}

test('every control in the property window', async (t) => {
  const folder = await withNewProject(t, 'zolt-ctrlprops-', async (page, errors) => {
    await openPropertyWindow(page);
    // The window to the right of the form, which grows to hold every control.
    const bar = await page.locator('#x_MainProp_x #CaptionBar').boundingBox();
    await drag(page, { x: bar.x + 20, y: bar.y + 8 }, 1040 - bar.x, 52 - bar.y, { steps: 4 });
    // The project window out of the way, below it.
    await drag(page, { x: 650, y: 168 }, 410, 472, { steps: 4 });
    await typeInto(page, 'PropertyWidth', '760');
    await typeInto(page, 'PropertyHeight', '800');

    await t.test('each kind takes a name, a place, its caption and a colour, shown at once', async () => {
      for (const c of CONTROLS) {
        await clickEmptyBody(page);
        await pick(page, '#' + c.tool);
        assert.strictEqual(await page.locator('#x_ChildProp_x table:visible').getAttribute('id'), 'Prop' + c.type);
        await typeInto(page, 'PropertyName', c.name);
        await typeInto(page, 'PropertyLeft', String(c.at[0]));
        await typeInto(page, 'PropertyTop', String(c.at[1]));
        if (c.caption) await typeInto(page, 'PropertyCaption', c.caption);
        if (c.type === 'IM') {
          await clickField(page, 'PropertyBorderOnOff', 0);
          await typeInto(page, 'PropertyBorderSize', '3');
        }
        await choose(page, c.color, { index: 24 });
        const el = `${F1} #${c.name}`;
        assert.deepStrictEqual(await page.$eval(el, (e) => [e.getAttribute('Name'), e.style.left, e.style.top]),
          [c.name, c.at[0] + 'px', c.at[1] + 'px'], c.type);
        if (c.caption) assert.strictEqual(await shownCaption(page, c), c.caption, c.type);
        const painted = c.part ? `${F1} [id="${c.part}"]` : el;
        assert.strictEqual(await page.$eval(painted, (e, p) => e.style[p], c.shows || 'backgroundColor'), BLUE, c.type);
      }
      assert.deepStrictEqual(await page.$$eval(`${F1} [id^="Grid_"]`, (es) => es.map((e) => e.id)),
        ['Grid_Header_Orders', 'Grid_Scroll_Orders', 'Grid_Data_Orders'], 'a grid\'s parts follow its name');
      assert.strictEqual(await page.getAttribute(`${F1} #Dates`, 'C_onclick'), "=Cal_Clicked('Dates',event);");
      assert.strictEqual(await page.$eval(`${F1} #Sizes`, (e) => e.options[0].text), 'Sizes');
    });

    await t.test('names: a refused one put back, one name per form, a radio group on asking', async () => {
      await pick(page, `${F1} #Greeting`);
      await typeInto(page, 'PropertyName', 'my label', { answer: ['OK', "Name InValid!\n'my label'"] });
      assert.strictEqual(await value(page, 'PropertyName'), 'Greeting');
      await typeInto(page, 'PropertyName', 'Send', { answer: ['OK', 'The Name: Send already exists.'] });

      // Two options of one name form a radio group, after asking; No keeps the name.
      await page.click(`${F1} #Small`);
      await pick(page, '#x_T6_x');
      const second = await page.evaluate(() => SelectedObj.id);
      await typeInto(page, 'PropertyName', 'Small', { answer: ['No', 'Create a Radio Button control group?'] });
      assert.deepStrictEqual([await page.evaluate(() => SelectedObj.id), await value(page, 'PropertyName')], [second, second]);
      await typeInto(page, 'PropertyName', 'Small', { answer: ['Yes', 'Create a Radio Button control group?'] });
      assert.deepStrictEqual(await page.$$eval(`${F1} [controlid][controltype="O"]`, (os) => os.map((o) => [o.id, o.getAttribute('ControlArray')])),
        [['Small', 'true'], ['Small', 'true']]);

      // On another form a label may take a button's name.
      await newForm(page, 'Form2');
      await settle(page);
      await pick(page, '#x_T1_x');
      await typeInto(page, 'PropertyName', 'Send');
      assert.strictEqual(await page.locator('#Form2 #TForm #Send').getAttribute('controltype'), 'L');
      await formMenu(page, 'Remove');
      await answer(page, 'OK', 'Remove selected Form: Form2 from the Project?');
      await answer(page, 'OK', 'Shop.rwp Saved.');
      await settle(page);
    });

    await t.test('password, transparent, data source, a title not carried', async () => {
      await pick(page, `${F1} #Customer`);
      await clickField(page, 'PropertyPassword');
      assert.deepStrictEqual([await value(page, 'PropertyCaption'), await field(page, 'PropertyCaption').isDisabled(),
        await page.getAttribute(`${F1} #Customer`, 'value')], ['****', true, '****']);
      await clickField(page, 'PropertyPassword');
      assert.deepStrictEqual([await value(page, 'PropertyCaption'), await field(page, 'PropertyCaption').isDisabled()], ['text', false]);
      await typeInto(page, 'PropertyDataSrc', 'Customers');
      assert.deepStrictEqual([await value(page, 'PropertyDataSrc'), await page.getAttribute(`${F1} #Customer`, 'DB_DataSrc')],
        ['#Customers', '#Customers']);
      await typeInto(page, 'PropertyTitle', 'The customer');

      await pick(page, `${F1} #Greeting`);
      assert.strictEqual(await value(page, 'PropertyTitle'), '', 'a label carrying no title shows none, not the text box\'s');
      await choose(page, 'PropertyBackColor', { index: 217 });
      assert.deepStrictEqual([await page.$eval(`${F1} #Greeting`, (e) => e.style.backgroundColor), await value(page, 'PropertyBackColorValue')],
        ['transparent', '#transparent']);
    });

    await t.test('a grid grows from 9 to 10 columns and never below 2; a column\'s text and width', async () => {
      await pick(page, `${F1} [id="Grid_Header_Orders"]`);
      await typeInto(page, 'PropertyColCount', '9');
      await typeInto(page, 'PropertyColCount', '10');
      const cells = () => page.$$eval(`${F1} #Orders tr`, (rows) => rows.map((r) => r.cells.length));
      assert.deepStrictEqual([await cells(), await field(page, 'PropertyHeaderCols').locator('option').count()], [[10, 10, 10, 10, 10], 10]);
      await typeInto(page, 'PropertyColCount', '1', { answer: ['OK', 'A Grid must have at least 2 columns.'] });
      assert.deepStrictEqual([await value(page, 'PropertyColCount'), (await cells())[0]], ['10', 10]);
      await choose(page, 'PropertyHeaderCols', { index: 2 });
      assert.deepStrictEqual([await value(page, 'PropertyColText'), await value(page, 'PropertyColWidth')], ['H3', '100']);
      await typeInto(page, 'PropertyColText', 'Price');
      await typeInto(page, 'PropertyColWidth', '60');
      assert.deepStrictEqual(await page.$eval(`${F1} [id="Grid_Header_Orders"] tr`, (r) => [r.cells[2].textContent, r.cells[2].getAttribute('width')]),
        ['Price', '60']);
      await page.locator('#x_MainProp_x').screenshot({ path: screenshotPath('properties_grid') });
    });

    await t.test('list items added, edited to empty, moved and removed', async () => {
      await pick(page, `${F1} #Fruit li >> nth=0`);
      const items = () => page.$$eval(`${F1} #Fruit li`, (lis) => lis.map((li) => li.textContent));
      const buttons = field(page, 'PropertyUnOrderedList').locator('xpath=ancestor::td[1]');
      await buttons.getByRole('button', { name: 'Add' }).click();
      await page.locator('dialog[open] input').fill('Apples & pears');
      await page.keyboard.press('Enter');
      await settle(page);
      await buttons.getByRole('button', { name: 'Add' }).click();
      await page.keyboard.press('Escape');
      await settle(page);
      assert.deepStrictEqual(await items(), ['Item 1', 'Item 2', 'Item 3', 'Apples & pears']);
      await buttons.getByRole('button', { name: 'Edit' }).click();
      for (const key of ['Control+a', 'Delete', 'Enter']) await page.keyboard.press(key);
      await settle(page);
      assert.deepStrictEqual(await items(), ['Item 1', 'Item 2', 'Item 3', 'Apples & pears'], 'an empty text leaves it as it was');
      await buttons.locator('button[title="Move selected list item up one."]').click();
      await settle(page);
      assert.deepStrictEqual(await items(), ['Item 1', 'Item 2', 'Apples & pears', 'Item 3']);
      await field(page, 'PropertyUnOrderedList').selectOption({ index: 0 });
      await buttons.getByRole('button', { name: 'Remove' }).click();
      await answer(page, 'Yes', 'Remove list item: Item 1');
      await settle(page);
      assert.deepStrictEqual(await items(), ['Item 2', 'Apples & pears', 'Item 3']);
      await page.keyboard.press('Control+z');
      await settle(page);
      assert.deepStrictEqual(await items(), ['Item 1', 'Item 2', 'Apples & pears', 'Item 3'], 'undo puts the item back');
    });

    await t.test('a tab control\'s pages keep their own controls; tabs 3 to 5 to 2 with the question; a tab\'s name and caption', async () => {
      const strip = (n) => pick(page, `${F1} [id="TabTable_Pages"] td:nth-child(${n})`);
      const onPage = () => page.$$eval(`${F1} #TABContent_Pages [controlid]`, (es) => es.map((e) => e.id));
      await strip(2);
      await pick(page, '#x_T1_x');
      const label = await page.evaluate(() => SelectedObj.id);
      for (const [n, ids] of [[1, []], [2, [label]], [1, []]]) {
        await strip(n);
        assert.deepStrictEqual(await onPage(), ids, 'tab ' + n);
      }
      assert.strictEqual(await page.evaluate(() => SelectedObj.id), 'Pages', 'a click on the strip selects the tab control');
      const tabs = () => page.$$eval(`${F1} [id="TabTable_Pages"] td`, (cs) => cs.map((c) => c.id));
      await typeInto(page, 'PropertyTabCount', '5');
      assert.deepStrictEqual(await tabs(), ['Tab0', 'Tab1', 'Tab2', 'Tab3', 'Tab4']);
      const removing = 'Removing Tabs will delete all code and controls associated with the removed Tabs.';
      await typeInto(page, 'PropertyTabCount', '2', { answer: ['Cancel', removing] });
      assert.deepStrictEqual([(await tabs()).length, await value(page, 'PropertyTabCount')], [5, '5']);
      await typeInto(page, 'PropertyTabCount', '2', { answer: ['OK', removing] });
      assert.deepStrictEqual([await tabs(), await page.getAttribute(`${F1} #Pages`, 'PreviousTab')], [['Tab0', 'Tab1'], '1']);
      await typeInto(page, 'PropertyTabCount', '0', { answer: ['OK', 'Must have at least one Tab.'] });
      await typeInto(page, 'PropertyTabCaption', 'Second <page>');
      await typeInto(page, 'PropertyTabName', 'Pages', { answer: ['OK', 'Tab Name already exists.'] });
      await typeInto(page, 'PropertyTabName', 'Tab0', { answer: ['OK', 'The Name: Tab0 already exists.'] });
      await typeInto(page, 'PropertyTabName', 'Extras');
      assert.deepStrictEqual(await page.$eval(`${F1} [id="TabTable_Pages"] td:last-child`, (c) => [c.id, c.textContent.trim()]),
        ['Extras', 'Second <page>']);
    });

    await t.test('calendar rows on and off (on twice keeps one), its click function and date format', async () => {
      await pick(page, `${F1} #Dates td[title="Sunday"] >> nth=1`);
      const rows = () => page.$$eval(`${F1} #Dates tr`, (rs) => rs.slice(0, 3).map((r) => r.cells[0].id));
      await clickField(page, 'PropertyHeaderOnOff', 1);
      assert.deepStrictEqual(await rows(), ['DisplayDate_Dates', '', '']);
      await clickField(page, 'PropertyHeaderOnOff', 0);
      await clickField(page, 'PropertyHeaderOnOff', 0);
      assert.deepStrictEqual(await rows(), ['Header_Dates', 'DisplayDate_Dates', '']);
      await clickField(page, 'PropertyDateOnOff', 1);
      assert.deepStrictEqual(await rows(), ['Header_Dates', '', '']);
      await clickField(page, 'PropertyDateOnOff', 0);
      await typeInto(page, 'PropertyHeaderCaption', 'Pick a day');
      await typeInto(page, 'PropertyDevClickFunc', 'Show(3');
      assert.strictEqual(await page.getAttribute(`${F1} #Dates`, 'C_onclick'), "=Cal_Clicked('Dates',event,'Show(3,pCallD,pE)')");
      await choose(page, 'PropertyDateFormat', { index: 3 });
      const today = new Date();
      assert.deepStrictEqual(await page.$eval(`${F1} #DisplayDate_Dates`, (c) => [c.getAttribute('FormatStyle'), c.textContent]),
        ['mm/dd/yyyy', `${today.getMonth() + 1}/${today.getDate()}/${today.getFullYear()}`]);
      await clickField(page, 'PropertyUseAbrrev');
      assert.strictEqual(await page.$eval(`${F1} #Dates #Month`, (m) => m.options[1].text), 'Jan');
      await choose(page, 'PropertyStartYear', { label: '2010' });
      assert.deepStrictEqual(await page.$eval(`${F1} #Dates`, (c) => [c.getAttribute('StartYearIndex'), c.querySelector('#Year').value]),
        ['10', '2010']);
      await page.locator('#x_MainProp_x').screenshot({ path: screenshotPath('properties_calendar') });
    });

    await t.test('several selected controls change together, in one undo step; typed places keep inside the form', async () => {
      await page.click(`${F1} #Greeting`);
      await page.click(`${F1} #Help`, { modifiers: ['Shift'] });
      await pick(page, `${F1} #Send`, { modifiers: ['Shift'] });
      await choose(page, 'PropertyFontColor', { index: 145 });
      const colors = () => Promise.all(['Greeting', 'Help', 'Send'].map((n) => page.$eval(`${F1} #${n}`, (e) => e.style.color)));
      assert.deepStrictEqual(await colors(), ['rgb(204, 0, 0)', 'rgb(204, 0, 0)', 'rgb(204, 0, 0)']);
      await page.keyboard.press('Control+z');
      await settle(page);
      assert.deepStrictEqual(await colors(), ['black', 'rgb(0, 0, 255)', 'black']);

      await clickEmptyBody(page);
      await pick(page, `${F1} #Send`);
      await typeInto(page, 'PropertyLeft', '5000');
      await typeInto(page, 'PropertyControlWidth', '9000');
      const box = await page.$eval(`${F1} #Send`, (e) => [e.offsetLeft + e.offsetWidth, e.parentElement.clientWidth]);
      assert.ok(box[0] <= box[1], 'inside the form: ' + box);
      await page.keyboard.press('Control+z');
      await page.keyboard.press('Control+z');
      await settle(page);
      assert.deepStrictEqual([await value(page, 'PropertyLeft'), await page.$eval(`${F1} #Send`, (e) => e.style.left)], ['260', '260px']);
    });

    await markStartForm(page);
    await buildProject(page);
    assert.deepStrictEqual(errors, []);
  });

  // How each setting is written into the built page: site_form_test.cpp.
  await visitSite(folder, async (page) => {
    assert.deepStrictEqual(await page.$eval('#Greeting', (e) => [e.textContent.trim(), getComputedStyle(e).backgroundColor]),
      ['Hello', 'rgba(0, 0, 0, 0)']);
    assert.deepStrictEqual(await page.$eval('#Customer', (e) => [e.value, e.title, getComputedStyle(e).backgroundColor]),
      ['text', 'The customer', BLUE]);
    await page.screenshot({ path: screenshotPath('properties_built') });
  });
});

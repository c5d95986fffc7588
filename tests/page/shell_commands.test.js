'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadDesigner } = require('./helpers/designer');

const SHELL = ['shell/variables.js', 'shell/helpers.js', 'shell/commands.js'];

test('every command routine sends its text to the host as written', async () => {
  const { page, sent } = loadDesigner(SHELL);
  page.SetStartValues();
  const cases = [
    [() => page.NewProject(), 'NewProject'],
    [() => page.ExistingProject(), 'LoadProject'],
    [() => page.LoadForm(), 'LoadForm'],
    [() => page.CreateNewFormFile(), 'CreateNewForm'],
    [() => page.SaveForm(), 'SaveForm'],
    [() => page.SaveExistingProject(false), 'SaveExistingProjectFalse'],
    [() => page.SaveExistingProject(true), 'SaveExistingProjectTrue'],
    [() => page.DeleteProject(), 'DeleteProject'],
    [() => page.UpdateProjectFile('Main', 'Form2', false), 'UpdateProjectFile.asp&Main&Form2&False'],
    [() => page.UpdateProjectFile('', 'Form2', true), 'UpdateProjectFile.asp&&Form2&True'],
    [() => page.SaveNewProjectName(), 'SaveNewwProjectName'],
    [() => page.SaveStyleSheet(), 'SaveStyleSheet'],
    [() => page.DeleteStyleSheet(), 'DeleteStyleSheet'],
    [() => page.LoadStyleData(), 'LoadStyleData'],
    [() => page.BuildProject(), 'BuildProject&1'],
    [() => page.PreviewProject(), 'BuildProject&0'],
    [() => page.ShowPropertyWin(), 'ShowPropertyWin'],
  ];
  for (const [run, text] of cases) {
    sent.length = 0;
    await run();
    assert.deepStrictEqual(sent, [text]);
  }
});

test('LoadForm closes the open menu only after the host has loaded the form', async () => {
  const order = [];
  const { page } = loadDesigner(SHELL, { onCommand: (t) => { order.push(t); } });
  page.SetStartValues();
  page.bMenuShown = true;
  page.sMenuType = 'Form';
  page.ShowMenu = (type, key) => order.push(`ShowMenu ${type} ${key}`);
  await page.LoadForm();
  assert.deepStrictEqual(order, ['LoadForm', 'ShowMenu Form 1']);
});

// Opens the designer page of a running zolt in a Playwright page and waits
// until the host has connected (it then sets the window title).
'use strict';
const assert = require('node:assert');
const path = require('node:path');
const { withPage, tempDir } = require('./browser');
const { startZolt } = require('./zolt');

async function openDesigner(page, zolt) {
  await page.goto(zolt.url);
  await page.waitForFunction(() => document.title.startsWith('Velkora'), null, { timeout: 10000 });
}

// The box showing: the open <dialog>'s text and buttons.
async function openBox(page) {
  const box = page.locator('dialog[open]').last();
  await box.waitFor();
  return box;
}

// Presses a button of the newest box that has it, after checking its text
// when given (a text to equal, or a pattern to match); resolves once that box
// is gone, even when another box opens at once or the answer reloads the
// page. The box is marked before anything else, so a box opening meanwhile
// (or the file chooser that stays open under a question) is never mistaken
// for it.
async function answer(page, button, expectedText) {
  const name = { name: button, exact: true };
  const handle = await page.locator('dialog[open]').filter({ has: page.getByRole('button', name) }).last()
    .elementHandle();
  await handle.evaluate((b) => b.setAttribute('data-answered', ''));
  const box = page.locator('dialog[data-answered]');
  if (expectedText instanceof RegExp) {
    assert.match(await box.locator('.zolt-msgbox-text').innerText(), expectedText);
  } else if (expectedText !== undefined) {
    assert.strictEqual(await box.locator('.zolt-msgbox-text').innerText(), expectedText);
  }
  await box.getByRole('button', name).click();
  await page.waitForFunction(() => !document.querySelector('dialog[data-answered]'));
}

// Waits until project `name` is open with `forms` forms listed and the
// Loading window gone.
async function waitForProject(page, name, forms) {
  await page.waitForFunction(([n, f]) => document.getElementById('ProjectName').innerText.includes(n)
    && document.querySelectorAll('#x_FormsList_x option').length === f && !document.getElementById('frmLoading'),
  [name, forms]);
}

// Opens a toolbar menu and clicks one of its items.
async function menuItem(page, toolbarImage, menuId, label) {
  await page.locator('#' + toolbarImage).click();
  await page.locator('#' + menuId + ' td', { hasText: new RegExp('^\\s*' + label + '$') }).first().click();
}

// Creates a project through the start screen's New Project button; Form1 shows.
async function createProject(page, name) {
  await page.locator('#NewProject').click();
  await page.locator('dialog#frmDialog[open]').waitFor();
  await page.locator('#txtFileName').fill(name);
  await page.locator('#btnAll').click();
  await page.locator('#frmDialog').waitFor({ state: 'detached' });
  await page.locator('#Form1').waitFor();
}

// Opens the designer and creates a project in it; the page's script errors
// are collected in the list returned.
async function startNewProject(page, zolt, name) {
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await openDesigner(page, zolt);
  await createProject(page, name);
  return errors;
}

// Starts zolt in a fresh folder and runs fn(page, errors, folder) once its
// designer has made project `name` there: `errors` collects the page's script
// errors, `folder` is the project's folder (also what this resolves with).
// zolt stops when test `t` ends.
async function withNewProject(t, prefix, fn, name = 'Shop') {
  const dir = tempDir(prefix);
  const zolt = await startZolt({ cwd: dir });
  t.after(() => zolt.stop());
  const folder = path.join(dir, name);
  await withPage(async (page) => fn(page, await startNewProject(page, zolt, name), folder));
  return folder;
}

module.exports = { openDesigner, openBox, answer, waitForProject, menuItem, createProject, startNewProject, withNewProject };

// Opens the designer of a running zolt; the host sets the title once connected.
'use strict';
const assert = require('node:assert');
const fs = require('node:fs');
const http = require('node:http');
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

// Presses `button` on the newest box that has it, after checking its text when given (a text or a pattern);
// resolves once that box is gone, even when another opens at once or the answer reloads the page. The box is
// marked first, so a box opening meanwhile (or the chooser left open under a question) is never taken for it.
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

// Waits until project `name` is open with `forms` forms and no Loading window.
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
const projectMenu = (page, label) => menuItem(page, 'x_W2_x', 'ProjectMenu', label);
const formMenu = (page, label) => menuItem(page, 'x_W1_x', 'FormMenu', label);

async function saveProject(page, name = 'Shop') {
  await projectMenu(page, 'Save');
  await answer(page, 'OK', name + '.rwp Saved.');
}

// Form > New; resolves once the form `id` is on the surface.
async function newForm(page, id) {
  await formMenu(page, 'New');
  await page.locator('#' + id).waitFor();
}

// Marks the form the start form from the forms list's context menu.
async function markStartForm(page, form = 'Form1') {
  await page.locator('#x_FormsList_x option', { hasText: form }).click({ button: 'right' });
  await answer(page, 'Yes', `Mark Form: ${form} as the start form?`);
}

async function buildProject(page, name = 'Shop') {
  await projectMenu(page, 'Build Project');
  await answer(page, 'OK', `Project: ${name}.rwp was built.`);
}

// Clicks a tool of the toolbox and waits for the control `selector` it makes.
async function drawControl(page, tool, selector) {
  await page.locator('#' + tool).click();
  await page.locator(selector).waitFor();
}

// Types a name into the open file chooser and presses its button.
async function nameInChooser(page, name) {
  await page.locator('dialog#frmDialog[open]').waitFor();
  await page.locator('#txtFileName').fill(name);
  await page.locator('#btnAll').click();
}

// Presses the mouse at `from`, moves it by dx, dy in steps and releases it;
// `during` runs while the button is still down.
async function drag(page, from, dx, dy, { steps = 8, during } = {}) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  for (let k = 1; k <= steps; k++) await page.mouse.move(from.x + dx * k / steps, from.y + dy * k / steps);
  if (during) await during();
  await page.mouse.up();
}

// Creates a project through the start screen's New Project button; Form1 shows.
async function createProject(page, name) {
  await page.locator('#NewProject').click();
  await nameInChooser(page, name);
  await page.locator('#frmDialog').waitFor({ state: 'detached' });
  await page.locator('#Form1').waitFor();
}

// Opens the designer and creates a project; resolves with the page's script errors.
async function startNewProject(page, zolt, name) {
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await openDesigner(page, zolt);
  await createProject(page, name);
  return errors;
}

// Runs fn(page, errors, folder) on a new project made by a zolt started in a fresh
// folder (`prepare(dir)` fills it first); resolves with the project's folder.
async function withNewProject(t, prefix, fn, { name = 'Shop', prepare } = {}) {
  const dir = tempDir(prefix);
  if (prepare) prepare(dir);
  const zolt = await startZolt({ cwd: dir });
  t.after(() => zolt.stop());
  const folder = path.join(dir, name);
  try {
    await withPage(async (page) => fn(page, await startNewProject(page, zolt, name), folder));
  } finally {
    await zolt.stop();
  }
  return folder;
}

// Runs fn(page) on a saved project once zolt has opened its `forms` forms.
async function withProject(projectFile, forms, fn) {
  const zolt = await startZolt({ cwd: path.dirname(path.dirname(projectFile)), args: [projectFile] });
  try {
    return await withPage(async (page) => {
      await openDesigner(page, zolt);
      await waitForProject(page, path.basename(projectFile), forms);
      return fn(page);
    });
  } finally {
    await zolt.stop();
  }
}

// Serves one folder's files, nothing outside it, on 127.0.0.1.
const TYPES = { '.htm': 'text/html; charset=windows-1252', '.js': 'text/javascript; charset=windows-1252', '.jpg': 'image/jpeg' };

function serveFolder(root) {
  const base = path.resolve(root);
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    const file = path.resolve(base, '.' + decodeURIComponent(url.pathname));
    if (!file.startsWith(base + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404);
      res.end('not found');
      return;
    }
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({
      origin: 'http://127.0.0.1:' + server.address().port,
      close: () => new Promise((done) => server.close(done)),
    }));
  });
}

// Serves the project's Build folder and runs fn(page) on its default.htm.
async function visitSite(folder, fn) {
  const site = await serveFolder(path.join(folder, 'Build'));
  try {
    return await withPage(async (page) => {
      await page.goto(site.origin + '/default.htm');
      return fn(page);
    });
  } finally {
    await site.close();
  }
}

const readText = (folder, file) => fs.readFileSync(path.join(folder, file), 'latin1');

module.exports = {
  openDesigner, openBox, answer, waitForProject, menuItem, projectMenu, formMenu, saveProject, newForm, markStartForm,
  buildProject, drawControl, drag, nameInChooser, createProject, startNewProject, withNewProject, withProject, visitSite,
  serveFolder, readText,
};

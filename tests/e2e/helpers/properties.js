// Working the property window's fields as a user does.
'use strict';
const { answer, menuItem } = require('./designer');

const idle = (page) => page.waitForFunction(() => ZoltBridge.busy === 0);

// The field of the table shown; for an On/Off group its "On" (0) or "Off" (1).
function field(page, name, choice) {
  const sel = `#x_ChildProp_x table:visible [name="${name}"]` + (choice === undefined ? '' : `[value="${choice}"]`);
  return page.locator(sel).first();
}

async function openPropertyWindow(page) {
  await menuItem(page, 'x_W3_x', 'ViewMenu', 'Property');
  await page.locator('#x_MainProp_x').waitFor();
  await idle(page);
  // The menu stays open until a click reaches the page.
  await page.mouse.click(1200, 880);
}

// Types the field's whole value and presses Enter; `answer` is passed to answer() for
// the box the change shows. Resolves once the change is applied.
async function typeInto(page, name, text, { answer: reply } = {}) {
  const f = field(page, name);
  await f.click();
  await page.keyboard.press('Control+a');
  if (text === '') await page.keyboard.press('Delete');
  else await page.keyboard.type(String(text));
  await page.keyboard.press('Enter');
  if (reply) await answer(page, ...reply);
  await settle(page);
}

// Waits until no command is with the host and no change is being applied
// (a box still open counts as a change being applied).
async function settle(page) {
  await idle(page);
  await page.waitForFunction(() => !OpenSurfaceStep || document.querySelector('dialog[open]'));
}

// Chooses an option ({ index }, { label } or a value) of a list field it focuses.
async function choose(page, name, option) {
  // A colour list offers its colours once the user reaches for it.
  await field(page, name).focus();
  await field(page, name).selectOption(option);
  await settle(page);
}

async function clickField(page, name, choice) {
  await field(page, name, choice).click();
  await settle(page);
}

// Clicks a control or a tool and waits until the window has followed.
async function pick(page, selector, options) {
  await page.click(selector, options);
  await settle(page);
}

const value = (page, name) => field(page, name).inputValue();

module.exports = { field, openPropertyWindow, typeInto, choose, clickField, pick, value, settle, idle };

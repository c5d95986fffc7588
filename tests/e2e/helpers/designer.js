// Opens the designer page of a running zolt in a Playwright page and waits
// until the host has connected (it then sets the window title).
'use strict';

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

module.exports = { openDesigner, openBox };

'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { withPage } = require('./helpers/browser');

test('headless Chromium starts and renders a page in quirks mode', async () => {
  await withPage(async (page) => {
    await page.setContent('<html><body><div id=a style="position:absolute;left:100;width:50">x</div></body></html>');
    const mode = await page.evaluate(() => document.compatMode);
    assert.strictEqual(mode, 'BackCompat');
    const left = await page.evaluate(() => document.getElementById('a').getBoundingClientRect().left);
    assert.strictEqual(left, 100);
  });
});

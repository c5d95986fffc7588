// Built sites are tried in Debian's Chromium (playwright-core) and Firefox ESR
// (puppeteer-core over WebDriver BiDi); here are the operations the drivers name apart.
'use strict';
const puppeteer = require('puppeteer-core');
const { launchBrowser } = require('./browser');

const FIREFOX = process.env.ZOLT_FIREFOX || '/usr/bin/firefox-esr';
const VIEWPORT = { width: 1280, height: 900 };
const ENGINES = ['chromium', 'firefox'];

// {name, newPage(), close()} for 'chromium' or 'firefox'.
async function launchEngine(name) {
  if (name === 'chromium') {
    const browser = await launchBrowser();
    return { name, newPage: () => browser.newPage({ viewport: VIEWPORT }), close: () => browser.close() };
  }
  const browser = await puppeteer.launch({
    browser: 'firefox', protocol: 'webDriverBiDi', executablePath: FIREFOX, headless: true,
    extraPrefsFirefox: { 'app.update.enabled': false, 'browser.shell.checkDefaultBrowser': false },
  });
  return {
    name,
    newPage: async () => {
      const page = await browser.newPage();
      await page.setViewport(VIEWPORT);
      return page;
    },
    close: () => browser.close(),
  };
}

// Chooses the option with `value` in a list, as a user would.
function choose(page, selector, value) {
  return page.selectOption ? page.selectOption(selector, value) : page.select(selector, value);
}

// A mouse click in the element's middle: Puppeteer's own finds no point in a quirks mode page.
async function clickOn(page, selector) {
  const at = await page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  });
  await page.mouse.click(at.x, at.y);
}

// Clicks with the mouse on the element under `scope` whose text is `text`.
async function clickText(page, scope, text) {
  const at = await page.$eval(scope, (root, t) => {
    const hit = Array.from(root.querySelectorAll('*')).find((e) => e.children.length === 0 && e.textContent.trim() === t);
    if (!hit) return null;
    const r = hit.getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }, text);
  if (!at) throw new Error(`no "${text}" under ${scope}`);
  await page.mouse.click(at.x, at.y);
}

module.exports = { ENGINES, VIEWPORT, launchEngine, choose, clickOn, clickText };

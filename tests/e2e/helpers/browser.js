// Debian's Chromium, headless through playwright-core: never a downloaded browser.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { chromium } = require('playwright-core');

const CHROMIUM = process.env.ZOLT_CHROMIUM || '/usr/bin/chromium';
const ARGS = [
  '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run',
];

const launchBrowser = () => chromium.launch({ executablePath: CHROMIUM, headless: true, args: ARGS });

// Runs fn(page) in a fresh browser and closes it whatever happens.
async function withPage(fn, { viewport = { width: 1280, height: 900 } } = {}) {
  const browser = await launchBrowser();
  try {
    const page = await browser.newPage({ viewport });
    return await fn(page, browser);
  } finally {
    await browser.close();
  }
}

// Screenshots go to tests/e2e/screenshots/ (not committed; CI keeps them).
function screenshotPath(name) {
  const dir = path.join(__dirname, '..', 'screenshots');
  fs.mkdirSync(dir, { recursive: true });
  return path.join(dir, name.endsWith('.png') ? name : name + '.png');
}

function tempDir(prefix = 'zolt-') {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

module.exports = { launchBrowser, withPage, screenshotPath, tempDir, CHROMIUM, ARGS };

// A project of `forms` forms of `controls` controls (every kind, the
// designer's own markup), opened with `zolt PROJECT.rwp` in Chromium without
// automation instrumentation, as the browser benchmarks measure it. Resolves
// once every form is listed, Loading is gone and the page is idle.
'use strict';
const { tempDir } = require('../../tests/e2e/helpers/browser');
const { startZolt } = require('../../tests/e2e/helpers/zolt');
const { writeLargeProject } = require('../../tests/e2e/helpers/sampleProject');
const { launchPlainBrowser } = require('./plainBrowser');

async function openLargeProject(forms, controls) {
  const project = writeLargeProject(tempDir('zolt-bench-'), forms, controls);
  const zolt = await startZolt({ args: [project] });
  const browser = await launchPlainBrowser();
  const close = async () => {
    await browser.close();
    await zolt.stop();
  };
  try {
    await browser.navigate(zolt.url);
    await browser.waitFor(`document.querySelectorAll('#x_FormsList_x option').length === ${forms} &&
      !document.getElementById('frmLoading') && window.ZoltBridge && ZoltBridge.busy === 0 && !!SelectedFormObj`);
  } catch (e) {
    await close();
    throw e;
  }
  return { zolt, browser, close };
}

module.exports = { openLargeProject };

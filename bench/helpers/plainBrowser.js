// Debian's Chromium, headless, driven over its DevTools pipe with nothing
// but Runtime.evaluate: no network or page instrumentation is switched on,
// so the designer runs in it as it runs for a user. (Playwright reports every
// WebSocket frame to its client, which slows a page that talks to the host a
// lot; the benchmarks that time the page bridge use this instead.)
'use strict';
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { CHROMIUM, ARGS } = require('../../tests/e2e/helpers/browser');

async function launchPlainBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zolt-bench-profile-'));
  const proc = spawn(CHROMIUM, [...ARGS, '--headless', '--remote-debugging-pipe',
    '--user-data-dir=' + profile, '--window-size=1280,900', 'about:blank'],
  { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
  const toBrowser = proc.stdio[3];
  const fromBrowser = proc.stdio[4];
  let nextId = 1;
  const waiting = new Map();
  let pending = '';
  fromBrowser.on('data', (chunk) => {
    pending += chunk.toString('utf8');
    for (let end; (end = pending.indexOf('\0')) >= 0;) {
      const message = JSON.parse(pending.slice(0, end));
      pending = pending.slice(end + 1);
      const w = waiting.get(message.id);
      if (!w) continue;
      waiting.delete(message.id);
      if (message.error) w.reject(new Error(message.error.message));
      else w.resolve(message.result);
    }
  });
  const send = (method, params = {}, sessionId) => new Promise((resolve, reject) => {
    const id = nextId++;
    waiting.set(id, { resolve, reject });
    toBrowser.write(JSON.stringify({ id, method, params, ...(sessionId ? { sessionId } : {}) }) + '\0');
  });

  const { targetInfos } = await send('Target.getTargets');
  const target = targetInfos.find((t) => t.type === 'page');
  const { sessionId } = await send('Target.attachToTarget', { targetId: target.targetId, flatten: true });
  // Scripts for new documents need the page domain (frame events only).
  await send('Page.enable', {}, sessionId);

  // The value of an expression in the page (a Promise is awaited).
  const evaluate = async (expression) => {
    const r = await send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true }, sessionId);
    if (r.exceptionDetails) throw new Error(r.exceptionDetails.exception?.description || r.exceptionDetails.text);
    return r.result.value;
  };

  return {
    // Runs `source` in every document the page loads, before its scripts.
    addInitScript: (source) => send('Page.addScriptToEvaluateOnNewDocument', { source }, sessionId),
    navigate: (url) => send('Page.navigate', { url }, sessionId),
    // Any DevTools command on the page (Input.dispatchMouseEvent, ...).
    command: (method, params) => send(method, params, sessionId),
    evaluate,
    // Evaluates `expression` every `every` ms until it gives a true value.
    waitFor: async (expression, { timeout = 60000, every = 20 } = {}) => {
      const end = Date.now() + timeout;
      for (;;) {
        const value = await evaluate(expression);
        if (value) return value;
        if (Date.now() > end) throw new Error('timed out waiting for ' + expression);
        await new Promise((r) => setTimeout(r, every));
      }
    },
    close: async () => {
      const ended = new Promise((done) => proc.once('exit', done));
      send('Browser.close').catch(() => {});
      const timer = setTimeout(() => proc.kill('SIGKILL'), 3000);
      await ended;
      clearTimeout(timer);
      fs.rmSync(profile, { recursive: true, force: true, maxRetries: 3 });
    },
  };
}

module.exports = { launchPlainBrowser };

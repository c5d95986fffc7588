'use strict';
// What the server refuses: requests without the token, WebSockets from other
// origins, paths leaving the served folder, a second designer page.
const test = require('node:test');
const assert = require('node:assert');
const http = require('node:http');
const net = require('node:net');
const { withPage } = require('./helpers/browser');
const { startZolt } = require('./helpers/zolt');
const { openDesigner } = require('./helpers/designer');

// Sends a raw request line as given (no normalisation of the path).
function rawGet(port, target, headers = {}) {
  return new Promise((resolve, reject) => {
    const socket = net.connect(port, '127.0.0.1');
    let data = '';
    socket.on('connect', () => {
      const lines = [`GET ${target} HTTP/1.1`, `Host: 127.0.0.1:${port}`];
      if (!headers.Connection) lines.push('Connection: close');
      for (const [k, v] of Object.entries(headers)) lines.push(`${k}: ${v}`);
      socket.write(lines.join('\r\n') + '\r\n\r\n');
    });
    // The status line is enough (an accepted WebSocket stays open).
    socket.on('data', (d) => {
      data += d;
      const m = /^HTTP\/1\.1 (\d+)/.exec(data);
      if (m) { socket.destroy(); resolve(Number(m[1])); }
    });
    socket.on('end', () => resolve(0));
    socket.on('error', reject);
  });
}

test('requests need the token, the WebSocket the page origin, paths stay inside the folder, one designer page', async () => {
  let zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    const t = 'token=' + zolt.token;
    const wrongCookie = { Cookie: 'zolt_token_' + zolt.port + '=nope' };
    // With the cookie: what the page loads, but not the rest of the application folder.
    const cookie = { Cookie: 'zolt_token_' + zolt.port + '=' + zolt.token };
    const requests = [
      ['/', {}, 403], ['/?token=wrong', {}, 403], ['/app/zolt', {}, 403], ['/?' + t, {}, 200], ['/?' + t, wrongCookie, 200],
      ['/app/ColorChart.js', cookie, 200], ['/app/zolt', cookie, 404], ['/etc/passwd?' + t, {}, 404],
      ...['/app/../zolt', '/app/%2e%2e/zolt', '/app/%2E%2e/%2E%2E/etc/passwd', '/app/Images%2f..%2f..%2fzolt',
        '/app/..%5c..%5czolt', '/app/Images\\..\\zolt', '/app/./zolt', '/app//zolt', '/app/%zz'].map((bad) => [bad + '?' + t, {}, 403]),
    ];
    for (const [target, headers, status] of requests) {
      assert.strictEqual(await rawGet(zolt.port, target, headers), status, target + ' ' + JSON.stringify(headers));
    }
    // Another site's name for 127.0.0.1 gets nothing, token or not.
    assert.strictEqual(await new Promise((resolve) => {
      http.get({ host: '127.0.0.1', port: zolt.port, path: '/?' + t, headers: { Host: 'evil.example:' + zolt.port } },
        (res) => { res.resume(); resolve(res.statusCode); });
    }), 403);
    const upgrades = [['/ws?' + t, zolt.origin, 101], ['/ws?' + t, 'http://evil.example', 403],
      ['/ws?' + t, 'http://127.0.0.1:1', 403], ['/ws', zolt.origin, 403]];
    for (const [target, origin, status] of upgrades) {
      const upgrade = { Upgrade: 'websocket', Connection: 'Upgrade', 'Sec-WebSocket-Version': '13',
        'Sec-WebSocket-Key': 'dGhlIHNhbXBsZSBub25jZQ==', Origin: origin };
      assert.strictEqual(await rawGet(zolt.port, target, upgrade), status, target + ' ' + origin);
    }

    // A second designer page is told so while the first keeps working. A
    // fresh zolt: the accepted raw WebSocket above was taken for the page.
    await zolt.stop();
    zolt = await startZolt({ args: ['--test-hooks'] });
    await withPage(async (first, browser) => {
      await openDesigner(first, zolt);
      const other = await browser.newPage();
      await other.goto(zolt.url);
      await other.locator('#zoltRefused').waitFor({ timeout: 10000 });
      assert.match(await other.locator('#zoltRefused').innerText(), /already open in another window/);
      assert.strictEqual(await first.evaluate(() => sendCommand('ZoltTestHook&noop')), true);
    });
  } finally {
    await zolt.stop();
  }
});

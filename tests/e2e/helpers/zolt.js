// Starts out/app/zolt --no-browser and reads the designer's address; every zolt
// started is killed when the test process ends.
'use strict';
const { spawn } = require('node:child_process');
const path = require('node:path');

const ZOLT = process.env.ZOLT_EXE || path.join(__dirname, '..', '..', '..', 'out', 'app', 'zolt');
const running = new Set();

function killAll() {
  for (const proc of running) {
    try { proc.kill('SIGKILL'); } catch (e) { /* already gone */ }
  }
  running.clear();
}
process.on('exit', killAll);
for (const signal of ['SIGINT', 'SIGTERM']) {
  process.on(signal, () => { killAll(); process.exit(130); });
}

// startZolt({args, cwd}) -> {url, port, token, origin, proc, exited, stop()}
// `args` come after --no-browser (add '--test-hooks' for the test command).
function startZolt({ args = [], cwd = process.cwd() } = {}) {
  return new Promise((resolve, reject) => {
    const proc = spawn(ZOLT, ['--no-browser', ...args], { cwd, stdio: ['ignore', 'pipe', 'pipe'] });
    running.add(proc);
    let stdout = '';
    let stderr = '';
    let settled = false;
    const exited = new Promise((done) => {
      proc.on('exit', (code, signal) => { running.delete(proc); done({ code, signal }); });
    });
    const stop = async () => {
      if (proc.exitCode === null && proc.signalCode === null) {
        proc.kill('SIGTERM');
        const timer = setTimeout(() => proc.kill('SIGKILL'), 2000);
        await exited;
        clearTimeout(timer);
      }
    };
    const fail = (error) => {
      if (settled) return;
      settled = true;
      clearTimeout(timer);
      stop().then(() => reject(error));
    };
    const timer = setTimeout(() => fail(new Error('zolt printed no address in time: ' + stdout + stderr)), 10000);
    proc.on('error', fail);
    proc.on('exit', (code) => fail(new Error('zolt ended early (' + code + '): ' + stdout + stderr)));
    proc.stderr.on('data', (d) => { stderr += d; });
    proc.stdout.on('data', (d) => {
      stdout += d;
      const m = /ZOLT designer: (http:\/\/127\.0\.0\.1:(\d+)\/\?token=([0-9a-f]+))/.exec(stdout);
      if (m && !settled) {
        settled = true;
        clearTimeout(timer);
        resolve({
          url: m[1], port: Number(m[2]), token: m[3], origin: 'http://127.0.0.1:' + m[2],
          proc, exited, stop,
        });
      }
    });
  });
}

module.exports = { startZolt, ZOLT };

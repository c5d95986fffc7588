// Benchmark of the bridge between the designer page and the host: the real
// zolt (with --test-hooks) and the real page in headless Chromium.
//   host -> page: one operation (getVariable) and its answer, timed by the host
//   page -> host: one command (sendCommand of a command that does nothing),
//                 timed by the page
//   1,000 operations inside one command, timed by the page
// Run: node bench/bridge_bench.js [calls]   (after building: out/app/zolt)
'use strict';
const { withPage } = require('../tests/e2e/helpers/browser');
const { startZolt } = require('../tests/e2e/helpers/zolt');
const { openDesigner } = require('../tests/e2e/helpers/designer');

const N = Number(process.argv[2]) || 10000;

function stats(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * q))];
  return { median: at(0.5), p99: at(0.99), mean: values.reduce((a, b) => a + b, 0) / values.length };
}

const ms = (us) => (us / 1000).toFixed(3) + ' ms';

(async () => {
  const zolt = await startZolt({ args: ['--test-hooks'] });
  try {
    await withPage(async (page) => {
      await openDesigner(page, zolt);
      await page.evaluate(() => { window.zoltBenchValue = 'x'; });

      // Warm up both ways.
      await page.evaluate(() => sendCommand('ZoltTestHook&bench&500'));
      await page.evaluate(async () => { for (let i = 0; i < 500; i++) await sendCommand('ZoltTestHook&noop'); });

      const op = await page.evaluate(async (n) => {
        await sendCommand('ZoltTestHook&bench&' + n);
        return { median: zoltBenchMedian, p99: zoltBenchP99 };
      }, N);
      console.log(`host -> page operation round trip (${N} calls): median ${ms(op.median)}, p99 ${ms(op.p99)}`);

      const cmd = await page.evaluate(async (n) => {
        const times = [];
        const start = performance.now();
        for (let i = 0; i < n; i++) {
          const t0 = performance.now();
          await sendCommand('ZoltTestHook&noop');
          times.push((performance.now() - t0) * 1000);
        }
        return { times, totalUs: (performance.now() - start) * 1000 };
      }, N);
      const c = stats(cmd.times);
      console.log(`page -> host command round trip (${N} calls): median ${ms(c.median)}, p99 ${ms(c.p99)}, ` +
        `mean ${ms(cmd.totalUs / N)}`);

      const runs = await page.evaluate(async () => {
        const times = [];
        for (let i = 0; i < 20; i++) {
          const t0 = performance.now();
          await sendCommand('ZoltTestHook&ops&1000');
          times.push((performance.now() - t0) * 1000);
        }
        return times;
      });
      const r = stats(runs);
      console.log(`1,000 operations inside one command (20 runs): median ${ms(r.median)}, p99 ${ms(r.p99)}`);
    });
  } finally {
    await zolt.stop();
  }
})();

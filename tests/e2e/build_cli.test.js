// `zolt build` on the command line: its progress, its refusals, and builds killed midway.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { spawn, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { tempDir } = require('./helpers/browser');
const { ZOLT } = require('./helpers/zolt');
const { writeSampleProject, writeLargeProject } = require('./helpers/sampleProject');

const build = (...args) => spawnSync(ZOLT, ['build', ...args], { encoding: 'utf8' });

test('zolt build counts the forms on its error output; --quiet leaves them out', () => {
  const project = writeSampleProject(tempDir('zolt-cli-'));
  const loud = build(project);
  assert.strictEqual(loud.status, 0, loud.stderr);
  assert.strictEqual(loud.stderr, 'form 1/2: Form1\nform 2/2: Form2\n');
  assert.match(loud.stdout, /^Project: Sample\.rwp was built\.\nWrote /);
  const quiet = build('--quiet', project);
  assert.deepStrictEqual([quiet.status, quiet.stderr], [0, '']);
});

// What stays of the project and of the previous site: site_text_test.cpp.
test('a missing or damaged form file fails the build with exit 2, naming the form', () => {
  const project = writeSampleProject(tempDir('zolt-cli-'));
  const form2 = path.join(path.dirname(project), 'Form2.rwf');
  for (const [what, damage, cause] of [
    ['missing', () => fs.rmSync(form2), 'is missing'],
    ['damaged', () => fs.writeFileSync(form2, 'nonsense'), 'is damaged'],
  ]) {
    damage();
    const run = build('-q', project);
    assert.strictEqual(run.status, 2, what + ': ' + run.stderr);
    assert.match(run.stderr, new RegExp(`The form Form2 cannot be built: its file .*Form2\\.rwf ${cause}\\.`), what);
    assert.ok(!fs.existsSync(path.join(path.dirname(project), 'Build', 'default.htm')), what);
  }
});

test('a build killed at any moment leaves a whole site, old or new', async () => {
  const project = writeLargeProject(tempDir('zolt-cli-'), 50, 40, {
    title: 'Round 0', bodyCode: [['F_Round', 'function Round(){return 0;}']],
  });
  const folder = path.dirname(project);
  const buildFolder = path.join(folder, 'Build');
  assert.strictEqual(build('-q', project).status, 0);
  const timed = Date.now();
  assert.strictEqual(build('-q', project).status, 0);
  const took = Date.now() - timed;

  // Each round changes the title and the script and kills its build somewhere in its run.
  let finished = 0;
  for (let round = 1; round <= 12; round++) {
    const text = fs.readFileSync(project, 'latin1').replace(/Round \d+/, 'Round ' + round)
      .replace(/return \d+;/, `return ${round};`);
    fs.writeFileSync(project, text, 'latin1');
    // Every other round aims at the writing, which follows the last form.
    const child = spawn(ZOLT, ['build', project], { stdio: ['ignore', 'ignore', 'pipe'] });
    const ended = new Promise((done) => child.on('exit', (code) => done(code)));
    const kill = () => child.kill('SIGKILL');
    if (round % 2) {
      setTimeout(kill, Math.random() * took * 1.2);
    } else {
      child.stderr.on('data', (d) => { if (String(d).includes('form 50/50')) setTimeout(kill, Math.random() * 30); });
    }
    child.stderr.resume();
    if (await ended === 0) finished++;

    const page = fs.readFileSync(path.join(buildFolder, 'default.htm'), 'latin1');
    const script = fs.readFileSync(path.join(buildFolder, 'Big.js'), 'latin1');
    assert.ok(page.endsWith('</BODY>\r\n</HTML>\r\n') && script.endsWith('\r\n\r\n\r\n'), `round ${round}: whole`);
    const pageRound = /<TITLE>Round (\d+)<\/TITLE>/.exec(page)[1];
    assert.strictEqual(/return (\d+);/.exec(script)[1], pageRound, `round ${round}: page and script of one build`);
    for (const file of ['ZOLTJSStatic.js', 'Images/closebutton.jpg', 'Images/StartImage.jpg']) {
      assert.ok(fs.existsSync(path.join(buildFolder, file)), `round ${round}: ${file}`);
    }
  }
  assert.ok(finished < 12, 'some builds were killed before their end');
  // The next build clears what the killed ones left beside Build.
  assert.strictEqual(build('-q', project).status, 0);
  assert.deepStrictEqual(fs.readdirSync(folder).filter((e) => e.startsWith('Build')), ['Build']);
});

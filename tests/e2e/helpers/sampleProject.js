// Projects made of the designer's own markup (designer/model): the sample (every
// kind of control, with code), twin forms, large ones. `node sampleProject.js DIR` writes the sample.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const ROOT = path.join(__dirname, '..', '..', '..');

function modelContext() {
  const ctx = { window: {}, document: {} };
  ctx.globalThis = ctx;
  vm.createContext(ctx);
  for (const f of ['calendar.js', 'elements.js']) {
    vm.runInContext(fs.readFileSync(path.join(ROOT, 'designer', 'model', f), 'utf8'), ctx);
  }
  vm.runInContext("AppPath='/app'; ImagePath='/app/Images/closebutton.jpg';", ctx);
  return ctx;
}

// Control `code` number i of form n, with its final ID, at (left, top), with
// extra attributes placed first (the first of two equal attributes counts).
function makeControl(ctx, code, i, n, { left, top, attrs = '', name } = {}) {
  const type = vm.runInContext(`ControlTypes['${code}']`, ctx);
  let m = vm.runInContext(`ControlTypes['${code}'].markup(${i}, ${n})`, ctx);
  m = m.replace('ID=' + type.temp, 'ID=' + (name || type.prefix + i));
  if (name) m = m.replace(/ Name=[A-Za-z]+\d+/, ' Name=' + name);
  if (left !== undefined) m = m.replace(/left: ?50/, 'left:' + left).replace(/top: ?50/, 'top:' + top);
  const firstSpace = m.indexOf(' ');
  return m.slice(0, firstSpace) + attrs + m.slice(firstSpace);
}

function makeForm(ctx, n, zIndex, controls, { left, top, caption, attrs = '' } = {}) {
  let m = vm.runInContext(`FormMarkup(${n}, ${zIndex})`, ctx).replace('ID=xG_xEx_Nx', 'ID=Form' + n);
  if (left !== undefined) m = m.replace('left:100; top:50;', `left:${left}; top:${top};`);
  if (caption) m = m.replace('Caption=Form' + n, `Caption="${caption}"`).replace(`>Form${n}</B>`, `>${caption}</B>`);
  m = m.replace('<DIV ID=Form' + n, '<DIV ID=Form' + n + attrs);
  return m.replace('</Div></DIV>', controls + '</Div></DIV>');
}

// A tab control of form n whose first page shows `one` and whose pages hold `one` and `two`.
function makeTab(ctx, n, at, one, two) {
  return makeControl(ctx, 'TAB', 1, n, at).replace(/(ID=TABContent_tab1[^>]*>)/, '$1' + one)
    .replace('ID=Tab0 Name=Tab0 Caption=tab0 Contents=""', 'ID=Tab0 Name=Tab0 Caption=tab0 Contents=' + attr(one))
    .replace('ID=Tab1 Name=Tab1 Caption=tab1 Contents=""', 'ID=Tab1 Name=Tab1 Caption=tab1 Contents=' + attr(two));
}

function attr(value) {
  return '"' + String(value).replace(/&/g, '&amp;').replace(/"/g, '&quot;') + '"';
}

function sampleForms() {
  const ctx = modelContext();
  // Form 1: the start form; its buttons show, centre and set cookies: [number, left, caption, click handler].
  const buttons = [[1, 10, 'Show', "=ShowForm('Form2',50,60,false,'');"], [2, 90, 'Center', "=CenterForm('Form2')"],
    [3, 170, 'Cookie', "=SetCookie('aname','one',0);SetCookie('name','two',0);" +
      "document.getElementById('lbl1').innerHTML=GetCookie('name')"]];
  const tabLabel = makeControl(ctx, 'L', 2, 1, { left: 10, top: 10, attrs: ' Contained=true' }).replace('>label2<', '>First page<');
  const tabText = makeControl(ctx, 'T', 2, 1, { left: 10, top: 10, attrs: ' Contained=true' });
  const calendar = makeControl(ctx, 'CAL', 1, 1, {
    left: 240, top: 150,
    attrs: ' Dev_Click_Func=DayPicked F_DayPicked=' + attr('function DayPicked(pCallD,pE){\r\n\twindow.GPicked=pCallD+":"+pE.target.innerHTML;\r\n}'),
  });
  const form1 = makeForm(ctx, 1, 2, [
    makeControl(ctx, 'L', 1, 1, { left: 10, top: 10 }).replace('>label1<', '>  Welcome "home"<'),
    makeControl(ctx, 'T', 1, 1, { left: 10, top: 40 }).replace('value=Text1', 'value="It\'s &quot;here&quot;"'),
    ...buttons.map(([i, left, caption, click]) => makeControl(ctx, 'B', i, 1, {
      left, top: 80, attrs: ` HasSomeCode=true C_onclick=${attr(click)}`,
    }).replace(`>Button${i}<`, `>${caption}<`)),
    makeTab(ctx, 1, { left: 20, top: 150 }, tabLabel, tabText), calendar,
  ].join(''), { caption: 'Orders', attrs: ' F_Greet=' + attr('function Greet(){\r\n\treturn "hello";\r\n}') });

  // Form 2: the other kinds, hidden until shown: [kind, left, top, attributes]; the frame holds a label.
  const others = [['CK', 10, 10, ' Checked=true'], ['O', 90, 10], ['LB', 10, 40, ' Multiple_Selected=true'], ['CB', 90, 40],
    ['TBL', 170, 40], ['TXTA', 10, 90], ['FRA', 10, 170], ['IM', 200, 170],
    ['LNK', 200, 290, ' href=https://example.invalid/ Target=_blank'], ['UL', 300, 290], ['L', 10, 300]];
  const inFrame = makeControl(ctx, 'L', 2, 2, { left: 10, top: 20, attrs: ' Contained=true' });
  const form2 = makeForm(ctx, 2, 1, others.map(([kind, left, top, attrs]) => {
    const m = makeControl(ctx, kind, 1, 2, { left, top, attrs });
    return kind === 'FRA' ? m.replace('</SPAN></DIV>', '</SPAN>' + inFrame + '</DIV>') : m;
  }).join(''), { left: 520, top: 80, caption: ' Details' });
  return { Form1: form1, Form2: form2 };
}

// Two forms repeating each other's IDs (txt1, btn1 first by Tab Index, tab1, Cal1);
// Form1's button shows Form2.
function twinForms() {
  const ctx = modelContext();
  const forms = {};
  for (const n of [1, 2]) {
    const page = (k, text) => makeControl(ctx, 'L', 10 + k, n, { left: 10, top: 10, attrs: ' Contained=true' })
      .replace(`>label${10 + k}<`, `>${text}<`);
    const tab = makeTab(ctx, n, { left: 10, top: 250 }, page(1, `Form${n} page one`), page(2, `Form${n} page two`));
    const show = n === 1 ? ` HasSomeCode=true C_onclick=${attr("=ShowForm('Form2',440,60,false,'');")}` : '';
    forms['Form' + n] = makeForm(ctx, n, n, [
      makeControl(ctx, 'T', 1, n, { left: 10, top: 10, attrs: ' TabIndex=2' }),
      makeControl(ctx, 'B', 1, n, { left: 10, top: 50, attrs: ' TabIndex=1' + show }),
      tab,
      makeControl(ctx, 'CAL', 1, n, { left: 180, top: 10, attrs: ' Dev_Click_Func=DayPicked' }),
    ].join(''), { left: n === 1 ? 20 : 440, top: n === 1 ? 20 : 60, caption: n === 1 ? 'Orders' : 'Caf\u00e9' });
  }
  return forms;
}

// The twin forms' page code: a picked day is noted with its form and shown.
const TWIN_CODE = [['F_DayPicked', 'function DayPicked(pCallD,pE){\r\n' +
  '\tvar sForm=pE.target.closest("[ParentFormID]").id;\r\n' +
  '\twindow.GPicked=(window.GPicked||"")+sForm+":"+pCallD+":"+pE.target.innerHTML+" ";\r\n' +
  '\tSetCalDate(pCallD,"3/"+pE.target.innerHTML+"/2008");\r\n}']];

// Writes FOLDER/NAME as a saved project and returns its file; `bodyCode`: [name, text] pairs.
function writeProject(folder, { name, forms, startForm = 'Form1', title = '', bodyCode = [] }) {
  const dir = path.join(folder, name);
  for (const sub of ['Build/Images', 'Images', 'Temp']) fs.mkdirSync(path.join(dir, sub), { recursive: true });
  fs.copyFileSync(path.join(ROOT, 'installed', 'Images', 'closebutton.jpg'), path.join(dir, 'Images', 'closebutton.jpg'));
  fs.copyFileSync(path.join(ROOT, 'installed', 'Temp', 'ZOLTJSStatic.js'), path.join(dir, 'ZOLTJSStatic.js'));
  for (const [form, markup] of Object.entries(forms)) {
    fs.writeFileSync(path.join(dir, form + '.rwf'), 'V1.01\r\n#' + markup + '#', 'latin1');
  }
  const lines = [
    '\u00abV1.01\u00bb', '\u00ab' + name + ' project\u00bb', '\u00abProject\u00bb',
    '!BodyColor=ffffee!', '!BCIndex=215!', `!PageTitle=${title}!`, '!ImageLocation=!',
    `!LastActiveForm=${startForm}!`, `!ProjectStartForm=${startForm}!`, '!StyleSheet=none!', '\u00abBody Code\u00bb',
    ...bodyCode.map(([n, code]) => `\u00a7${n}=${code}\u00a7`), '\u00abForms\u00bb',
    ...Object.keys(forms).map((f) => `#${f}/True#`), '\u00abPositions\u00bb',
  ];
  const project = path.join(dir, name + '.rwp');
  fs.writeFileSync(project, lines.join('\r\n') + '\r\n', 'latin1');
  return project;
}

// Writes FOLDER/Sample: the sample project.
function writeSampleProject(folder) {
  return writeProject(folder, {
    name: 'Sample', forms: sampleForms(), title: 'Sample "shop"',
    bodyCode: [['F_Util', 'function Util(){\r\n\treturn 1;\r\n}']],
  });
}

// A large project in FOLDER/Big: `forms` forms of `controls` controls each, every kind of control in turn.
function writeLargeProject(folder, forms, controls, settings = {}) {
  const ctx = modelContext();
  const kinds = ['L', 'T', 'B', 'CK', 'O', 'CB', 'LB', 'IM', 'TBL', 'TXTA', 'FRA', 'TAB', 'CAL', 'LNK', 'UL'];
  const made = {};
  for (let n = 1; n <= forms; n++) {
    let body = '';
    for (let i = 0; i < controls; i++) {
      body += makeControl(ctx, kinds[i % kinds.length], 100 + i, n, { left: 5 * (i % 20), top: 9 * i });
    }
    made['Form' + n] = makeForm(ctx, n, n, body);
  }
  return writeProject(folder, { name: 'Big', forms: made, ...settings });
}

if (require.main === module) {
  console.log(writeSampleProject(process.argv[2] || '.'));
}

module.exports = {
  writeProject, writeSampleProject, writeLargeProject, twinForms, TWIN_CODE, modelContext, makeControl, makeForm,
};

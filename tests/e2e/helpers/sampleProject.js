// Writes the sample project: two forms made of the designer's own control
// markup (designer/model), with code on buttons and a calendar, a tab control
// with two pages, and every other kind of control. Used by the build's
// end-to-end tests; `node tests/e2e/helpers/sampleProject.js FOLDER` writes it
// into FOLDER/Sample.
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

function attr(value) {
  return '"' + String(value).replace(/&/g, '&amp;').replace(/"/g, '&quot;') + '"';
}

function sampleForms() {
  const ctx = modelContext();
  const code = (event, handler) => ` HasSomeCode=true C_${event}=${attr(handler)}`;
  // Form 1: the start form.
  const tabLabel = makeControl(ctx, 'L', 2, 1, { left: 10, top: 10, attrs: ' Contained=true' }).replace('>label2<', '>First page<');
  const tabText = makeControl(ctx, 'T', 2, 1, { left: 10, top: 10, attrs: ' Contained=true' });
  let tab = makeControl(ctx, 'TAB', 1, 1, { left: 20, top: 150 });
  tab = tab.replace(/(ID=TABContent_tab1[^>]*>)/, '$1' + tabLabel)
    .replace('ID=Tab0 Name=Tab0 Caption=tab0 Contents=""', 'ID=Tab0 Name=Tab0 Caption=tab0 Contents=' + attr(tabLabel))
    .replace('ID=Tab1 Name=Tab1 Caption=tab1 Contents=""', 'ID=Tab1 Name=Tab1 Caption=tab1 Contents=' + attr(tabText));
  const calendar = makeControl(ctx, 'CAL', 1, 1, {
    left: 240, top: 150,
    attrs: ' Dev_Click_Func=DayPicked F_DayPicked=' + attr('function DayPicked(pCallD,pE){\r\n\twindow.GPicked=pCallD+":"+pE.target.innerHTML;\r\n}'),
  });
  const form1 = makeForm(ctx, 1, 2, [
    makeControl(ctx, 'L', 1, 1, { left: 10, top: 10 }).replace('>label1<', '>  Welcome "home"<'),
    makeControl(ctx, 'T', 1, 1, { left: 10, top: 40 }).replace('value=Text1', 'value="It\'s &quot;here&quot;"'),
    makeControl(ctx, 'B', 1, 1, { left: 10, top: 80, attrs: code('onclick', "=ShowForm('Form2',50,60,false,'');") }).replace('>Button1<', '>Show<'),
    makeControl(ctx, 'B', 2, 1, { left: 90, top: 80, attrs: code('onclick', "=CenterForm('Form2')") }).replace('>Button2<', '>Center<'),
    makeControl(ctx, 'B', 3, 1, {
      left: 170, top: 80,
      attrs: code('onclick', '=SetCookie(\'aname\',\'one\',0);SetCookie(\'name\',\'two\',0);document.getElementById(\'lbl1\').innerHTML=GetCookie(\'name\')'),
    }).replace('>Button3<', '>Cookie<'),
    tab, calendar,
  ].join(''), { caption: 'Orders', attrs: ' F_Greet=' + attr('function Greet(){\r\n\treturn "hello";\r\n}') });

  // Form 2: the other kinds, hidden until shown.
  let frame = makeControl(ctx, 'FRA', 1, 2, { left: 10, top: 170 });
  frame = frame.replace('</SPAN></DIV>', '</SPAN>' + makeControl(ctx, 'L', 2, 2, { left: 10, top: 20, attrs: ' Contained=true' }) + '</DIV>');
  const form2 = makeForm(ctx, 2, 1, [
    makeControl(ctx, 'CK', 1, 2, { left: 10, top: 10, attrs: ' Checked=true' }),
    makeControl(ctx, 'O', 1, 2, { left: 90, top: 10 }),
    makeControl(ctx, 'LB', 1, 2, { left: 10, top: 40, attrs: ' Multiple_Selected=true' }),
    makeControl(ctx, 'CB', 1, 2, { left: 90, top: 40 }),
    makeControl(ctx, 'TBL', 1, 2, { left: 170, top: 40 }),
    makeControl(ctx, 'TXTA', 1, 2, { left: 10, top: 90 }),
    frame,
    makeControl(ctx, 'IM', 1, 2, { left: 200, top: 170 }),
    makeControl(ctx, 'LNK', 1, 2, { left: 200, top: 290, attrs: ' href=https://example.invalid/ Target=_blank' }),
    makeControl(ctx, 'UL', 1, 2, { left: 300, top: 290 }),
    makeControl(ctx, 'L', 1, 2, { left: 10, top: 300 }),
  ].join(''), { left: 520, top: 80, caption: ' Details' });
  return { Form1: form1, Form2: form2 };
}

// A large project: `forms` forms of `controls` controls each, every kind of
// control in turn; [name, markup] pairs.
function makeProjectForms(forms, controls) {
  const ctx = modelContext();
  const kinds = ['L', 'T', 'B', 'CK', 'O', 'CB', 'LB', 'IM', 'TBL', 'TXTA', 'FRA', 'TAB', 'CAL', 'LNK', 'UL'];
  const out = [];
  for (let n = 1; n <= forms; n++) {
    let body = '';
    for (let i = 0; i < controls; i++) {
      body += makeControl(ctx, kinds[i % kinds.length], 100 + i, n, { left: 5 * (i % 20), top: 9 * i });
    }
    out.push(['Form' + n, makeForm(ctx, n, n, body)]);
  }
  return out;
}

function latin1(text) {
  return Buffer.from(text, 'latin1');
}

// Writes FOLDER/NAME as a saved project: project file (its settings lines
// before the forms list), the form files of `forms` ([name, markup] pairs),
// the close picture and the static library; returns the project file's path.
function writeProject(folder, name, notice, settings, forms) {
  const dir = path.join(folder, name);
  for (const sub of ['Build/Images', 'Images', 'Temp']) fs.mkdirSync(path.join(dir, sub), { recursive: true });
  fs.copyFileSync(path.join(ROOT, 'installed', 'Images', 'closebutton.jpg'), path.join(dir, 'Images', 'closebutton.jpg'));
  fs.copyFileSync(path.join(ROOT, 'installed', 'Temp', 'ZOLTJSStatic.js'), path.join(dir, 'ZOLTJSStatic.js'));
  for (const [form, markup] of forms) {
    fs.writeFileSync(path.join(dir, form + '.rwf'), latin1('V1.01\r\n#' + markup + '#'));
  }
  const lines = ['\u00abV1.01\u00bb', '\u00ab' + notice + '\u00bb', '\u00abProject\u00bb', ...settings,
    '\u00abForms\u00bb', ...forms.map(([form]) => '#' + form + '/True#'), '\u00abPositions\u00bb'];
  const project = path.join(dir, name + '.rwp');
  fs.writeFileSync(project, latin1(lines.join('\r\n') + '\r\n'));
  return project;
}

// The sample project, in FOLDER/Sample.
function writeSampleProject(folder) {
  return writeProject(folder, 'Sample', 'Sample project', [
    '!BodyColor=ffffee!', '!BCIndex=215!', '!PageTitle=Sample "shop"!', '!ImageLocation=!',
    '!LastActiveForm=Form1!', '!ProjectStartForm=Form1!', '!StyleSheet=none!',
    '\u00abBody Code\u00bb',
    '\u00a7F_Util=function Util(){\r\n\treturn 1;\r\n}\u00a7',
  ], Object.entries(sampleForms()));
}

// A large project in FOLDER/Big: `forms` forms of `controls` controls.
function writeLargeProject(folder, forms, controls) {
  return writeProject(folder, 'Big', 'Big project', ['!LastActiveForm=Form1!', '!ProjectStartForm=Form1!'],
    makeProjectForms(forms, controls));
}

if (require.main === module) {
  console.log(writeSampleProject(process.argv[2] || '.'));
}

module.exports = { writeSampleProject, writeLargeProject, sampleForms, makeProjectForms };

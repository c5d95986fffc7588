// A page holding the designer's element model scripts with small stand-ins
// for the page shell (start values of the page variables, the forms list,
// message boxes and host commands, which it records), for driving the model
// in Chromium on its own.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { MODEL_FILES } = require('../../page/helpers/model');

const MODEL_DIR = path.join(__dirname, '..', '..', '..', 'designer', 'model');
const APP = 'http://zolt.test/app';

const SHELL = `
var GVersion='V1.01', AppPath='${APP}', ImagePath='${APP}/Images/closebutton.jpg', aPath='${APP}';
var NewFormCount=0, arrNewFormOrder=[undefined,11,11,11,11,11,11,11,11,11,11], arrControlDelete=['',''], zIndexCounter=0;
var SelectedObj='', SelectedFormObj='', SelectedFormID='', SelectedControlID='', SelectedPreviousTab='';
var objNewControl='', objFormatMenuCntrlRng='', GbPaste=false, bProjectInfoChanged=false;
var bPropertyWindowOpen=false, bPropertyWindowCreated=false, bStyleWindowOpen=false, bMenuShown='', sMenuType='';
var sUseStyleForNewlyCreatedForms='', GProjectStartForm='';
var vbOKOnly=0, vbOKCancel=1, vbYesNo=4, vbCritical=16, vbQuestion=32, vbExclamation=48, vbInformation=64;
var vbOK=1, vbCancel=2, vbYes=6, vbNo=7;
var __messages=[], __answers=[], __commands=[], __errors=[];
async function MsgBox(text, flags, title) { __messages.push({text:text, flags:flags, title:title}); return __answers.length ? __answers.shift() : 1; }
async function sendCommand(text) { __commands.push(text); }
window.addEventListener('error', function (e) { __errors.push(String(e.message)); });
window.addEventListener('unhandledrejection', function (e) { __errors.push(String(e.reason && e.reason.stack || e.reason)); });
`;

function modelPageHtml() {
  const scripts = MODEL_FILES.map((f) => '<script>\n' + fs.readFileSync(path.join(MODEL_DIR, f), 'utf8') + '\n</script>').join('\n');
  return '<html><head><title>ZOLT</title><script>' + SHELL + '</script>' +
    '<style>.Col1{text-align:center;border-bottom:2px solid black}.Col{text-align:center;border-bottom:2px solid black;border-left:2px solid black}</style>' +
    '</head><body id=Body style="margin:0;background:white;font-family:arial">' +
    '<select id=x_FormsList_x size=5 style="position:absolute;left:640px;top:20px;width:180px" ' +
    'onmouseup="if(event.button==2&&this.selectedIndex>=0)UpdateWhichFormHasTheFocus(this.value)" ' +
    'ondblclick="if(this.selectedIndex>=0)UpdateWhichFormHasTheFocus(this.value)"></select>' +
    scripts + '</body></html>';
}

// A picture for every URL under the application folder (close picture, image control).
const PICTURE = '<svg xmlns="http://www.w3.org/2000/svg" width="60" height="45"><rect width="60" height="45" fill="#8ab"/>' +
  '<circle cx="18" cy="14" r="7" fill="#fd6"/><path d="M0 45 L22 22 L38 36 L48 28 L60 40 L60 45Z" fill="#475"/></svg>';
const CLOSE = '<svg xmlns="http://www.w3.org/2000/svg" width="14" height="14"><rect width="14" height="14" fill="#c33"/>' +
  '<path d="M3 3 L11 11 M11 3 L3 11" stroke="white" stroke-width="2"/></svg>';

async function openModelPage(page) {
  await page.route(APP + '/**', (route) => route.fulfill({
    contentType: 'image/svg+xml', body: /closebutton/.test(route.request().url()) ? CLOSE : PICTURE,
  }));
  await page.setContent(modelPageHtml());
}

module.exports = { openModelPage, modelPageHtml };

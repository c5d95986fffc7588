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

// The application folder's pictures, served from installed/Images (names
// compared without case, as on the system the pictures come from).
const IMAGES = path.join(__dirname, '..', '..', '..', 'installed', 'Images');

async function openModelPage(page) {
  const files = fs.existsSync(IMAGES) ? fs.readdirSync(IMAGES) : [];
  await page.route(APP + '/**', (route) => {
    const wanted = decodeURIComponent(new URL(route.request().url()).pathname.split('/').pop()).toLowerCase();
    const file = files.find((f) => f.toLowerCase() === wanted);
    if (!file) return route.fulfill({ status: 404, body: '' });
    return route.fulfill({ contentType: 'image/jpeg', body: fs.readFileSync(path.join(IMAGES, file)) });
  });
  await page.setContent(modelPageHtml());
}

module.exports = { openModelPage, modelPageHtml };

// The element model of the design surface: the markup of a new form and of
// each of the fifteen control types, with every attribute in its order and its
// default. A control's markup carries its temporary ID on the outer element;
// the creators (create.js) find it by that ID and give it its final one.
// Markup has no white space between tags: the build takes a check box's input
// and a tab control's content area as the element's first child node.

// One attribute as markup: a bare name when the value is null or undefined,
// name=value when the value needs no quotes, else name="value".
function ModelAttr(pName, pValue) {
  if (pValue === null || pValue === undefined) return ' ' + pName;
  var s = String(pValue);
  if (/^[A-Za-z0-9_#.\-]+$/.test(s)) return ' ' + pName + '=' + s;
  return ' ' + pName + '="' + s.replace(/&/g, '&amp;').replace(/"/g, '&quot;') + '"';
}

// A list of [name, value] pairs (value left out for a bare attribute).
function ModelAttrs(pList) {
  var out = '';
  for (var k = 0; k < pList.length; k++) out += ModelAttr(pList[k][0], pList[k][1]);
  return out;
}

function ModelEscapeText(pText) {
  return String(pText).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}

// Code, temporary ID, final ID prefix, name prefix, per-form counter and the
// creator of each control type. `late` marks the types that are selected
// before they get their final ID.
var ControlTypes = {
  L:    { temp: 'xL_xBx_Lx',  prefix: 'lbl',   name: 'lbl',   counter: 'GLblCount',     creator: 'NewLabel' },
  T:    { temp: 'xT_xXx_Tx',  prefix: 'txt',   name: 'txt',   counter: 'GTxtCount',     creator: 'NewTextBox' },
  B:    { temp: 'xB_xTx_Nx',  prefix: 'btn',   name: 'btn',   counter: 'GBtnCount',     creator: 'NewButton' },
  CK:   { temp: 'xD_xCHx_Kx', prefix: 'chk',   name: 'chk',   counter: 'GChkCount',     creator: 'NewCheckBox' },
  O:    { temp: 'xD_xOPx_Tx', prefix: 'opt',   name: 'opt',   counter: 'GOptCount',     creator: 'NewOption' },
  CB:   { temp: 'xC_xBx_Ox',  prefix: 'cbo',   name: 'cbo',   counter: 'GCboCount',     creator: 'NewCombo' },
  LB:   { temp: 'xL_xSx_Tx',  prefix: 'lst',   name: 'lst',   counter: 'GLstCount',     creator: 'NewListBox' },
  IM:   { temp: 'xI_xMx_Gx',  prefix: 'img',   name: 'img',   counter: 'GImgCount',     creator: 'NewImage', late: true },
  TBL:  { temp: 'xT_xBx_Lx',  prefix: 'Table', name: 'Table', counter: 'GTblCount',     creator: 'NewTable', late: true },
  TXTA: { temp: 'xT_xXTx_Ax', prefix: 'txtA',  name: 'txtA',  counter: 'GTxtAreaCount', creator: 'NewTextArea', late: true },
  FRA:  { temp: 'xF_xRx_Ax',  prefix: 'fra',   name: 'Frame', counter: 'GFraCount',     creator: 'NewFrame', late: true },
  TAB:  { temp: 'xT_xAx_Bx',  prefix: 'tab',   name: 'Tab',   counter: 'GTabCount',     creator: 'NewTab' },
  CAL:  { temp: 'xC_xAx_Lx',  prefix: 'Cal',   name: 'Cal',   counter: 'GCalCount',     creator: 'NewCalendar', late: true },
  LNK:  { temp: 'xL_xNx_Kx',  prefix: 'lnk',   name: 'lnk',   counter: 'GLnkCount',     creator: 'NewLink' },
  UL:   { temp: 'xU_xOx_Lx',  prefix: 'uol',   name: 'uol',   counter: 'GUlCount',      creator: 'NewUnOrderedList' },
};

var FormTempID = 'xG_xEx_Nx';

// The attributes every control carries first: identity, form number, code
// and the type's upgrade marker.
function ControlCommonAttrs(pCode, i, n, pHasCode) {
  var t = ControlTypes[pCode];
  return [['ID', t.temp], ['Name', t.name + i], ['ControlType', pCode], ['ControlID', i],
    ['ParentFormID', n], ['F_Declarations'], ['x_Upda_' + pCode + '_tes_x'],
    ['HasSomeCode', pHasCode ? 'true' : 'false'], ['Recorded', 'false'], ['Contained', 'false']];
}

// The designer handlers most controls carry; `extra` adds the type's own.
function DesignerHandlers(pOptions) {
  var o = pOptions || {};
  var list = [['oncontrolselect', 'UpdateWhichControlHasTheFocus(this)'], ['onbeforeeditfocus', 'return false']];
  if (!o.noContextMenu) list.push(['oncontextmenu', 'CancelRightClick()']);
  list.push(['onmove', 'CheckPosition(this)'], ['onResize', 'ControlWidthHeight(this)'],
    ['onResizeStart', 'CheckFormLock()'], ['onMoveStart', 'CheckFormLock()']);
  if (!o.noDblClick) list.push(['ondblclick', 'ShowCodeWindow()']);
  return list.concat(o.extra || []);
}

function ControlElement(pTag, pAttrs, pInner, pNoClose) {
  return '<' + pTag + ModelAttrs(pAttrs) + '>' + (pNoClose ? '' : (pInner || '') + '</' + pTag + '>');
}

function LabelMarkup(i, n) {
  var a = ControlCommonAttrs('L', i, n).concat([
    ['BackColorIndex', 217], ['DB_DataSrc'], ['DB_DataFld'], ['FontSize', 12], ['FontStyleUnderline', 'false'],
    ['FontColorIndex', 0], ['FontTypeIndex', 0], ['FontStyleBold', 'false'], ['FontStyleItalic', 'false'],
    ['BackColor', '#transparent'], ['BackColorRGBValue', '#transparent'], ['FontColorRGBValue', '#000000'],
    ['CursorStyleIndex', 0], ['CursorStyle', 'default'], ['Caption', 'label' + i],
    ['style', 'position: absolute; font-family:arial; font-size:12;color:black; width=39;height=18; top: 50; left: 50; z-index=5'],
  ], DesignerHandlers());
  return ControlElement('DIV', a, 'label' + i);
}

function TextBoxMarkup(i, n) {
  var a = ControlCommonAttrs('T', i, n).concat([
    ['type', 'text'], ['Disable', 'false'], ['DB_DataSrc'], ['DB_DataFld'], ['BackColorIndex', 216], ['FontSize', 12],
    ['FontColorIndex', 0], ['FontTypeIndex', 0], ['BackColor', '#FFFFFF'], ['BackColorRGBValue', '#FFFFFF'],
    ['FontColorRGBValue', '#000000'], ['MaxLength', 250], ['Size', 30], ['PassWord', 'false'],
    ['Caption', 'Text' + i], ['value', 'Text' + i],
    ['style', 'position: absolute; top: 50; width:100;height:22;color:black; font-family:arial; font-size:12; left: 50; z-index=5'],
  ], DesignerHandlers({ extra: [['onkeydown', 'return false']] }));
  return ControlElement('INPUT', a, '', true);
}

function ButtonMarkup(i, n) {
  var a = ControlCommonAttrs('B', i, n).concat([
    ['BackColorIndex', 3], ['DB_DataSrc'], ['DB_DataFld'], ['FontStyleUnderline', 'false'], ['FontSize', 12],
    ['FontColorIndex', 0], ['FontTypeIndex', 0], ['FontStyleBold', 'false'], ['FontStyleItalic', 'false'],
    ['BackColor', '#D5CCBB'], ['BackColorRGBValue', '#D5CCBB'], ['FontColorRGBValue', '#000000'],
    ['BackGroundImageSrc', ''], ['backgroundimageAlignVertical', 'Top'], ['backgroundimageAlignHorizontal', 'Center'],
    ['BackGroundImageAlignHorizontalIndex', 0], ['BackGroundImageAlignVerticalIndex', 0],
    ['BackGroundImageTileOnOff', 1], ['Caption', 'Button' + i], ['value', 'Button' + i],
    ['style', 'position: absolute; top: 50; font-family:arial;color:black; font-size:12; width:67;height:24; left: 50; z-index=5'],
  ], DesignerHandlers({ extra: [['onkeydown', 'return false']] }));
  return ControlElement('BUTTON', a, 'Button' + i);
}

// Check box and option button: a DIV holding the input and the caption.
// `pAfterChecked` holds what the type writes between Checked and Value.
function ChoiceMarkup(pCode, i, n, pTypeAttrs, pAfterChecked) {
  var t = ControlTypes[pCode];
  var caption = (pCode === 'CK' ? 'Chk' : 'Opt') + i;
  var a = ControlCommonAttrs(pCode, i, n).concat(pTypeAttrs, [['Checked', 'false']], pAfterChecked, [
    ['Value', ''], ['Caption', caption], ['InpValue', ''],
    ['style', 'position: absolute; top: 50;width:65;height:20;color:black; font-family:arial; font-size:12; left: 50; z-index=5'],
  ], DesignerHandlers({ extra: [['onkeydown', 'return false']] }));
  var input = [['type', pCode === 'CK' ? 'checkbox' : 'radio'], ['ID', t.prefix + i], ['Recorded', 'false']];
  if (pCode === 'CK') input.push(['onClick', 'return false']);
  input.push(['Contained', 'false'], ['ondragstart', 'return false'], ['ControlType', pCode]);
  return ControlElement('DIV', a, ControlElement('INPUT', input, '', true) + '&nbsp; ' + caption);
}

function CheckBoxMarkup(i, n) {
  return ChoiceMarkup('CK', i, n, [
    ['BackColorIndex', 3], ['DB_DataSrc'], ['DB_DataFld'], ['FontSize', 12], ['FontColorIndex', 0],
    ['FontStyleUnderline', 'false'], ['FontTypeIndex', 0], ['FontStyleBold', 'false'], ['FontStyleItalic', 'false'],
    ['BackColor', '#D5CCBB'], ['BackColorRGBValue', '#D5CCBB'], ['FontColorRGBValue', '#000000']], []);
}

function OptionMarkup(i, n) {
  return ChoiceMarkup('O', i, n, [
    ['BackColorIndex', 3], ['Group_ID', 0], ['DB_DataSrc'], ['DB_DataFld'], ['FontStyleUnderline', 'false'],
    ['FontSize', 12], ['FontColorIndex', 0], ['FontTypeIndex', 0], ['FontStyleBold', 'false'],
    ['FontStyleItalic', 'false'], ['BackColor', '#D5CCBB'], ['BackColorRGBValue', '#D5CCBB'],
    ['FontColorRGBValue', '#000000']], [['ControlArray', 'false']]);
}

function SelectListAttrs() {
  return [['BackColorIndex', 216], ['FontSize', 12], ['FontColorIndex', 0], ['FontTypeIndex', 0],
    ['BackColor', '#FFFFFF'], ['BackColorRGBValue', '#FFFFFF'], ['FontColorRGBValue', '#000000']];
}

function ComboMarkup(i, n) {
  var a = ControlCommonAttrs('CB', i, n).concat([['DB_DataSrc'], ['DB_DataFld']], SelectListAttrs(), [
    ['style', 'position: absolute; top: 50; left: 50;width:60 ;height:20; font-family:arial; font-size:12; z-index=5'],
  ], DesignerHandlers());
  return ControlElement('SELECT', a, '<OPTION value=none>Cbo' + i + '</OPTION>');
}

function ListBoxMarkup(i, n) {
  var a = ControlCommonAttrs('LB', i, n).concat([['Multiple_Index', 0], ['Multiple_Selected', 'false'],
    ['DB_DataSrc'], ['DB_DataFld']], SelectListAttrs(), [['Size', 2],
    ['style', 'position: absolute; top: 50; left: 50;width:60;height:40; font-family:arial; font-size:12; z-index=5'],
  ], DesignerHandlers());
  return ControlElement('SELECT', a, '<OPTION value=none>Lst' + i + '</OPTION>');
}

// The application folder as the page reaches it (a URL the host serves).
function ModelAppFolder() {
  var p = (typeof AppPath !== 'undefined' && AppPath) ? AppPath : (typeof aPath !== 'undefined' ? aPath : '');
  return String(p || '').replace(/[\\/]+$/, '');
}

function ImageMarkup(i, n) {
  var a = ControlCommonAttrs('IM', i, n).concat([
    ['Src', ModelAppFolder() + '/Images/StartImage.jpg'], ['CursorStyleIndex', 0], ['CursorStyle', 'default'],
    ['BorderColorIndex', 0], ['BorderColorRGBValue', '#000000'], ['BorderStyleIndex', 5], ['BorderOnOff', 1],
    ['BorderSize', 0], ['BackGroundImageSrc', 'Images/StartImage.jpg'],
    ['style', 'position: absolute; top: 50; left: 50; z-index=5'],
  ], DesignerHandlers(), [['ondragstart', 'return false']]);
  return ControlElement('IMG', a, '', true);
}

function TableMarkup(i, n) {
  var name = 'Table' + i;
  var a = ControlCommonAttrs('TBL', i, n).concat([
    ['ColCount', 2], ['HeaderFontColorIndex', 0], ['HeaderFontColorRGBValue', '#000000'], ['HeaderBackColorIndex', 3],
    ['HeaderBackColor', '#D5CCBB'], ['HeaderBackColorRGBValue', '#D5CCBB'], ['GridFontColorIndex', 0],
    ['GridFontColorRGBValue', '#000000'], ['GridBackColorIndex', 3], ['GridBackColor', '#D5CCBB'],
    ['GridBackColorRGBValue', '#D5CCBB'], ['style', 'position:absolute;left:50;top:50;width:215'],
  ], DesignerHandlers({ noContextMenu: true }));
  var partHandlers = [['ondragstart', 'return false']];
  var header = ControlElement('TABLE', [['ControlType', 'TBLH'], ['x_Upda_TBLH_tes_x'], ['ID', 'Grid_Header_' + name],
    ['cellpadding', 0], ['cellspacing', 0], ['width', 200],
    ['style', 'background-color:#D5CCBB;border-left:2px solid black;border-top:2px solid black;border-right:2px solid black;border-bottom:2px solid black'],
  ].concat(partHandlers, [['oncontextmenu', 'CancelRightClick()'], ['onResize', 'ControlWidthHeight(this)']]),
  '<TR><TH width=100>H1</TH><TH width=100>H2</TH></TR>');
  var row = '<TR><TD class=Col1 width=100>1</TD><TD class=Col width=100>2</TD></TR>';
  var data = ControlElement('TABLE', [['ControlType', 'TBLD'], ['x_Upda_TBLD_tes_x'], ['ID', 'Grid_Data_' + name],
    ['cellpadding', 0], ['cellspacing', 0], ['width', 200],
    ['style', 'border-left:2px solid black;border-right:2px solid black'],
  ].concat(partHandlers, [['onResize', 'ControlWidthHeight(this)']]), row + row + row + row);
  var scroll = ControlElement('DIV', [['ControlType', 'TBLS'], ['x_Upda_TBLS_tes_x'], ['ID', 'Grid_Scroll_' + name],
    ['style', 'overflow:scroll;width:215;height:97'],
  ].concat(partHandlers, [['onResize', 'ControlWidthHeight(this)']]), data);
  return ControlElement('DIV', a, header + scroll);
}

function TextAreaMarkup(i, n) {
  var a = ControlCommonAttrs('TXTA', i, n).concat([
    ['Wrap', 'soft'], ['Disable', 'false'], ['DB_DataSrc'], ['DB_DataFld'], ['FontSize', 12],
    ['FontColorRGBValue', '#000000'], ['FontColorIndex', 0], ['FontTypeIndex', 0],
    ['style', 'position: absolute; top: 50;color:black; left: 50;width:150;height:100; font-family:arial; font-size:12; z-index=5'],
  ], DesignerHandlers({ noDblClick: true, extra: [['onkeydown', 'CheckDelete(this.ControlID)']] }));
  return ControlElement('TEXTAREA', a, '');
}

function FrameMarkup(i, n) {
  var caption = 'Frame' + i;
  var a = ControlCommonAttrs('FRA', i, n).concat([
    ['BackColorIndex', 3], ['FontColorIndex', 0], ['FontColorRGBValue', '#000000'], ['FontStyleUnderline', 'false'],
    ['FontStyleBold', 'false'], ['FontStyleItalic', 'false'], ['DB_DataSrc'], ['DB_DataFld'], ['BorderOnOff', 0],
    ['BorderColorIndex', 3], ['BorderColorRGBValue', '#D5CCBB'], ['BackColor', '#D5CCBB'],
    ['BackColorRGBValue', '#D5CCBB'], ['Caption', caption], ['border', 1],
    ['style', 'position: absolute; top: 50; left: 50; border-width:2;border-style:ridge;border-color:#D5CCBB;background-color:#D5CCBB;width:100;height:100;z-index:5'],
  ], DesignerHandlers({ extra: [['onkeydown', 'return true']] }));
  var span = ControlElement('SPAN', [['ID', 'FraCaption'], ['Contained', 'false'], ['oncontrolselect', 'return false'],
    ['style', 'position:absolute;font-family:arial;font-size:12;color:black;left:2;top:-9;background-color:#D5CCBB;z-index:1200']],
  ModelEscapeText(caption));
  return ControlElement('DIV', a, span);
}

// One cell of a new tab control's strip; tab 0 is the selected one.
function TabCellMarkup(k) {
  var border = k === 0
    ? 'border-top-color:silver;border-right-color:silver;border-left-color:silver;border-bottom-color:#D5CCBB'
    : 'border-top-color:silver;border-right-color:silver;border-bottom-color:silver';
  return ControlElement('TD', [['ID', 'Tab' + k], ['Name', 'Tab' + k], ['Caption', 'tab' + k], ['Contents', ''],
    ['BackColorIndex', 3], ['BackColor', '#D5CCBB'], ['BackColorRGBValue', '#D5CCBB'], ['FontColorIndex', 0],
    ['FontTypeIndex', 0], ['FontColorRGBValue', '#000000'],
    ['style', 'border-style:solid;border-width:2;' + border + ';font-family:arial;font-size:12']],
  '&nbsp;<B>tab' + k + '</B>&nbsp;');
}

function TabMarkup(i, n) {
  var id = 'tab' + i;
  var a = ControlCommonAttrs('TAB', i, n).concat([
    ['BorderColorIndex', 3], ['TabCount', 3], ['BorderColorRGBValue', '#C0C0C0'], ['PreviousTab', 0],
    ['style', 'position:absolute;left:50;top:50;width:200;height:120;'],
    ['onKeyDown', 'return true'], ['onClick', 'TabClicked(this)'],
  ]);
  var content = ControlElement('DIV', [['ID', 'TABContent_' + id], ['Recorded', 'false'], ['UNSELECTABLE', 'on'],
    ['x_Upda_TABC_tes_x'], ['Contained', 'false'], ['ControlType', 'TAB'],
    ['style', 'position:absolute;left:0;top:18;border-style:solid;border-width:2;border-color:silver;width:200;height:100;background-color:#D5CCBB;z-index:5'],
    ['onclick', 'SelectParentControl(this.parentElement)'], ['oncontextmenu', 'CancelRightClick()'],
    ['ondblclick', 'ShowCodeWindow()']], '');
  var strip = ControlElement('TABLE', [['ID', 'TabTable_' + id], ['Recorded', 'false'], ['Contained', 'false'],
    ['x_Upda_TABT_tes_x'], ['onclick', 'TabClicked(this)'], ['border', 0], ['cellspacing', 0], ['cellpadding', 0],
    ['style', 'position:absolute;left:0;top:0;width:75%;height:15;z-index:1200']],
  '<TR>' + TabCellMarkup(0) + TabCellMarkup(1) + TabCellMarkup(2) + '</TR>');
  return ControlElement('DIV', a, content + strip);
}

function CalendarMarkup(i, n) {
  var id = 'Cal' + i;
  var a = ControlCommonAttrs('CAL', i, n, true).concat([
    ['ID_CAL_WRITE'], ['Dev_Click_Func'], ['C_onmouseover', '=HighlightCalDay(event);'],
    ['C_onmouseout', '=HighlightCalDay(event);'], ['StartMonthIndex', 0], ['StartYearIndex', 0],
    ['HeaderCaption', 'Header'], ['DateFormatStyleIndex', 0], ['DateBackColorIndex', 3], ['HeaderBackColorIndex', 3],
    ['HeaderBackColorRGBValue', '#D5CCBB'], ['DateBackColorRGBValue', '#D5CCBB'], ['DateOnOff', 0], ['HeaderOnOff', 0],
    ['BackColor', '#D5CCBB'], ['BackColorIndex', 3], ['BackColorRGBValue', '#D5CCBB'], ['BorderColorIndex', 3],
    ['FontSize', 12], ['BorderOnOff', 0], ['BorderColorRGBValue', '#D5CCBB'], ['BorderStyleIndex', 7],
    ['BorderSize', 1], ['bUseAbbrev', 'false'], ['bHighLightCurDate', 'true'],
    ['style', 'position:absolute;left:50;top:50;width:201;height:105;border-style:ridge;border-width:1;border-color:buttonface;font-family:arial;font-size:12px;background-color:buttonface'],
  ], DesignerHandlers({ extra: [['onclick', 'SelectParentControl(this)']] }));
  var rows =
    '<TR><TD ID=Header_' + id + ' BackColor=#D5CCBB colspan=7 align=center style="background-color:#D5CCBB">Header</TD></TR>' +
    '<TR><TD ID=DisplayDate_' + id + ' Caption="Apr 30, 2002" BackColor=#D5CCBB FormatStyle="abrmm dd yyyy" colspan=7 align=center style="background-color:#D5CCBB">Apr 30, 2002</TD></TR>' +
    '<TR><TD colspan=7 align=left>Month: ' + GetMonths('Month', true, true, -1) + ' Year: ' + GetYears('Year', -1) + '</TD></TR>' +
    '<TR><TD colspan=7 align=center>Weekdays</TD></TR>' +
    CalendarWeekdayRow() + CalendarWeekRows(2, 30, true);
  return ControlElement('TABLE', a, rows);
}

function LinkMarkup(i, n) {
  var a = ControlCommonAttrs('LNK', i, n).concat([
    ['href', 'None'], ['BackColorIndex', 217], ['DB_DataSrc'], ['DB_DataFld'], ['FontSize', 12],
    ['FontStyleUnderline', 'true'], ['FontColorIndex', 6], ['FontTypeIndex', 0], ['FontStyleBold', 'false'],
    ['FontStyleItalic', 'false'], ['BackColor', '#transparent'], ['BackColorRGBValue', '#transparent'],
    ['FontColorRGBValue', '#0000FF'], ['Caption', 'link' + i],
    ['style', 'position: absolute; font-family:arial; font-size:12;color:#0000FF; width=39;height=18; top: 50; left: 50; z-index=5'],
  ], DesignerHandlers());
  return ControlElement('A', a, 'link' + i);
}

function UnOrderedListMarkup(i, n) {
  var a = ControlCommonAttrs('UL', i, n).concat([
    ['BackColorIndex', 217], ['FontSize', 12], ['FontStyleUnderline', 'false'], ['FontColorIndex', 0],
    ['FontTypeIndex', 0], ['FontStyleBold', 'false'], ['FontStyleItalic', 'false'], ['BackColor', '#transparent'],
    ['BackColorRGBValue', '#transparent'], ['FontColorRGBValue', '#000000'],
    ['style', 'position: absolute; font-family:arial; font-size:12;color:black; width=52;height=46; top: 50; left: 50; z-index=5'],
  ], DesignerHandlers());
  var items = '';
  for (var k = 1; k <= 3; k++) items += '<LI onclick="SelectParentControl(this.parentElement)">Item ' + k + '</LI>';
  return ControlElement('DIV', a, items);
}

ControlTypes.L.markup = LabelMarkup;
ControlTypes.T.markup = TextBoxMarkup;
ControlTypes.B.markup = ButtonMarkup;
ControlTypes.CK.markup = CheckBoxMarkup;
ControlTypes.O.markup = OptionMarkup;
ControlTypes.CB.markup = ComboMarkup;
ControlTypes.LB.markup = ListBoxMarkup;
ControlTypes.IM.markup = ImageMarkup;
ControlTypes.TBL.markup = TableMarkup;
ControlTypes.TXTA.markup = TextAreaMarkup;
ControlTypes.FRA.markup = FrameMarkup;
ControlTypes.TAB.markup = TabMarkup;
ControlTypes.CAL.markup = CalendarMarkup;
ControlTypes.LNK.markup = LinkMarkup;
ControlTypes.UL.markup = UnOrderedListMarkup;

// A new form with number n under its temporary ID: title bar, close picture
// and the editable form body. The same markup the host writes into a new
// form's file, except for the stacking order and the close picture's z-index.
function FormMarkup(n, pZIndex) {
  var closeSrc = String(typeof ImagePath !== 'undefined' && ImagePath ? ImagePath : '').replace(/'/g, '%27');
  return '<DIV ID=' + FormTempID +
    " FormCloseFunc='' x_Upda_F_tes_x CloseButtonEnabled=true HasSomeCode=false F_Declarations Static=false Locked=false" +
    ' TitleBarColorIndex=6 TitleBarColorRGBValue=#0000FF TitleBarFontColorIndex=216 TitleBarFontColorRGBValue=#FFFFFF' +
    ' TitleBarFontTypeIndex=0 BackColorIndex=3 BackColor=#D5CCBB BackColorRGBValue=#D5CCBB' +
    " backgroundimageAlignVertical='Top' backgroundimageAlignHorizontal='Center' BackGroundImageAlignHorizontalIndex=0" +
    " BackGroundImageAlignVerticalIndex=0 BorderOnOff=0 BackGroundImageSrc='' FrmWidth=400 FrmHeight=400 BorderSize=1" +
    ' BackGroundImageTileOnOff=1 BorderColorIndex=0 BorderColorRGBValue=#000000 BorderStyleIndex=8 ShowCloseFormButton=true' +
    ' Caption=Form' + n + ' Name=Form' + n + ' ParentFormID=' + n +
    " ControlType='F' class=drag style='position:absolute; left:100; top:50; width:400; height:400; z-index:" + pZIndex + "' " +
    'GLblCount=0 GTxtCount=0 GBtnCount=0 GUlCount=0 GChkCount=0 GOptCount=0 GCboCount=0 GLstCount=0 GImgCount=0' +
    ' GTblCount=0 GTxtAreaCount=0 GFraCount=0 GTabCount=0 GCalCount=0 GLnkCount=0' +
    " StyleSheet='' onClick='UpdateWhichFormHasTheFocus(this)' oncontextmenu='CheckProperty(this)' >" +
    "<B ID=CaptionBar style='Color:white; Font-Family:Arial; Font-Size:15; DISPLAY:block; background-color:#0000FF'>Form" + n + '</B>' +
    "<img ondragstart='return false' src='" + closeSrc + "' id=CloseFormX style=\"POSITION: absolute; cursor:'pointer,hand'; LEFT:383px; TOP:2px;z-index:50;\" onclick='CloseForm(this.parentElement)'>" +
    "<DIV ID=TForm ControlType='TF' contentEditable=true style='position:absolute; left:0; top:18; cursor:default; border-width:1; border-style:solid; overflow:hidden; border-color:black; background-color:#D5CCBB; width:400; height:381;' " +
    "onClick='UpdateWhichFormHasTheFocus(this.parentElement)' onbeforeeditfocus='return false' onkeydown='CheckDelete(SelectedObj.ControlID)' oncontextmenu='CheckProperty(this.parentElement)' ondblclick='ShowCodeWindow()' onCut='return false' onCopy='return false' onpaste='return false' >" +
    '</Div></DIV>';
}

// Case-insensitive attribute tests on elements of the model.
function ModelType(pEl) {
  return pEl && pEl.getAttribute ? String(pEl.getAttribute('ControlType') || '').toUpperCase() : '';
}

function IsFormElement(pEl) { return ModelType(pEl) === 'F'; }

function IsControlElement(pEl) {
  return !!(pEl && pEl.getAttribute && pEl.hasAttribute('ControlID') && ControlTypes[ModelType(pEl)]);
}

// A form's body `TForm` (IDs like TForm repeat on every form, so search the form).
function FormBody(pForm) {
  if (!pForm || !pForm.children) return null;
  for (var k = 0; k < pForm.children.length; k++) {
    if (ModelType(pForm.children[k]) === 'TF') return pForm.children[k];
  }
  return null;
}

function FormCaptionBar(pForm) {
  if (!pForm || !pForm.children) return null;
  for (var k = 0; k < pForm.children.length; k++) {
    if (String(pForm.children[k].id).toLowerCase() === 'captionbar') return pForm.children[k];
  }
  return null;
}

// The form an element lies in (the element itself for a form).
function FormOf(pEl) {
  for (var e = pEl; e && e.getAttribute; e = e.parentElement) if (IsFormElement(e)) return e;
  return null;
}

// The form with the given number, or null.
function FindFormByNumber(n) {
  var divs = document.getElementsByTagName('DIV');
  for (var k = 0; k < divs.length; k++) {
    if (IsFormElement(divs[k]) && String(divs[k].getAttribute('ParentFormID')) === String(n)) return divs[k];
  }
  return null;
}

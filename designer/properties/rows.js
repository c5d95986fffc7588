// The rows of the property window, as data: one entry per row in the order
// the tables show them, the types whose table has the row, and its fields.
//
// A field: { name, kind, ... } where `name` is the field's name (and ID) in
// its table and `kind` says how it is drawn and filled:
//   text     a text field: size, max (at most so many characters; 'caption'
//            takes the type's caption length), attr (filled from it), start
//            (its value before any element was shown)
//   digits   a text field that takes only digits: size, digits, attr
//   color    a colour list with its value box: index and rgb (the attribute
//            pair it is filled from), box (the value box's name)
//   font     a font list (index), border  a border style list (index)
//   list     a list of fixed options [value, text] (index)
//   onoff    two radio buttons "On" (0) and "Off" (1) (attr)
//   check    a check box (attr), text beside it, css for that text
//   picture  a picture path with the button that opens the picture chooser
//   months, years, formats  the calendar's start month, year and date format
//   columns  the grid's column list, items  the list items with their buttons
// Optional: caption (a small label before the field), tip (tooltip), types
// (the field only in these types' tables), one (a change applies to the
// element shown only, never to every selected control).

var PropertyTypeCodes = ['F', 'L', 'T', 'B', 'CK', 'O', 'CB', 'LB', 'IM', 'TBL', 'TXTA', 'FRA', 'TAB', 'CAL', 'LNK', 'UL'];

// The caption field's maximum length per type.
var CaptionLengths = { F: 100, B: 100, CK: 100, O: 100, FRA: 100, TAB: 100, CAL: 100, L: 500, T: 150, LNK: 150 };

function GetObjectPropertySpecific(pPropertyType) {
  return CaptionLengths[pPropertyType] || 0;
}

var OnOffChoices = [['0', 'On'], ['1', 'Off']];

// The picture row's fields; forms and buttons also place the picture.
var PictureFields = [
  { name: 'PropertyBackGroundImageSrc', kind: 'picture', size: 30, max: 250, attr: 'BackGroundImageSrc' },
  { name: 'PropertyBackGroundImageTile', kind: 'onoff', caption: 'Tile:', attr: 'BackGroundImageTileOnOff', types: 'F B' },
  { name: 'PropertyBackGroundImageAlignHorizontal', kind: 'list', caption: 'Align H:', types: 'F B',
    options: [['Center', 'Center'], ['Left', 'Left'], ['Right', 'Right']], index: 'BackGroundImageAlignHorizontalIndex' },
  { name: 'PropertyBackGroundImageAlignVertical', kind: 'list', caption: 'Align V:', types: 'F B',
    options: [['Top', 'Top'], ['Bottom', 'Bottom'], ['Center', 'Center']], index: 'BackGroundImageAlignVerticalIndex' },
];

var FontSizeField = { name: 'PropertyFontSize', kind: 'digits', size: 4, digits: 2, attr: 'FontSize' };
var FontColorField = { name: 'PropertyFontColor', kind: 'color', index: 'FontColorIndex', rgb: 'FontColorRGBValue',
  box: 'PropertyFontColorValue' };
var BorderColorField = { name: 'PropertyBorderColor', kind: 'color', index: 'BorderColorIndex',
  rgb: 'BorderColorRGBValue', box: 'PropertyBorderColorValue' };
var HeaderBackColorField = { name: 'PropertyHeaderBackColor', kind: 'color', caption: 'Back Color:',
  index: 'HeaderBackColorIndex', rgb: 'HeaderBackColorRGBValue', box: 'PropertyHeaderBackColorRGBValue' };

var ControlTypesText = 'L T B CK O CB LB IM TBL TXTA FRA TAB CAL LNK UL';
var FontTypesText = 'L UL LNK T B CK O CB LB TXTA';

var PropertyRows = [
  { label: 'Name:', fields: [{ name: 'PropertyName', kind: 'text', size: 20, max: 50, one: true }] },
  { label: 'Caption:', types: 'F L T B CK O FRA LNK',
    fields: [{ name: 'PropertyCaption', kind: 'text', size: 20, max: 'caption', attr: 'Caption' }] },
  // Where a control lies in its container and how large it is.
  { label: 'Left, Top:', types: ControlTypesText, fields: [
    { name: 'PropertyLeft', kind: 'digits', size: 4, digits: 4, tip: 'Left edge inside its form, frame or tab page.' },
    { name: 'PropertyTop', kind: 'digits', size: 4, digits: 4, tip: 'Top edge inside its form, frame or tab page.' }] },
  { label: 'Width, Height:', types: ControlTypesText, fields: [
    { name: 'PropertyControlWidth', kind: 'digits', size: 4, digits: 4, tip: 'Width in pixels.' },
    { name: 'PropertyControlHeight', kind: 'digits', size: 4, digits: 4, tip: 'Height in pixels.' }] },
  { label: 'Title Bar Color:', types: 'F', fields: [{ name: 'PropertyTitleBarColor', kind: 'color',
    index: 'TitleBarColorIndex', rgb: 'TitleBarColorRGBValue', box: 'PropertyTitleBarColorValue' }] },
  { label: 'Title Bar Font Color:', types: 'F', fields: [{ name: 'PropertyTitleBarFontColor', kind: 'color',
    index: 'TitleBarFontColorIndex', rgb: 'TitleBarFontColorRGBValue', box: 'PropertyTitleBarFontColorValue' }] },
  { label: 'Title Bar Font Type:', types: 'F',
    fields: [{ name: 'PropertyTitleBarFontType', kind: 'font', index: 'TitleBarFontTypeIndex' }] },
  { label: 'Tabs:', types: 'TAB',
    fields: [{ name: 'PropertyTabCount', kind: 'digits', size: 3, digits: 1, start: '3', attr: 'TabCount', one: true }] },
  { label: 'Back Color:', types: 'F L T B CK O CB LB FRA CAL LNK UL', fields: [{ name: 'PropertyBackColor',
    kind: 'color', index: 'BackColorIndex', rgb: 'BackColorRGBValue', box: 'PropertyBackColorValue' }] },
  { label: 'Cols:', types: 'TBL', fields: [
    { name: 'PropertyColCount', kind: 'digits', caption: '# of:', size: 4, digits: 2, attr: 'ColCount', one: true },
    { name: 'PropertyHeaderCols', kind: 'columns', caption: 'Col:', one: true },
    { name: 'PropertyColText', kind: 'text', caption: 'Col Text:', size: 15, max: 50, one: true },
    { name: 'PropertyColWidth', kind: 'digits', caption: 'Col Width:', size: 4, digits: 3, one: true }] },
  { label: 'Header:', types: 'TBL', fields: [HeaderBackColorField,
    { name: 'PropertyHeaderFontColor', kind: 'color', caption: 'Font Color:', index: 'HeaderFontColorIndex',
      rgb: 'HeaderFontColorRGBValue', box: 'PropertyHeaderFontColorRGBValue' }] },
  { label: 'Grid:', types: 'TBL', fields: [
    { name: 'PropertyGridBackColor', kind: 'color', caption: 'Back Color:', index: 'GridBackColorIndex',
      rgb: 'GridBackColorRGBValue', box: 'PropertyGridBackColorRGBValue' },
    { name: 'PropertyGridFontColor', kind: 'color', caption: 'Font Color:', index: 'GridFontColorIndex',
      rgb: 'GridFontColorRGBValue', box: 'PropertyGridFontColorRGBValue' }] },
  { label: 'Border Color:', types: 'F IM FRA CAL', fields: [BorderColorField] },
  { label: 'Border Style:', types: 'F IM CAL',
    fields: [{ name: 'PropertyBorderStyle', kind: 'border', index: 'BorderStyleIndex' }] },
  { label: 'Border On/Off:', types: 'F IM FRA CAL',
    fields: [{ name: 'PropertyBorderOnOff', kind: 'onoff', attr: 'BorderOnOff' }] },
  { label: 'Border size:', types: 'F IM CAL',
    fields: [{ name: 'PropertyBorderSize', kind: 'digits', size: 5, digits: 2, attr: 'BorderSize' }] },
  { label: 'Back Ground Image:', labels: { IM: 'Image:' }, types: 'F IM', fields: PictureFields },
  { label: 'Border Color:', types: 'TAB', fields: [BorderColorField] },
  { label: 'Back Ground Image:', types: 'B', fields: PictureFields },
  { label: 'Show Close X:', types: 'F',
    fields: [{ name: 'PropertyShowFormCloseButton', kind: 'check', attr: 'ShowCloseFormButton' }] },
  { label: 'Enable Close X:', types: 'F',
    fields: [{ name: 'PropertyEnableFormCloseButton', kind: 'check', attr: 'CloseButtonEnabled' }] },
  { label: 'Close Func:', types: 'F',
    tip: 'Enter the name of a function to call when a user closes the form. Examp: Test()',
    fields: [{ name: 'PropertyFormCloseFunc', kind: 'text', size: 20, max: 75, attr: 'FormCloseFunc' }] },
  { label: 'Width:', types: 'F', fields: [{ name: 'PropertyWidth', kind: 'digits', size: 7, digits: 4, attr: 'FrmWidth' }] },
  { label: 'Height:', types: 'F', fields: [{ name: 'PropertyHeight', kind: 'digits', size: 7, digits: 4, attr: 'FrmHeight' }] },
  { label: 'Font Type:', types: FontTypesText, fields: [{ name: 'PropertyFontType', kind: 'font', index: 'FontTypeIndex' }] },
  { label: 'Font Size:', types: FontTypesText, fields: [FontSizeField] },
  { label: 'Font Color:', types: FontTypesText, fields: [FontColorField] },
  { label: 'Tab Index:', types: FontTypesText,
    fields: [{ name: 'PropertyTabIndex', kind: 'digits', size: 4, digits: 3, attr: 'TabIndex' }] },
  { label: 'Font Color:', types: 'FRA', fields: [FontColorField] },
  { label: 'Font Style:', types: 'L UL LNK B CK O FRA', fields: [
    { name: 'PropertyFontStyleBold', kind: 'check', attr: 'FontStyleBold', text: 'B', css: 'font-weight:bold' },
    { name: 'PropertyFontStyleItalic', kind: 'check', attr: 'FontStyleItalic', text: 'I', css: 'font-style:italic' },
    { name: 'PropertyFontStyleUnderline', kind: 'check', attr: 'FontStyleUnderline', text: 'U', css: 'text-decoration:underline' }] },
  { label: 'Size:', types: 'LB', fields: [{ name: 'PropertySize', kind: 'digits', size: 4, digits: 2, attr: 'Size' }] },
  { label: 'Multiple', types: 'LB', tip: 'Allow user to select multiple items.',
    fields: [{ name: 'PropertyMultiple', kind: 'list', options: [['False', 'False'], ['True', 'True']], index: 'Multiple_Index' }] },
  { label: 'MaxLength:', types: 'T', fields: [{ name: 'PropertyMaxLength', kind: 'digits', size: 4, digits: 3, attr: 'MaxLength' }] },
  { label: 'Password:', types: 'T', fields: [{ name: 'PropertyPassword', kind: 'check', attr: 'PassWord' }] },
  { label: 'Checked:', types: 'CK O', fields: [{ name: 'PropertyChecked', kind: 'check', attr: 'Checked' }] },
  { label: 'Value:', types: 'CK O', fields: [{ name: 'PropertyValue', kind: 'text', size: 10, max: 15, attr: 'InpValue' }] },
  { label: 'Font Size:', types: 'CAL', fields: [FontSizeField] },
  { label: 'Href:', types: 'LNK', fields: [{ name: 'PropertyHREF', kind: 'text', size: 20, max: 200, attr: 'href' }] },
  { label: 'Target:', types: 'LNK', fields: [{ name: 'PropertyTarget', kind: 'text', size: 20, max: 200, attr: 'Target' }] },
  { label: 'Title:', types: 'L T B CK O IM TXTA FRA TAB CAL LNK UL',
    fields: [{ name: 'PropertyTitle', kind: 'text', size: 20, max: 100, attr: 'Title' }] },
  { label: 'onClick Function:', types: 'CAL',
    tip: 'Type in the Function with any parameters that should be called when a calendar cell is clicked. Ex: ProcessClick()',
    fields: [{ name: 'PropertyDevClickFunc', kind: 'text', size: 20, max: 100, attr: 'Dev_Click_Func' }] },
  { label: 'Header:', types: 'CAL', fields: [
    { name: 'PropertyHeaderCaption', kind: 'text', caption: 'Caption:', size: 20, max: 100, attr: 'HeaderCaption' },
    HeaderBackColorField,
    { name: 'PropertyHeaderOnOff', kind: 'onoff', caption: 'Header:', attr: 'HeaderOnOff' }] },
  { label: 'Date:', types: 'CAL', fields: [
    { name: 'PropertyDateBackColor', kind: 'color', caption: 'Back Color:', index: 'DateBackColorIndex',
      rgb: 'DateBackColorRGBValue', box: 'PropertyDateBackColorRGBValue' },
    { name: 'PropertyDateOnOff', kind: 'onoff', caption: 'Date:', attr: 'DateOnOff' },
    { name: 'PropertyDateFormat', kind: 'formats', caption: 'Format:', index: 'DateFormatStyleIndex' }] },
  { label: 'Month/Year:', types: 'CAL', fields: [
    { name: 'PropertyStartMonth', kind: 'months', caption: 'Start Month:', index: 'StartMonthIndex' },
    { name: 'PropertyUseAbrrev', kind: 'check', text: 'use month abbrev', attr: 'bUseAbbrev' },
    { name: 'PropertyStartYear', kind: 'years', caption: 'Start Year:', index: 'StartYearIndex' }] },
  { label: 'Tab Detail:', types: 'TAB', fields: [
    { name: 'PropertyTabName', kind: 'text', caption: 'Name:', size: 20, max: 50, one: true },
    { name: 'PropertyTabCaption', kind: 'text', caption: 'Caption:', size: 20, max: 100, one: true },
    { name: 'PropertyTabBackColor', kind: 'color', caption: 'Back Color:', box: 'PropertyTabBackColorValue', one: true },
    { name: 'PropertyTabFontType', kind: 'font', caption: 'Font Type:', one: true },
    { name: 'PropertyTabFontColor', kind: 'color', caption: 'Font Color:', box: 'PropertyTabFontColorValue', one: true }] },
  { label: 'Static:', types: 'F', tip: 'Allow the user to move the form around the screen. ',
    fields: [{ name: 'PropertyFormStatic', kind: 'check', attr: 'Static' }] },
  { label: 'Cursor:', types: 'L IM', fields: [{ name: 'PropertyCursorStyle', kind: 'list',
    options: [['default', 'Default'], ['pointer', 'Hand'], ['help', 'Help']], index: 'CursorStyleIndex' }] },
  { label: 'Disable', types: 'TXTA T', fields: [{ name: 'PropertyDisable', kind: 'list',
    options: [['False', 'False'], ['True', 'True']], attr: 'Disable', chosen: function (v) { return IsTrueText(v) ? 1 : 0; } }] },
  { label: 'Word Wrap', types: 'TXTA', fields: [{ name: 'PropertyWordWrap', kind: 'list',
    options: [['off', 'Off'], ['soft', 'Soft']], attr: 'Wrap', chosen: function (v) { return v === 'soft' ? 1 : 0; } }] },
  { label: 'List:', types: 'UL', fields: [{ name: 'PropertyUnOrderedList', kind: 'items', one: true }] },
  { label: 'Data Source:', types: 'L T B CB LB CK O TXTA FRA LNK', tip: 'Enter the data source name. ',
    fields: [{ name: 'PropertyDataSrc', kind: 'text', size: 20, max: 50, start: '#', attr: 'DB_DataSrc' }] },
  { label: 'Data Field:', types: 'L T B CB LB CK O TXTA FRA LNK', tip: 'Enter a field name from the data source. ',
    fields: [{ name: 'PropertyDataFld', kind: 'text', size: 20, max: 75, attr: 'DB_DataFld' }] },
];

// "true" and true are true; everything else is false.
function IsTrueText(pValue) {
  return pValue === true || String(pValue).toLowerCase() === 'true';
}

function TypeListHas(pList, pType) {
  return pList === undefined || (' ' + pList + ' ').indexOf(' ' + pType + ' ') >= 0;
}

// The rows of one type's table, each with the fields that type has.
function PropertyRowsOf(pType) {
  var out = [];
  PropertyRows.forEach(function (row) {
    if (!TypeListHas(row.types, pType)) return;
    var fields = row.fields.filter(function (f) { return TypeListHas(f.types, pType); });
    out.push({ label: (row.labels && row.labels[pType]) || row.label, tip: row.tip, fields: fields });
  });
  return out;
}

// Every field of one type's table by name.
var PropertyFieldsByType = {};

function PropertyFieldsOf(pType) {
  if (!PropertyFieldsByType[pType]) {
    var map = {};
    PropertyRowsOf(pType).forEach(function (row) { row.fields.forEach(function (f) { map[f.name] = f; }); });
    PropertyFieldsByType[pType] = map;
  }
  return PropertyFieldsByType[pType];
}

// True when the table of a type has the field.
function TypeHasProperty(pType, pName) {
  return !!PropertyFieldsOf(pType)[pName];
}

// Showing an element in the property window: CheckProperty (every
// selection) shows the element's table and fills it, UpdatePropertyWindow
// fills the visible table from the element's attributes.
//
// A field whose attribute the element does not carry shows the field's own
// default (its value before any element was shown), never what the element
// shown before had there.

var PropertyFieldCache = {};   // type -> {field name: element, or the radio buttons of a group}
var PropertyShownObj = null;   // the element the window shows

function PropertyTable(pType) { return document.getElementById('Prop' + pType); }

// The fields of a type's table by name (radio buttons as a list).
function PropertyFieldElements(pType) {
  var cached = PropertyFieldCache[pType];
  if (cached) return cached;
  var table = PropertyTable(pType);
  if (!table) return {};
  var map = {};
  table.querySelectorAll('[name]').forEach(function (el) {
    var name = el.getAttribute('name');
    if (el.type === 'radio') (map[name] = map[name] || []).push(el);
    else if (!map[name]) map[name] = el;
  });
  PropertyFieldCache[pType] = map;
  return map;
}

// The field of the visible table with that name, or null.
function VisibleField(pName) {
  return PropertyFieldElements(PreviousPropertyType)[pName] || null;
}

// True when the element shown carries the attribute.
function CheckPropertyAttribute(pAttr) {
  return IsElementNode(SelectedObj) && SelectedObj.hasAttribute(pAttr);
}

// Shows the table of a type, hiding the one shown before.
function ShowPropertyTable(pType) {
  var table = PropertyTable(pType);
  if (!table) return false;
  if (PreviousPropertyType !== pType) {
    var shown = PropertyTable(PreviousPropertyType);
    if (shown) shown.parentElement.classList.remove('PropShown');
  }
  table.parentElement.classList.add('PropShown');
  PreviousPropertyType = pType;
  return true;
}

// Every selection: the element's form number, and the window shows it.
function CheckProperty(pObj) {
  if (!IsElementNode(pObj)) return;
  SelectedFormID = Number(pObj.getAttribute('ParentFormID')) || 0;
  if (!bPropertyWindowOpen || !PropertyWindow()) return;
  var type = ModelType(pObj);
  if (pObj === PropertyShownObj && type === PreviousPropertyType && type !== 'O') return;
  if (!ShowPropertyTable(type)) return;
  UpdatePropertyWindow(pObj);
}

// Fills the window again from the element shown (after an undo, a change
// made elsewhere).
function RefreshPropertyWindow() {
  if (bPropertyWindowOpen && IsElementNode(SelectedObj) && SelectedObj.isConnected) {
    PropertyShownObj = null;
    CheckProperty(SelectedObj);
  }
}

function SetFieldValue(pField, pValue) {
  if (pField.value !== pValue) pField.value = pValue;
}

function SetChecked(pBox, pChecked) {
  if (pBox.checked !== pChecked) pBox.checked = pChecked;
}

// A field back at what it showed before any element was shown.
function ResetField(pField) {
  if (Array.isArray(pField)) {
    pField.forEach(function (r) { SetChecked(r, r.defaultChecked); });
  } else if (pField.getAttribute('valuebox')) {
    SelectColor(pField, -1);
  } else if (pField.tagName === 'SELECT') {
    var k = Array.prototype.findIndex.call(pField.options, function (o) { return o.defaultSelected; });
    pField.selectedIndex = pField.options.length ? Math.max(k, 0) : -1;
  } else if (pField.type === 'checkbox') {
    SetChecked(pField, pField.defaultChecked);
  } else {
    SetFieldValue(pField, pField.defaultValue);
  }
}

// The attribute's value, or null when the element does not carry it.
function ShownAttr(pEl, pName) {
  return pName ? pEl.getAttribute(pName) : null;
}

// How each kind of field is filled from its attribute (never null here).
// A field is written only where it changes: a selection refills the window,
// and an unchanged field then costs nothing to draw again.
var PropertyFillers = {
  text: SetFieldValue,
  check: function (field, value) { SetChecked(field, IsTrueText(value)); },
  onoff: function (radios, value) {
    var k = String(value).trim() === '1' ? 1 : 0;
    radios.forEach(function (r, j) { SetChecked(r, j === k); });
  },
  list: function (field, value, f) { SelectPosition(field, f.chosen ? f.chosen(value) : value); },
};
PropertyFillers.digits = PropertyFillers.picture = PropertyFillers.text;
PropertyFillers.font = PropertyFillers.border = PropertyFillers.months = PropertyFillers.years =
  PropertyFillers.formats = PropertyFillers.list;

// Fields filled from something other than one attribute.
var PropertyTypeFillers = {
  TBL: function (el) { FillGridFields(el); },
  TAB: function (el) { var cell = SelectedTabCell(el); if (cell) FillTabDetails(cell); },
  UL: function (el) { FillListItems(el); },
};

function UpdatePropertyWindow(pObj) {
  if (!bPropertyWindowOpen || !IsElementNode(pObj)) return;
  var type = ModelType(pObj);
  if (type !== PreviousPropertyType && !ShowPropertyTable(type)) return;
  SelectedObj = pObj;
  PropertyShownObj = pObj;
  var fields = PropertyFieldElements(type);
  var info = PropertyFieldsOf(type);
  Object.keys(info).forEach(function (name) {
    var f = info[name], field = fields[name];
    if (!field) return;
    if (f.kind === 'color') {
      FillColorField(field, ShownAttr(pObj, f.index), ShownAttr(pObj, f.rgb));
      return;
    }
    var filler = PropertyFillers[f.kind];
    var value = ShownAttr(pObj, f.attr || f.index);
    if (!filler || !(f.attr || f.index)) return;
    if (value === null) ResetField(field);
    else filler(field, value, f);
  });
  if (fields.PropertyName) SetFieldValue(fields.PropertyName, pObj.id);
  if (fields.PropertyHREF && pObj.hasAttribute('href')) {
    SetFieldValue(fields.PropertyHREF, pObj.getAttribute('href').replace(/about:blank/g, ''));
  }
  var password = type === 'T' && IsTrueText(pObj.getAttribute('PassWord'));
  if (fields.PropertyCaption && fields.PropertyCaption.disabled !== password) fields.PropertyCaption.disabled = password;
  if (PropertyTypeFillers[type]) PropertyTypeFillers[type](pObj);
  ShowLayoutFields(pObj);
}

// A colour list at its stored position with its value box (a colour stored
// without its position is looked up in the colour table); without either,
// the list's default.
function FillColorField(pList, pIndex, pValue) {
  if (pIndex === null && pValue === null) {
    ResetField(pList);
    return;
  }
  var position = pIndex !== null ? pIndex : arrColor.indexOf(String(pValue).replace('#', '').toUpperCase());
  SelectColor(pList, position, pValue);
}

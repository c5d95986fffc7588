// Opening the page, and leaving the start screen once a project is open.

// Base names of the toolbar pictures, by the id of the picture.
var ToolbarPictureNames = {
  x_W1_x: 'Forms', x_W2_x: 'Project', x_W3_x: 'View',
  x_W4_x: 'Format', x_W5_x: 'Action', x_W6_x: 'BringToFront', x_W7_x: 'SendToBack',
  x_T1_x: 'Label', x_T2_x: 'Button', x_T3_x: 'TextBox', x_T4_x: 'TextArea',
  x_T5_x: 'CheckBox', x_T6_x: 'Option', x_T7_x: 'Combo', x_T8_x: 'ListBox',
  x_T9_x: 'Frame', x_T10_x: 'Image', x_T11_x: 'Grid', x_T12_x: 'Tab',
  x_T13_x: 'Calendar', x_T14_x: 'Link', x_T15_x: 'UL'
};

// What the page shows once a project is open.
var ProjectElements = ['Forms', 'Position', 'WidthHeight', 'ToolBar1', 'ToolBar2', 'ToolBar3'];

function Main() {
  SetStartValues();
  // The browser has no editing mode for the design surface: the page selects,
  // moves and resizes controls itself, so nothing is switched on here.
  bLoaded = true;
}

// A URL below a folder URL the host handed over, whether or not the folder
// ends with a separator.
function FolderUrl(pFolder, pFile) {
  return String(pFolder == null ? '' : pFolder).replace(/[\\\/]+$/, '') + '/' + pFile;
}

function CloseStartScreen() {
  var start = document.getElementById('StartScreen');
  if (start) start.remove();

  // The host writes the project's name after this link.
  document.getElementById('ProjectName').innerHTML =
    '<a style="color:blue; text-decoration:none; font-size:20px; cursor:pointer"' +
    ' title="Click to change Project Name."' +
    ' onclick="CallIfPresent(\'ShowChangeProjectNameForm\'); return false">--</a>';

  ProjectElements.forEach(function (id) {
    document.getElementById(id).style.display = 'inline';
  });

  document.getElementById('Form_List_Close_Button').src = ImagePath;
  document.getElementById('Func_List_Close_Button').src = ImagePath;
  Object.keys(ToolbarPictureNames).forEach(function (id) {
    document.getElementById(id).src =
      FolderUrl(AppPath, 'images/' + ToolbarPictureNames[id].toLowerCase() + '1.jpg');
  });

  bStartScreenOpen = false;
  CallIfPresent('MakeCodeEditorAhead');
}

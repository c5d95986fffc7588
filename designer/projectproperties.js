// The project properties window: the built page's background colour and
// title, where the built site keeps its pictures, and the page's own code.
// The settings are attributes of the designer page's body (BGIndex,
// userBGColor, userTitle, ImageLocation) and are saved with the project.

function ProjectPropertiesWindow() { return document.getElementById('ProjectProperties'); }

function ProjectPropertiesMarkup() {
  var field = function (id, tip) {
    return '<INPUT ID="' + id + '" type="text" size="30" maxlength="100"' + (tip ? ' title="' + tip + '"' : '') + '>';
  };
  return '<DIV ID="ProjectProperties" style="position:absolute; left:200px; top:120px; width:400px; height:150px;' +
    ' background-color:white; border:3px ridge #FFCC00; z-index:1200">' +
    '<DIV ID="CaptionBar" class="WinCaptionBar">Project Properties</DIV>' +
    '<IMG src="' + ImagePath + '" title="Click to close." ondragstart="return false"' +
    ' style="position:absolute; left:378px; top:2px; cursor:pointer" onclick="CloseProjectPropertieswindow()">' +
    '<TABLE align="center" class="StyleTable">' +
    '<TR><TD align="right" nowrap><B>Page Background Color:</B></TD><TD>' + BuildColorCombo('BGColor', 'Style') + '</TD></TR>' +
    '<TR><TD align="right"><B>Page Title:</B></TD><TD>' + field('PageTitle') + '</TD></TR>' +
    '<TR><TD align="right"><B>Image location setup:</B></TD><TD>' + field('ImageLocation',
      'Enter the location from your website where the image files will be placed.  Example: most websites use &lt;Images/&gt;.') +
    '</TD></TR>' +
    '<TR><TD colspan="2" align="center">' +
    '<BUTTON type="button" title="Click to display code window." onclick="ShowProjectCode()">Enter Code...</BUTTON> ' +
    '<BUTTON type="button" ID="SaveProjectProperties" onclick="UpdateProjectProperty()">Save</BUTTON>' +
    '</TD></TR></TABLE></DIV>';
}

// Opens the window (once) filled from the body; the body becomes the
// selected element, so "Enter Code..." opens the page's own code.
function ShowProjectProperties() {
  if (bMenuShown) ShowMenu(sMenuType, 1);
  if (bProjectPropertyWindowOpen && ProjectPropertiesWindow()) return;
  document.body.insertAdjacentHTML('beforeend', ProjectPropertiesMarkup());
  var body = document.body;
  var list = document.getElementById('BGColor');
  SelectPosition(list, body.getAttribute('BGIndex'));
  ShowChosenColor(list);
  list.onchange = function () { ShowChosenColor(list); };
  document.getElementById('PageTitle').value = body.getAttribute('userTitle') || '';
  ProjectPropertiesWindow().querySelector('#ImageLocation').value = body.getAttribute('ImageLocation') || '';
  bProjectPropertyWindowOpen = true;
  SelectedObj = body;
}

// Save: the window's settings become the body's.
function UpdateProjectProperty() {
  var win = ProjectPropertiesWindow();
  if (!win) return;
  var body = document.body;
  var list = document.getElementById('BGColor');
  var before = [body.getAttribute('BGIndex'), body.getAttribute('userBGColor'), body.getAttribute('userTitle'),
    body.getAttribute('ImageLocation')].join('\u0001');
  if (list.selectedIndex >= 0) {
    body.setAttribute('BGIndex', String(list.selectedIndex));
    body.setAttribute('userBGColor', ChosenValue(list));
  }
  body.setAttribute('userTitle', document.getElementById('PageTitle').value);
  body.setAttribute('ImageLocation', win.querySelector('#ImageLocation').value);
  var after = [body.getAttribute('BGIndex'), body.getAttribute('userBGColor'), body.getAttribute('userTitle'),
    body.getAttribute('ImageLocation')].join('\u0001');
  if (after !== before) bProjectInfoChanged = true;
}

function CloseProjectPropertieswindow() {
  bProjectPropertyWindowOpen = false;
  var win = ProjectPropertiesWindow();
  if (win) win.remove();
}

// "Enter Code...": the code window of the page itself.
function ShowProjectCode() {
  SelectedObj = document.body;
  ShowCodeWindow();
}

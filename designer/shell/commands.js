// The commands the page sends to the host. Each one is awaited: when it
// returns, the host has carried the command out and the page sees its effects.

// Commands that save, build or leave the project first save the code the
// code window shows.
async function NewProject() {
  CallIfPresent('SaveShownCode');
  await sendCommand('NewProject');
}

async function ExistingProject() {
  CallIfPresent('SaveShownCode');
  await sendCommand('LoadProject');
}

async function LoadForm() {
  await sendCommand('LoadForm');
  if (bMenuShown) ShowMenu(sMenuType, 1);
}

async function CreateNewFormFile() {
  await sendCommand('CreateNewForm');
}

async function SaveForm() {
  await sendCommand('SaveForm');
}

// pF5Pressed: the save comes from the F5 question, and the page reloads after it.
async function SaveExistingProject(pF5Pressed) {
  CallIfPresent('SaveShownCode');
  await sendCommand('SaveExistingProject' + CommandText(!!pF5Pressed));
}

async function DeleteProject() {
  await sendCommand('DeleteProject');
}

// A form got a new name (new, old, False) or was deleted ("", old, True).
async function UpdateProjectFile(pNewName, pOldName, bDelete) {
  await sendCommand('UpdateProjectFile.asp&' + CommandText(pNewName) + '&' +
                    CommandText(pOldName) + '&' + CommandText(bDelete));
}

// Spelled with two w: the host tests for the new-project command first, and
// this text must not contain its name.
async function SaveNewProjectName() {
  await sendCommand('SaveNewwProjectName');
}

// The host fills SystemStyleSheets with the style list's markup.
async function GetStyleSheets() {
  await sendCommand('GetStyleSheets');
  return SystemStyleSheets;
}

// A new style without a name leaves the focus in the name field.
async function SaveStyleSheet() {
  await sendCommand('SaveStyleSheet');
  var name = document.getElementById('x_StyleName_x');
  if (name && !name.disabled && !name.value) name.focus();
}

// Once a style is deleted "New" is chosen, and a name can be typed again.
async function DeleteStyleSheet() {
  await sendCommand('DeleteStyleSheet');
  var list = document.getElementById('x_ExistingStyles_x');
  var name = document.getElementById('x_StyleName_x');
  if (list && name && list.selectedIndex === 0) {
    name.disabled = false;
    name.style.backgroundColor = 'white';
  }
}

// The window's lists show the colours and font the host chose in them.
async function LoadStyleData() {
  await sendCommand('LoadStyleData');
  CallIfPresent('ShowStyleChoices');
}

// Code with syntax errors is listed first; the developer may stop there.
async function BuildProject() {
  if (await CallIfPresent('CodeErrorsStopBuild', false)) return;
  await sendCommand('BuildProject&1');
}

async function PreviewProject() {
  if (await CallIfPresent('CodeErrorsStopBuild', true)) return;
  await sendCommand('BuildProject&0');
}

async function ShowPropertyWin() {
  await sendCommand('ShowPropertyWin');
  CallIfPresent('KeepPropertyWindowOnScreen');
}

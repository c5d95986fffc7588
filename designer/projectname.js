// The small box in which the developer types a new name for the project. The
// host reads NewProjectName, renames the project on disk and removes the box.

function ShowChangeProjectNameForm() {
  if (CheckModalOnOff === 'ON') return;
  document.body.insertAdjacentHTML('afterbegin',
    '<div id="ChangeProjectName" style="position:absolute; left:300px; top:50px; width:300px; height:60px;' +
    ' background-color:white; border:3px ridge red; z-index:1250; font-family:Arial; font-size:12px;' +
    ' padding:4px; box-sizing:border-box">' +
    '<b>New Project Name:</b>' +
    '<div style="text-align:center; margin-top:6px">' +
    '<input id="NewProjectName" type="text" maxlength="50" value="" style="width:140px"' +
    ' onkeydown="if (event.key === \'Enter\') { SaveNewProjectName(); return false; }' +
    ' if (event.key === \'Escape\') { CloseChangeProjectName(); return false; }">' +
    ' <button type="button" onclick="SaveNewProjectName()">Save</button>' +
    ' <button type="button" id="CloseNewProject" onclick="CloseChangeProjectName()">Cancel</button>' +
    '</div></div>');
  document.getElementById('NewProjectName').focus();
  CheckModalOnOff = 'ON';
}

function CloseChangeProjectName() {
  var box = document.getElementById('ChangeProjectName');
  if (box) box.remove();
  CheckModalOnOff = 'OFF';
}

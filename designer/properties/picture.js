// The picture buttons: the host's file chooser opens in its picture mode and
// leaves the chosen picture's path in sPicturePath (a picture from outside
// the project is copied into the project's Images folder first). The path
// goes into the visible table's picture field and is applied as if typed.
// A cancelled chooser leaves the picture as it was.

var sPicturePath = '';

async function OpenCommonDialog() {
  var field = VisibleField('PropertyBackGroundImageSrc');
  if (!field) return;
  sPicturePath = '';
  await sendCommand('ChoosePicture');
  if (!sPicturePath) return;
  field.value = sPicturePath;
  await UpdateControlProperty(field);
}

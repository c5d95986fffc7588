// Toolbar pictures: each of the 22 toolbar buttons has a normal picture
// (NAME1.jpg) and one shown under the mouse (NAME2.jpg). Both are loaded
// while the page opens so that the swap on mouse-over is immediate.
var sImageList = 'Forms,Project,View,Label,Button,TextBox,TextArea,CheckBox,Option,Combo,ListBox,Frame,Image,Grid,Tab,Calendar,Link,UL,Format,Action,BringToFront,SendToBack';
var arrImageList = sImageList.split(',');
var arrImages = [];

(function preloadToolbarPictures() {
  for (var q = 0; q < arrImageList.length; q++) {
    arrImages[2 * q] = new Image();
    arrImages[2 * q].src = aPath + '/images/' + arrImageList[q] + '1.jpg';
    arrImages[2 * q + 1] = new Image();
    arrImages[2 * q + 1].src = aPath + '/images/' + arrImageList[q] + '2.jpg';
  }
})();

// Mouse over (pOver 1) and out (pOver 0) of toolbar picture number q.
function ToolbarPicture(pImg, q, pOver) {
  var picture = arrImages[2 * q + (pOver ? 1 : 0)];
  if (picture) pImg.src = picture.src;
}

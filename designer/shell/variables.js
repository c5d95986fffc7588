// The page's script-wide variables. Host routines read and set many of them
// by name, so they are plain globals of the page. A variable left undefined
// is "empty": it counts as 0, as "" and as false.

// Forms and controls on the design surface.
var NewFormCount;            // forms on the surface
var arrNewFormOrder;         // free form numbers, 11 = no entry (indexes 1 to 10)
var arrControlDelete;        // free control numbers: "type/number/form"
var SelectedObj;             // element whose properties are shown
var SelectedFormObj;         // form that has the focus
var SelectedFormID;          // ParentFormID of that form; 0 or empty: none
var SelectedControlID;       // ControlID of the selected control
var SelectedPreviousTab;     // tab control that last received a new control
var SelectedObjCodeWin;      // element whose code the code window shows
var SelectedResizeWindow;    // window the corner resize works on
var PreviousPropertyType;    // control type whose properties are showing
var zIndexCounter;           // last stacking order handed out
var objFormatMenuCntrlRng;   // control selection saved for the Format menu
var objNewControl;           // last control selection made by the page
var CopyCutControlObj;       // control held by Cut or Copy
var GbPaste;                 // a paste is under way
var blnStartDrag;            // the code window is being resized

// Windows of the designer.
var bPropertyWindowOpen, bPropertyWindowCreated;
var bProjectWindowOpen;
var bStartScreenOpen;
var bProjectPropertyWindowOpen;
var bStyleWindowOpen;
var bCodeWindowOpen, bCodeWindowActive, bCodeWindowTabKeyPressed, bFindWindowOpen;
var GbFuncListWindowOpen;
var GsPreviousFuncNameAndParameters;
var GCodeCharacter;
var GWinX, GWinY;
var GCodeText, GCodeTextSelected;
var CheckModalOnOff;         // "ON" while the project rename box is shown
var bMenuShown, sMenuType;   // a menu is shown, and which

// The project.
var GProjectStartForm;
var bProjectInfoChanged;
var bLoadExistingProject;
var sUseStyleForNewlyCreatedForms;
var arrStyleForNewForms;
var SystemStyleSheets;       // style sheet list markup, filled by the host
var ImagePath, TempPath, AppPath; // set by the host when a project opens
var ZOLT_VERSION;
var GVersion = '<x_Velkora_Version_x>'; // file format version, filled in by the host

// Start values, set when the page has loaded.
function SetStartValues() {
  NewFormCount = 0; // empty: no form yet
  arrNewFormOrder = [undefined];
  for (var i = 1; i <= 10; i++) arrNewFormOrder[i] = 11;
  arrControlDelete = [undefined, undefined];
  bPropertyWindowOpen = false;
  bPropertyWindowCreated = false;
  bProjectWindowOpen = true;
  bStartScreenOpen = true;
  bProjectPropertyWindowOpen = false;
  bStyleWindowOpen = false;
  bCodeWindowOpen = false;
  bCodeWindowActive = false;
  bCodeWindowTabKeyPressed = false;
  bFindWindowOpen = false;
  GbFuncListWindowOpen = false;
  GsPreviousFuncNameAndParameters = '';
  CheckModalOnOff = 'OFF';
  zIndexCounter = 0;
  GProjectStartForm = '';
  bProjectInfoChanged = false;
  bLoadExistingProject = false;
  arrStyleForNewForms = new Array(17).fill(undefined);
  SystemStyleSheets = '';
  ZOLT_VERSION = 'ZOLT v1.0';
}

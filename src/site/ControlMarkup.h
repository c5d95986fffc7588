// The markup of forms and controls in the built page, and the fragments that
// the control templates share.
#pragma once

#include <string>

#include "site/BuildContext.h"

namespace zolt {

// The opening of a form's floating window: container, title bar, close
// picture and the body's opening tag. The form's functions go into `code`.
std::string BuildFormMarkup(BuildContext& ctx, Element form, std::string& code);

// The markup of every not yet written control directly inside `container`,
// in the order of its children; each control's code goes into `code`.
std::string BuildControlMarkup(BuildContext& ctx, Element container, std::string& code);

// The controls inside a frame (empty when it has no child nodes).
std::string BuildChildControls(BuildContext& ctx, Element container, const std::string& id,
                               std::string& code);

// The controls shown in a tab control's content area.
std::string GetContainedControls(BuildContext& ctx, Element contentArea, const std::string& id,
                                 std::string& code);

// A control's event attributes (each after a blank); its functions go into `code`.
std::string BuildControlEvents(BuildContext& ctx, Element control, std::string& code);

// The calendar's click handler, naming its ID and the developer's function.
std::string CalendarClickHandler(const std::string& id, const std::string& devClickFunc);

// --- fragments shared by the templates

// " dataSrc=… dataFld=…" as far as the control has a data source.
std::string bindingFragment(BuildContext& ctx, Element e);
// The event attributes when the control has code; its functions always go into `code`.
std::string eventFragment(BuildContext& ctx, Element e, std::string& code);
// " tabindex=…" when the control has a tab index (an empty one would be no number).
std::string tabIndexFragment(BuildContext& ctx, Element e);
// The text a control shows, as typed (its markup's text).
std::string shownText(BuildContext& ctx, Element e);
// That text as the built control's caption, its leading blanks kept.
std::string captionText(const std::string& shown);
// An aria-label for a control that nothing else names (no Title, no text of
// its own): its Name.
std::string untitledName(BuildContext& ctx, Element e, const std::string& ownText = "");
// Where the built page finds a picture: relative to the page in a build
// (copying the picture there), as the design surface refers to it in a preview.
std::string picturePath(BuildContext& ctx, const std::string& source);
// The part `prefix` + `id` of a grid or tab control (`what`, as the error
// names it), such as Grid_Header_Table1; a BuildError when it is missing.
Element controlPart(BuildContext& ctx, Element control, const std::string& what, const std::string& prefix,
                    const std::string& id);
// A CSS url() for a background picture; none when there is no picture.
std::string backgroundUrl(BuildContext& ctx, const std::string& source);

// The style values the label family shares, after the given literals
// (label column or button and check box column).
enum class StyleColumn { Label, Button, Choice };
std::string labelFamilyStyle(BuildContext& ctx, Element e, StyleColumn column);

// One template per control type (declarations alike on purpose): the
// control's markup; `code` receives its code.
using ControlTemplate = std::string (*)(BuildContext& ctx, Element e, std::string& code);
std::string LabelMarkup(BuildContext&, Element, std::string&);
std::string LinkMarkup(BuildContext&, Element, std::string&);
std::string UnorderedListMarkup(BuildContext&, Element, std::string&);
std::string ChoiceMarkup(BuildContext&, Element, std::string&);
std::string FrameMarkup(BuildContext&, Element, std::string&);
std::string ButtonMarkup(BuildContext&, Element, std::string&);
std::string GridMarkup(BuildContext&, Element, std::string&);
std::string SelectMarkup(BuildContext&, Element, std::string&);
std::string ImageMarkup(BuildContext&, Element, std::string&);
std::string TextAreaMarkup(BuildContext&, Element, std::string&);
std::string TabMarkup(BuildContext&, Element, std::string&);
std::string TextBoxMarkup(BuildContext&, Element, std::string&);
std::string CalendarMarkup(BuildContext&, Element, std::string&);

}  // namespace zolt

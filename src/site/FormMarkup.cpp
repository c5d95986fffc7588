// A form's floating window in the built page: hidden container, title bar
// (draggable unless the form is static), close picture, and the opening of
// the body that holds the controls.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

namespace {

Element childWithId(Page& page, Element parent, const std::string& id) {
    for (Element child : page.children(parent)) {
        if (equalsNoCase(attr(page, child, "id"), id)) return child;
    }
    return {};
}

// What assistive technology announces for the form's window: its caption as
// shown, or its name when the caption is empty. (A label by reference to the
// title bar would name the first form's: every title bar is CaptionBar.)
std::string formLabel(const std::string& caption, const std::string& name) {
    std::string shown = trimBlanks(caption);
    return shown.empty() ? name : shown;
}

std::string titleBarText(const std::string& caption, const std::string& barColor) {
    if (!caption.empty() && caption.front() == ' ') return "&nbsp;" + escapeText(caption);
    if (caption.empty()) return "<font color=" + barColor + ">\u00B7</font>";
    return escapeText(caption);
}

}  // namespace

std::string BuildFormMarkup(BuildContext& ctx, Element form, std::string& code) {
    Page& page = ctx.page;
    auto a = [&](const char* name) { return attr(page, form, name); };
    std::string id = a("ID");
    Element body = childWithId(page, form, "TForm");
    Element captionBar = childWithId(page, form, "CaptionBar");
    bool movable = !attrTrue(page, form, "Static");

    std::string out = "<DIV ID=" + id + " Name=" + a("Name") + " ParentFormID=" + a("ParentFormID") +
                      " onClick=\"BringToFront('" + a("Name") + "')\" style='position:absolute; left:" +
                      style(page, form, "left") + "; top:" + style(page, form, "top") +
                      "; width:" + style(page, form, "width") + "; height:" + style(page, form, "height") +
                      "; display:none; z-index:0' role=dialog aria-modal=false" +
                      htmlAttribute("aria-label", formLabel(a("Caption"), a("Name"))) + " tabindex=-1>";

    out += "<B ID=CaptionBar ";
    if (movable) out += "onmousedown=\"drag('" + id + "')\" onmouseup=\"dragstop()\"";
    out += " style='Color:" + a("TitleBarFontColorRGBValue") + ";";
    if (movable) out += "cursor:pointer;";
    out += " Font-Family:" + (captionBar ? style(page, captionBar, "font-family") : std::string()) +
           "; Font-Size:" + (captionBar ? style(page, captionBar, "font-size") : std::string()) +
           "; DISPLAY:block; background-color:" + a("TitleBarColorRGBValue") + ";'>" +
           titleBarText(a("Caption"), a("TitleBarColorRGBValue")) + "</B>";

    if (attrTrue(page, form, "ShowCloseFormButton")) {
        std::string handler;
        bool enabled = attrTrue(page, form, "CloseButtonEnabled");
        if (enabled) handler = "CloseForm('" + id + "','" + trimBlanks(a("FormCloseFunc")) + "')";
        // The close picture lies in the project's Images folder: beside the
        // built page, or one folder up from a preview in Temp.
        std::string picture = ctx.building() ? "Images/closebutton.jpg" : "../Images/closebutton.jpg";
        long bodyWidth = body ? parseLeadingInt(style(page, body, "width")) : 0;
        out += "<img src='" + picture + "' id=CloseFormX style='POSITION: absolute; cursor:pointer; LEFT:" +
               std::to_string(bodyWidth - 17) + "; TOP:2;' onClick=\"" + replaceAll(handler, "\"", "&quot;") +
               "\" alt=\"Close\" role=button aria-label=\"Close\"" +
               (enabled ? " tabindex=0>" : " aria-disabled=true tabindex=-1>");
    }

    std::string borderStyle = trimBlanks(a("BorderOnOff")) == "0" && body ? style(page, body, "border-style") : "none";
    std::string repeat = trimBlanks(a("BackGroundImageTileOnOff")) == "1" ? "no-repeat" : "repeat";
    out += "<DIV ID=TForm style='position:absolute; left:0; top:18; cursor:default; border-width:" + a("BorderSize") +
           "; border-style:" + borderStyle + "; overflow:hidden; border-color:" + a("BorderColorRGBValue") +
           "; background-color:" + a("BackColor") + "; width:" + (body ? style(page, body, "width") : "") +
           "; height:" + (body ? style(page, body, "height") : "") +
           "; background-image:" + backgroundUrl(ctx, a("BackGroundImageSrc")) + ";background-repeat:" + repeat +
           "; background-position:" + a("backgroundimageAlignVertical") + " " + a("backgroundimageAlignHorizontal") +
           "; '";

    for (const Attribute& at : page.attributes(form)) {
        if (at.value.empty()) continue;
        if (containsNoCase(at.name, "F_")) {
            code += "\r\n\r\n" + at.value;
        } else if (containsNoCase(at.name, "C_")) {
            out += " " + eventAttribute(removeNoCase(at.name, "C_"), at.value);
        }
    }
    return out + ">";
}

}  // namespace zolt

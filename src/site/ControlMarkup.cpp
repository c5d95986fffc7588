// The walk over a container's controls, and the fragments the templates share.
#include "site/ControlMarkup.h"

#include "site/CalendarText.h"
#include "site/Markup.h"
#include "site/Pictures.h"

namespace zolt {

namespace {

struct TemplateEntry {
    const char* code;
    ControlTemplate write;
};

// Matched in this order; a type code matches exactly, with case.
const TemplateEntry kTemplates[] = {
    {"L", LabelMarkup},        {"LNK", LinkMarkup},     {"UL", UnorderedListMarkup},
    {"CK", ChoiceMarkup},      {"O", ChoiceMarkup},     {"FRA", FrameMarkup},
    {"B", ButtonMarkup},       {"TBL", GridMarkup},     {"CB", SelectMarkup},
    {"LB", SelectMarkup},      {"IM", ImageMarkup},     {"TXTA", TextAreaMarkup},
    {"TAB", TabMarkup},        {"T", TextBoxMarkup},    {"CAL", CalendarMarkup},
};

ControlTemplate templateFor(const std::string& type) {
    for (const TemplateEntry& t : kTemplates) {
        if (type == t.code) return t.write;
    }
    return nullptr;
}

}  // namespace

std::string BuildControlMarkup(BuildContext& ctx, Element container, std::string& code) {
    Page& page = ctx.page;
    std::string result;
    std::string controlCode;
    for (Element child : page.children(container)) {
        auto recorded = page.getAttribute(child, "Recorded");
        if (!recorded || equalsNoCase(trimBlanks(*recorded), "true")) continue;
        page.setAttribute(child, "Recorded", "true");
        ctx.recorded.push_back(child);
        if (ControlTemplate write = templateFor(attr(page, child, "ControlType"))) {
            result += write(ctx, child, controlCode);
        }
        code += controlCode;
        controlCode.clear();
    }
    return result;
}

std::string BuildChildControls(BuildContext& ctx, Element container, const std::string&, std::string& code) {
    if (ctx.page.childNodes(container).empty()) return "";
    return BuildControlMarkup(ctx, container, code);
}

std::string GetContainedControls(BuildContext& ctx, Element contentArea, const std::string&, std::string& code) {
    return BuildControlMarkup(ctx, contentArea, code);
}

std::string bindingFragment(BuildContext& ctx, Element e) {
    std::string src = attr(ctx.page, e, "DB_DataSrc");
    std::string fld = attr(ctx.page, e, "DB_DataFld");
    std::string out = " ";
    if (!src.empty()) out += "dataSrc=" + src;
    out += " ";
    if (!src.empty() && !fld.empty()) out += "dataFld=" + fld;
    return out;
}

std::string eventFragment(BuildContext& ctx, Element e, std::string& code) {
    std::string events = BuildControlEvents(ctx, e, code);
    return attrTrue(ctx.page, e, "HasSomeCode") ? events : "";
}

std::string tabIndexFragment(BuildContext& ctx, Element e) {
    std::string index = trimBlanks(attr(ctx.page, e, "TabIndex"));
    return index.empty() ? "" : " tabindex=" + index;
}

std::string shownText(BuildContext& ctx, Element e) { return markupText(ctx.page.innerHTML(e)); }

std::string captionText(const std::string& shown) {
    return ReplaceSpaces(escapeText(shown));
}

std::string untitledName(BuildContext& ctx, Element e, const std::string& ownText) {
    if (!trimBlanks(attr(ctx.page, e, "Title")).empty() || !trimBlanks(ownText).empty()) return "";
    return htmlAttribute("aria-label", attr(ctx.page, e, "Name"));
}

std::string picturePath(BuildContext& ctx, const std::string& source) {
    if (!ctx.building() || source.empty()) return replaceAll(source, "\\", "/");
    return builtPicture(ctx, source);
}

Element controlPart(BuildContext& ctx, Element control, const std::string& what, const std::string& prefix,
                    const std::string& id) {
    Element part = findInside(ctx.page, control, prefix + id);
    if (!part) throw BuildError("The " + what + " " + id + " has no element " + prefix + id + ".");
    return part;
}

std::string backgroundUrl(BuildContext& ctx, const std::string& source) {
    if (source.empty()) return "none";
    return "url(\"" + picturePath(ctx, source) + "\")";
}

std::string labelFamilyStyle(BuildContext& ctx, Element e, StyleColumn column) {
    Page& page = ctx.page;
    // The old markup wrote "width=" and "height=" for buttons and check boxes,
    // which browsers ignore; the built control keeps its designed size.
    const char* widthLiteral = column == StyleColumn::Choice ? "style='position: absolute; width:"
                                                             : "' style='position: absolute; width:";
    const char* heightLiteral = ";height:";
    return widthLiteral + style(page, e, "width") + heightLiteral + style(page, e, "height") +
           "; top:" + style(page, e, "top") + ";left:" + style(page, e, "left") +
           ";background-color:" + style(page, e, "background-color") +
           ";font-family:" + style(page, e, "font-family") + "; font-size:" + style(page, e, "font-size") +
           ";color:" + style(page, e, "color") + ";font-weight:" + style(page, e, "font-weight") +
           ";font-style:" + style(page, e, "font-style") + "; z-index:" + style(page, e, "z-index") +
           ";text-Decoration:" + style(page, e, "text-decoration");
}

}  // namespace zolt

// Check box and option button: a container holding the input and the caption.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

std::string ChoiceMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    std::string name = attr(p, e, "Name");
    auto nodes = p.childNodes(e);
    Element input = nodes.empty() ? Element{} : nodes.front();
    std::string inputWidth, inputHeight;
    if (input && p.nodeType(input) == NodeType::Element) {
        inputWidth = style(p, input, "width");
        inputHeight = style(p, input, "height");
    }
    const char* type = attr(p, e, "ControlType") == "CK" ? "checkbox" : "radio";
    // The caption beside the input names it (the Title is the container's).
    const std::string shown = shownText(ctx, e);
    std::string caption = trimBlanks(replaceAll(shown, "\u00A0", " "));
    return "<Div ID=" + attr(p, e, "ID") + "_D  Name=" + name + "_D  " +
           labelFamilyStyle(ctx, e, StyleColumn::Choice) + "' Title='" + quotedValue(attr(p, e, "Title")) +
           "' ><input type=" + type + " ID=" + name + " Name=" + name + bindingFragment(ctx, e) + " Value='" +
           quotedValue(attr(p, e, "InpValue")) + "' style='width:" + inputWidth + ";height:" + inputHeight + "' " +
           (attrTrue(p, e, "Checked") ? "Checked=true " : "") + eventFragment(ctx, e, code) +
           tabIndexFragment(ctx, e) + htmlAttribute("aria-label", caption.empty() ? name : caption) + ">" + captionText(shown) +
           "</Div>";
}

}  // namespace zolt

// Label, link and unordered list: text shown in the label family's style.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

std::string LabelMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    return "<Div ID=" + attr(p, e, "ID") + " Name=" + attr(p, e, "Name") + bindingFragment(ctx, e) +
           " ControlType='" + attr(p, e, "ControlType") + labelFamilyStyle(ctx, e, StyleColumn::Label) +
           ";cursor:" + attr(p, e, "CursorStyle") + ";' Title='" + quotedValue(attr(p, e, "Title")) + "' " +
           eventFragment(ctx, e, code) + ">" + captionText(shownText(ctx, e)) + "</Div>";
}

std::string LinkMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    std::string href = replaceAll(attr(p, e, "href"), "about:blank", "");
    std::string target = replaceAll(replaceAll(attr(p, e, "Target"), "\"", ""), "'", "");
    return "<a href='" + quotedValue(href) + "' Target='" + target + "' ID=" + attr(p, e, "ID") +
           " Name=" + attr(p, e, "Name") + bindingFragment(ctx, e) + " ControlType='" + attr(p, e, "ControlType") +
           labelFamilyStyle(ctx, e, StyleColumn::Label) + "' Title='" + quotedValue(attr(p, e, "Title")) + "' " +
           eventFragment(ctx, e, code) + tabIndexFragment(ctx, e) + ">" + captionText(shownText(ctx, e)) + "</a>";
}

std::string UnorderedListMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    // The items as the designer holds them, less their designer click handler
    // (however the page quotes it).
    std::string items = p.innerHTML(e);
    for (const char* handler : {" onclick=\"SelectParentControl(this.parentElement)\"",
                                " onclick='SelectParentControl(this.parentElement)'",
                                "onclick=SelectParentControl(this.parentElement)"}) {
        items = removeNoCase(items, handler);
    }
    return "<Div ID=" + attr(p, e, "ID") + " Name=" + attr(p, e, "Name") + "  ControlType='" +
           attr(p, e, "ControlType") + labelFamilyStyle(ctx, e, StyleColumn::Label) + ";' Title='" +
           quotedValue(attr(p, e, "Title")) + "' " + eventFragment(ctx, e, code) + " role=list>" + items + "</Div>";
}

}  // namespace zolt

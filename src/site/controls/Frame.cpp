// Frame: a bordered container with a caption and the controls inside it.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

std::string FrameMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    std::string out = "<DIV ID=" + attr(p, e, "ID") + " Name=" + attr(p, e, "Name") + bindingFragment(ctx, e) +
                      " style='position: absolute;top:" + style(p, e, "top") + ";left:" + style(p, e, "left") +
                      ";border-width:" + style(p, e, "border-width") + " ;border-style:" +
                      style(p, e, "border-style") + ";border-color:" + style(p, e, "border-color") +
                      "; background-color:" + style(p, e, "background-color") + ";width:" + style(p, e, "width") +
                      ";height:" + style(p, e, "height") + "; z-index:" + style(p, e, "z-index") + "' Title='" +
                      quotedValue(attr(p, e, "Title")) + "' " + eventFragment(ctx, e, code) + " >";
    out += "<span ID=FraCaption style='position:absolute;font-family:arial;font-size:12;color:" +
           attr(p, e, "FontColorRGBValue") + ";font-weight:" + (attrTrue(p, e, "FontStyleBold") ? "Bold" : "") +
           ";font-style:" + (attrTrue(p, e, "FontStyleItalic") ? "italic" : "") + ";left:2;top:-9;background-color:" +
           style(p, e, "background-color") + ";z-index:1200;text-Decoration:" +
           (attrTrue(p, e, "FontStyleUnderline") ? "underline" : "none") + "'> " + escapeText(attr(p, e, "Caption")) + "</span>";
    out += BuildChildControls(ctx, e, attr(p, e, "ID"), code);
    return out + "</DIV>";
}

}  // namespace zolt

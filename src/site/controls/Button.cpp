// Button: label family style with a background picture, then its caption.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

std::string ButtonMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    const std::string shown = shownText(ctx, e);
    std::string repeat = trimBlanks(attr(p, e, "BackGroundImageTileOnOff")) == "1" ? "no-repeat" : "repeat";
    return "<Button ID=" + attr(p, e, "ID") + " Name=" + attr(p, e, "Name") + bindingFragment(ctx, e) +
           " ControlType='" + attr(p, e, "ControlType") + labelFamilyStyle(ctx, e, StyleColumn::Button) +
           "; background-image:" + backgroundUrl(ctx, attr(p, e, "BackGroundImageSrc")) +
           ";background-repeat:" + repeat + "; background-position:" + attr(p, e, "backgroundimageAlignVertical") +
           " " + attr(p, e, "backgroundimageAlignHorizontal") + "; ' Title='" + quotedValue(attr(p, e, "Title")) +
           "' " + eventFragment(ctx, e, code) + tabIndexFragment(ctx, e) + " type=button" +
           untitledName(ctx, e, shown) + ">" + captionText(shown) + "</Button>";
}

}  // namespace zolt

// Image: the picture, copied beside the built page in a build.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

std::string ImageMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    std::string src = attr(p, e, "src");
    return "<Img Src='" + quotedValue(picturePath(ctx, src)) + "' ID=" + attr(p, e, "ID") + " Name=" +
           attr(p, e, "Name") + " style='position:absolute;top:" + style(p, e, "top") + ";left:" +
           style(p, e, "left") + ";width:" + style(p, e, "width") + ";height:" + style(p, e, "height") +
           "; ;border-width:" + style(p, e, "border-width") + ";border-style:" + style(p, e, "border-style") +
           ";border-color:" + style(p, e, "border-color") + "; z-index:" + style(p, e, "z-index") +
           ";cursor:" + attr(p, e, "CursorStyle") + "' " + eventFragment(ctx, e, code) + " title='" +
           quotedValue(attr(p, e, "Title")) + "'" + htmlAttribute("alt", trimBlanks(attr(p, e, "Title"))) + ">";
}

}  // namespace zolt

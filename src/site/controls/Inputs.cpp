// Text box, text area, combo box and list box.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

std::string TextBoxMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    if (attr(p, e, "type") != "text") return "";
    return std::string("<Input type=") + (attrTrue(p, e, "Password") ? "password" : "text") + " ID=" +
           attr(p, e, "ID") + " Name=" + attr(p, e, "Name") + bindingFragment(ctx, e) +
           " MaxLength=" + attr(p, e, "MaxLength") + " ControlType='" + attr(p, e, "ControlType") +
           "' style='position:absolute;top:" + style(p, e, "top") + ";width:" + style(p, e, "width") +
           ";height:" + style(p, e, "height") + ";font-family:" + style(p, e, "font-family") +
           ";font-size:" + style(p, e, "font-size") + ";color:" + style(p, e, "color") +
           ";background-color:" + style(p, e, "background-color") + ";left:" + style(p, e, "left") +
           "; z-index:" + style(p, e, "z-index") + "' value='" + quotedValue(attr(p, e, "value")) + "' Title='" +
           quotedValue(attr(p, e, "Title")) + "' " + (attrTrue(p, e, "Disable") ? "Disabled" : "") + " " +
           eventFragment(ctx, e, code) + tabIndexFragment(ctx, e) + untitledName(ctx, e) + ">";
}

std::string TextAreaMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    return "<TextArea ID=" + attr(p, e, "ID") + " Name=" + attr(p, e, "Name") + bindingFragment(ctx, e) +
           " ControlType='" + attr(p, e, "ControlType") + "' style='position:absolute;top:" + style(p, e, "top") +
           ";left:" + style(p, e, "left") + ";width:" + style(p, e, "width") + ";height:" + style(p, e, "height") +
           "; font-family:" + style(p, e, "font-family") + ";font-size:" + style(p, e, "font-size") +
           ";color:" + style(p, e, "color") + ";z-index:" + style(p, e, "z-index") + "' title='" +
           quotedValue(attr(p, e, "Title")) + "' " + (attrTrue(p, e, "Disable") ? "Disabled" : "") + " " +
           eventFragment(ctx, e, code) + tabIndexFragment(ctx, e) + " Wrap='" +
           (attr(p, e, "Wrap") == "soft" ? "soft" : "off") + "'" + untitledName(ctx, e) + " ></TextArea>";
}

std::string SelectMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    std::string out = "<Select ID=" + attr(p, e, "ID") + " Name=" + attr(p, e, "Name") + bindingFragment(ctx, e) +
                      " ControlType='" + attr(p, e, "ControlType") + "' style='position: absolute; top:" +
                      style(p, e, "top") + ";left:" + style(p, e, "left") + "; width:" + style(p, e, "width") +
                      ";height:" + style(p, e, "height") + ";background-color:" + style(p, e, "background-color") +
                      ";font-family:" + style(p, e, "font-family") + ";font-size:" + style(p, e, "font-size") +
                      ";color:" + style(p, e, "color") + ";z-index:" + style(p, e, "z-index") + "' " +
                      eventFragment(ctx, e, code);
    if (attr(p, e, "ControlType") == "LB") {
        return out + "size=" + attr(p, e, "Size") + tabIndexFragment(ctx, e) + " " +
               (attrTrue(p, e, "Multiple_Selected") ? "MULTIPLE" : "") + untitledName(ctx, e) + "></Select>";
    }
    return out + tabIndexFragment(ctx, e) + untitledName(ctx, e) + "></Select>";
}

}  // namespace zolt

// Grid: a header table, a scrolling area and an empty data table.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

namespace {

std::string heightOrZero(Page& p, Element e) {
    std::string h = attr(p, e, "height");
    return h.empty() ? "0" : h;
}

}  // namespace

std::string GridMarkup(BuildContext& ctx, Element e, std::string&) {
    Page& p = ctx.page;
    std::string id = attr(p, e, "ID");
    Element header = controlPart(ctx, e, "grid", "Grid_Header_", id);
    Element scroll = controlPart(ctx, e, "grid", "Grid_Scroll_", id);
    Element data = controlPart(ctx, e, "grid", "Grid_Data_", id);

    std::string out = "<DIV ID=" + id + " ControlType='TBL' Name=" + attr(p, e, "Name") +
                      " style='position:absolute;left:" + style(p, e, "left") + ";top:" + style(p, e, "top") +
                      ";width:" + style(p, e, "width") + ";height:" + style(p, e, "height") +
                      ";z-index:" + style(p, e, "z-index") + ";overflow:hidden'>";
    out += "<Table ControlType='TBLH' ID=Grid_Header_" + id + " cellpadding=0 cellspacing=0 width=" +
           attr(p, header, "width") + " height=" + heightOrZero(p, header) + " style='background-color:" +
           style(p, header, "background-color") + ";color:" + style(p, header, "color") +
           ";border-left-width:2;border-left-style:solid;border-left-color:black;border-top-width:2;"
           "border-top-style:solid;border-top-color:black;border-right-width:2;border-right-style:solid;"
           "border-right-color:black;border-bottom-width:2;border-bottom-style:solid;border-bottom-color:black;' >"
           "<THEAD><TR>";
    auto rows = p.rows(header);
    if (!rows.empty()) {
        for (Element cell : p.cells(rows.front())) {
            out += "<TH width=" + attr(p, cell, "width") + " scope=col>" + escapeText(markupText(p.innerHTML(cell))) + "</TH>";
        }
    }
    out += "</TR></THEAD></Table><DIV ControlType='TBLS' ID=Grid_Scroll_" + id + " style='overflow:scroll;width:" +
           style(p, scroll, "width") + ";height:" + style(p, scroll, "height") + ";background-color:" +
           style(p, scroll, "background-color") + "' tabindex=0>";
    out += "<Table ControlType='TBLD' ID=Grid_Data_" + id + " cellpadding=0 cellspacing=0 width=" +
           attr(p, data, "width") + " height=" + heightOrZero(p, data) + " style='color:" + style(p, data, "color") +
           ";border-left-width:2;border-left-style:solid;border-left-color:black;border-bottom-width:2;"
           "border-bottom-style:solid;border-bottom-color:black;border-right-width:2;border-right-style:solid;"
           "border-right-color:black;' ></Table></DIV></DIV>";
    return out;
}

}  // namespace zolt

// Tab control: the selected page live in the content area, every page as
// markup in its tab's Contents (double quotes stored as "~") for the runtime
// to swap in.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

namespace {

// Puts the content area's markup back when the tab control is written, also
// when writing it fails, so the design surface shows what it showed before.
class ContentRestorer {
public:
    ContentRestorer(Page& page, Element content) : page_(page), content_(content), html_(page.innerHTML(content)) {}
    ~ContentRestorer() {
        try {
            page_.setInnerHTML(content_, html_);
        } catch (const PageError&) {
        }
    }
    const std::string& html() const { return html_; }

private:
    Page& page_;
    Element content_;
    std::string html_;
};

std::string tabCellMarkup(Page& p, Element cell, const std::string& pageMarkup, bool selected) {
    std::string contents = replaceAll(replaceAll(pageMarkup, "&", "&amp;"), "\"", "~");
    return "<TD ID=" + attr(p, cell, "ID") + " style='background-color:" + style(p, cell, "background-color") +
           "; border-style:" + style(p, cell, "border-style") + ";border-top-color:" +
           style(p, cell, "border-top-color") + "; border-right-color:" + style(p, cell, "border-right-color") +
           ";border-width:" + style(p, cell, "border-width") + "; border-left-color:" +
           style(p, cell, "border-left-color") + ";border-bottom-color:" + style(p, cell, "border-bottom-color") +
           "; font-family:" + style(p, cell, "font-family") + ";font-size:" + style(p, cell, "font-size") +
           "; color:" + style(p, cell, "color") + " ' Contents=\"" + contents + "\" role=tab aria-selected=" +
           (selected ? "true tabindex=0" : "false tabindex=-1") + ">" + p.innerHTML(cell) + "</TD>";
}

}  // namespace

std::string TabMarkup(BuildContext& ctx, Element e, std::string& code) {
    Page& p = ctx.page;
    ctx.wroteTabs = true;
    std::string id = attr(p, e, "ID");
    std::string contentId = "TABContent_" + id;
    Element strip = controlPart(ctx, e, "tab control", "TabTable_", id);
    Element content = controlPart(ctx, e, "tab control", "TABContent_", id);
    auto rows = p.rows(strip);
    std::vector<Element> cells = rows.empty() ? std::vector<Element>{} : p.cells(rows.front());
    std::string previous = attr(p, e, "PreviousTab");
    long selected = parseLeadingInt(previous);

    // The selected page is taken as the design surface shows it, which is
    // newer than what its tab stored when it was last left.
    ContentRestorer restorer(p, content);

    std::string background = style(p, content, "background-color");
    std::string out = "<DIV ID=" + id + " style='position:absolute;left:" + style(p, e, "left") + ";top:" +
                      style(p, e, "top") + ";width:" + style(p, e, "width") + ";height:" + style(p, e, "height") +
                      "; '>";
    out += "<DIV ID=" + contentId + " style='position:absolute;left:0;top:18;border-style:solid;border-width:2;"
           "border-color:" + style(p, content, "border-color") + ";width:" + style(p, content, "width") +
           ";height:" + style(p, content, "height") + ";background-color:" +
           (background.empty() ? std::string("buttonface") : background) + ";z-index:5' role=tabpanel>";
    std::string scratch;
    out += GetContainedControls(ctx, content, contentId, scratch) + "</DIV>";

    out += "<TABLE ID=TabTable onClick='TabClicked(this,event,\"" + id +
           "\")' border=0 cellspacing=0 cellpadding=0 style='position:absolute;left:0;top:0;width:75%;height:15;"
           "z-index:1200' PreviousTab=" + previous + " role=none><TR role=tablist>";
    std::string tabCode, controlCode;
    const auto mirror = ctx.mirror;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        bool isSelected = static_cast<long>(k) == selected;
        p.setInnerHTML(content, isSelected ? restorer.html() : attr(p, cells[k], "Contents"));
        // A stored page is not on the live design surface: nothing of it is carried there.
        ctx.mirror = isSelected ? mirror : nullptr;
        std::string pageMarkup = GetContainedControls(ctx, content, contentId, controlCode);
        ctx.mirror = mirror;
        out += tabCellMarkup(p, cells[k], pageMarkup, isSelected);
        tabCode += controlCode;
        controlCode.clear();
    }
    code += tabCode;
    return out + "</TR></TABLE></DIV>";
}

}  // namespace zolt

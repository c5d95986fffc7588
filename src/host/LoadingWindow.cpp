#include "host/LoadingWindow.h"

namespace zolt {

namespace {

constexpr const char* kMarkup =
    "<dialog id=\"frmLoading\" class=\"zolt-loading\">"
    "<div class=\"zolt-loading-caption\">Velkora ZOLT</div>"
    "<div id=\"lblLoading\">Loading</div></dialog>";

// Not drawn at all meanwhile; their own display style (which the host reads
// and saves) is left as it is.
constexpr const char* kFormsHidden =
    "<style id=\"zoltFormsHidden\">body > div[controltype=\"F\" i] { display: none !important; }</style>";

}  // namespace

void ShowLoading(Host& host, const std::string& label, bool formsHidden) {
    Page& page = host.pageRef();
    if (formsHidden && !page.getElementById("zoltFormsHidden")) {
        page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd, kFormsHidden);
    }
    Element box = page.getElementById("frmLoading");
    if (!box) {
        page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd, kMarkup);
        box = page.getElementById("frmLoading");
    }
    if (Element text = page.getElementById("lblLoading")) page.setInnerText(text, label);
    if (box) page.setAttribute(box, "open", "");
}

void UnloadLoading(Host& host) {
    Page& page = host.pageRef();
    if (Element box = page.getElementById("frmLoading")) page.removeElement(box);
    if (Element style = page.getElementById("zoltFormsHidden")) page.removeElement(style);
}

}  // namespace zolt

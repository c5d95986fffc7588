#include "host/LoadingWindow.h"

namespace zolt {

namespace {

constexpr const char* kMarkup =
    "<dialog id=\"frmLoading\" class=\"zolt-loading\">"
    "<div class=\"zolt-loading-caption\">Velkora ZOLT</div>"
    "<div id=\"lblLoading\">Loading</div></dialog>";

}  // namespace

void ShowLoading(Host& host, const std::string& label) {
    Page& page = host.pageRef();
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
}

}  // namespace zolt

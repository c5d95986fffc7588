// The command "BuildProject" and the page writer's entry: a page in a
// browser is read once into an in-memory copy that the build walks.
#include <algorithm>
#include <map>

#include "build/ListedForms.h"
#include "build/Markup.h"
#include "build/PageWriter.h"
#include "page/DomPage.h"

namespace zolt {

namespace {

// The design surface copied from a page in a browser; boxes, windows and
// page routines still go to the live page.
class SurfaceCopy : public DomPage {
public:
    SurfaceCopy(Page& live, std::string_view html) : DomPage(html), live_(live) {}
    MsgResult msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override {
        return live_.msgBox(text, buttons, icon, title);
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override {
        return live_.inputBox(prompt, title, defaultText);
    }
    void openWindow(const std::string& url) override { live_.openWindow(url); }
    CallResult call(const std::string& routine, const std::vector<ScriptValue>& args) override {
        return live_.call(routine, args);
    }

private:
    Page& live_;
};

// Child indexes from the body down to `e`.
std::vector<std::size_t> pathOf(Page& page, Element e) {
    std::vector<std::size_t> path;
    Element body = page.body();
    while (e && !(e == body)) {
        Element up = page.parent(e);
        if (!up) return {};
        auto kids = page.children(up);
        path.push_back(static_cast<std::size_t>(std::find(kids.begin(), kids.end(), e) - kids.begin()));
        e = up;
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// The element at `path`; `known` keeps the children lists already read.
Element follow(Page& page, const std::vector<std::size_t>& path, std::map<std::int64_t, std::vector<Element>>& known) {
    Element e = page.body();
    for (std::size_t i : path) {
        auto found = known.find(e.handle);
        if (found == known.end()) found = known.emplace(e.handle, page.children(e)).first;
        const auto& kids = found->second;
        if (i >= kids.size()) return {};
        e = kids[i];
    }
    return e;
}

}  // namespace

BuildOutcome WriteProjectPage(Page& page, const BuildRequest& request) {
    if (dynamic_cast<DomPage*>(&page)) return WriteSurfacePage(page, request);

    SurfaceCopy copy(page, "<html><head></head>" + page.outerHTML(page.body()) + "</html>");
    for (const char* name : {"GProjectStartForm", "zIndexCounter", "bMenuShown", "sMenuType"}) {
        copy.setVariable(name, page.getVariable(name));
    }
    struct Change {
        std::vector<std::size_t> path;
        std::string id, name, value;
    };
    std::vector<Change> changes;
    BuildRequest onCopy = request;
    onCopy.mirror = [&](Element e, const std::string& name, const std::string& value) {
        changes.push_back({pathOf(copy, e), attr(copy, e, "id"), name, value});
    };
    BuildOutcome outcome = WriteSurfacePage(copy, onCopy);
    std::map<std::int64_t, std::vector<Element>> known;
    for (const Change& c : changes) {
        // Only an element that is still the one the copy showed (a calendar
        // on a tab page that is not shown has no live element).
        Element live = c.path.empty() ? Element{} : follow(page, c.path, known);
        if (!live || !equalsNoCase(attr(page, live, "id"), c.id)) continue;
        if (c.name.empty()) page.setInnerText(live, c.value);
        else page.setAttribute(live, c.name, c.value);
    }
    return outcome;
}

BuildOutcome RunBuildCommand(Page& page, const BuildRequest& request, const LoadingWindow& loading) {
    struct Unloader {
        const LoadingWindow& w;
        ~Unloader() {
            if (w.unload) w.unload();
        }
    };
    if (loading.show) loading.show(request.mode == 1 ? "Building" : "Loading");
    Unloader unloader{loading};
    BuildOutcome outcome;
    try {
        outcome = WriteProjectPage(page, request);
    } catch (const std::exception& e) {
        std::string what = request.mode == 1 ? "The project was not built." : "The preview was not made.";
        page.msgBox(what + "\r\n" + e.what(), MsgButtons::OK, MsgIcon::Exclamation);
        outcome = BuildOutcome{};
        outcome.formFileFault = dynamic_cast<const FormFileError*>(&e) != nullptr;
        return outcome;
    }
    if (request.mode == 1 && outcome.written) {
        Element nameElement = page.getElementById("ProjectName");
        std::string name = nameElement ? replaceAll(page.innerText(nameElement), "--", "") : "";
        if (trimBlanks(name).empty()) name = request.ProjectFileName;
        page.msgBox("Project: " + name + " was built.", MsgButtons::OK, MsgIcon::Information);
    }
    if (!outcome.missingPictures.empty()) {
        std::string list;
        for (const std::string& picture : outcome.missingPictures) list += "\r\n" + picture;
        page.msgBox("These pictures were not found, so the site shows none in their place:" + list, MsgButtons::OK,
                    MsgIcon::Exclamation);
    }
    return outcome;
}

}  // namespace zolt

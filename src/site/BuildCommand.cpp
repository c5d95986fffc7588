// The command "BuildProject" and the page writer's entry: what the build
// reads of a page in a browser is copied in a few reads into an in-memory
// page that the build walks.
#include <algorithm>
#include <map>

#include "site/ListedForms.h"
#include "site/Markup.h"
#include "site/PageWriter.h"
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

// The form holding `e` (the body's child it lies in) and the child indexes
// from that form down to `e`.
struct FormPath {
    Element form;
    std::vector<std::size_t> path;
};
FormPath formPathOf(Page& page, Element e) {
    FormPath out;
    Element body = page.body();
    while (e) {
        Element up = page.parent(e);
        if (!up) return {};
        if (up == body) {
            out.form = e;
            break;
        }
        auto kids = page.children(up);
        out.path.push_back(static_cast<std::size_t>(std::find(kids.begin(), kids.end(), e) - kids.begin()));
        e = up;
    }
    std::reverse(out.path.begin(), out.path.end());
    return out;
}

// The element at `path` below `from`; `known` keeps the children lists read.
Element follow(Page& page, Element from, const std::vector<std::size_t>& path,
               std::map<std::int64_t, std::vector<Element>>& known) {
    Element e = from;
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

    // What the build reads of the design surface, copied in a few reads: the
    // body's attributes, the forms list and every listed form. (Read alone,
    // the forms' markup takes the short way through the parser; the whole
    // body, with the designer's own scripts, would not.)
    SurfaceCopy copy(page, "<html><head></head><body></body></html>");
    for (const Attribute& a : page.attributes(page.body())) copy.setAttribute(copy.body(), a.name, a.value);
    for (const char* name : {"GProjectStartForm", "zIndexCounter", "bMenuShown", "sMenuType"}) {
        copy.setVariable(name, page.getVariable(name));
    }
    std::map<std::string, Element> liveForms;
    if (Element list = page.getElementById("x_FormsList_x")) {
        copy.insertAdjacentHTML(copy.body(), InsertPosition::BeforeEnd, page.outerHTML(list));
        Element copied = copy.getElementById("x_FormsList_x");
        // Every listed form found and read in two reads, whatever their number.
        const std::vector<std::string> ids = copy.optionTexts(copied);
        const std::vector<Element> found = page.elementsById(ids);
        std::vector<Element> read;
        for (size_t i = 0; i < ids.size(); ++i) {
            if (!found[i] || liveForms.count(ids[i])) continue;
            liveForms[ids[i]] = found[i];
            read.push_back(found[i]);
        }
        std::string forms;
        for (const std::string& markup : page.outerHTMLOfEach(read)) forms += markup;
        copy.insertAdjacentHTML(copy.body(), InsertPosition::BeforeEnd, forms);
    }

    struct Change {
        std::string form;
        std::vector<std::size_t> path;
        std::string name, value;
    };
    std::vector<Change> changes;
    BuildRequest onCopy = request;
    onCopy.mirror = [&](Element e, const std::string& name, const std::string& value) {
        FormPath at = formPathOf(copy, e);
        if (at.form) changes.push_back({attr(copy, at.form, "id"), at.path, name, value});
    };
    BuildOutcome outcome = WriteSurfacePage(copy, onCopy);
    std::map<std::int64_t, std::vector<Element>> known;
    for (const Change& c : changes) {
        // Only an element that is still where the copy had it (a calendar on
        // a tab page that is not shown has no live element).
        auto form = liveForms.find(c.form);
        Element live = form == liveForms.end() ? Element{} : follow(page, form->second, c.path, known);
        if (!live) continue;
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

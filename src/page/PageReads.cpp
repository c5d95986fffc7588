// The many-at-once reads of a page, made of the single ones, and its groups
// of changes made one by one: what a page without round trips to save (the
// in-memory one) does.
#include "page/Page.h"

#include <utility>

namespace zolt {

std::vector<std::string> Page::optionTexts(Element list) {
    std::vector<std::string> texts;
    if (!list) return texts;
    for (int i = 0, n = optionCount(list); i < n; ++i) texts.push_back(optionText(list, i));
    return texts;
}

std::vector<Element> Page::elementsById(const std::vector<std::string>& ids) {
    std::vector<Element> found;
    for (const std::string& id : ids) found.push_back(getElementById(id));
    return found;
}

std::vector<std::optional<std::string>> Page::attributeOfEach(const std::vector<Element>& elements,
                                                              const std::string& name) {
    std::vector<std::optional<std::string>> values;
    for (Element e : elements) values.push_back(e ? getAttribute(e, name) : std::nullopt);
    return values;
}

std::vector<std::string> Page::styleValueOfEach(const std::vector<Element>& elements, const std::string& property) {
    std::vector<std::string> values;
    for (Element e : elements) values.push_back(e ? styleValue(e, property) : std::string());
    return values;
}

std::vector<std::string> Page::outerHTMLOfEach(const std::vector<Element>& elements) {
    std::vector<std::string> markup;
    for (Element e : elements) markup.push_back(e ? outerHTML(e) : std::string());
    return markup;
}

// A page that makes each change at once: the change it refuses throws here,
// which ends the group.
void Page::group(const std::string& label, const std::function<void()>& apply) {
    try {
        apply();
    } catch (const PageError& e) {
        refused_.push_back({label, e.what()});
    }
}

std::vector<Page::Refusal> Page::refusedGroups() { return std::exchange(refused_, {}); }

}  // namespace zolt

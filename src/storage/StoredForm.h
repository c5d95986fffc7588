// Form markup read from a file, made safe for the designer page before it is
// put on the design surface.
//
// A form file is markup anyone could have written, and the designer page
// holds the connection to the host: nothing in it may run. The markup is
// parsed (never put on a live page as it stands) and cleaned:
// - script, frames, objects, embeds, foreign content (svg, math) and the
//   elements that parse differently once scripting is on (noscript, ...) go,
//   with their content;
// - event handler attributes (onclick, onerror, ...) go, except the
//   designer's own, which are attached by the element's place in the element
//   model (its control type, or the form part it is), with the model's
//   values, where the markup had them or else after its other attributes;
// - "javascript:" and "vbscript:" addresses go;
// - a tab page kept in a tab cell's Contents is cleaned the same way.
// The developer's code (F_ and C_ attributes) and every other attribute and
// text stay as they were, so a form the designer saved comes back unchanged.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dom/Node.h"

namespace zolt {

class StoredForm {
public:
    // Parses and cleans the markup of a form file. Only the form container
    // (the first element) is kept.
    explicit StoredForm(std::string_view markup);

    // The form container, or null when the markup holds no element.
    dom::Node* container() const { return container_.get(); }

    // Gives the form and each of its controls the number `to` where their
    // ParentFormID holds `from`.
    void renumber(const std::string& from, const std::string& to);

    std::string markup() const;
    // Hands the cleaned form over (to the page); the object is empty then.
    std::unique_ptr<dom::Node> take() { return std::move(container_); }

private:
    std::unique_ptr<dom::Node> container_;
};

}  // namespace zolt

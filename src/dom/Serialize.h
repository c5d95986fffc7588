// The HTML5 fragment serialisation algorithm, as Chromium applies it for
// innerHTML and outerHTML: lower-case HTML tag names, attribute values in
// double quotes with & " < > and U+00A0 escaped, line breaks and tabs kept
// raw, void elements without end tags, raw-text elements (script, style, ...)
// unescaped.
#pragma once

#include <string>

#include "dom/Node.h"

namespace zolt::dom {

std::string outerHTML(const Node& node);
std::string innerHTML(const Node& node);

// True for elements that have no content and no end tag (br, img, input, ...).
bool isVoidElement(const Node& node);

}  // namespace zolt::dom

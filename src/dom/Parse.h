// HTML5 parsing into the tree of dom/Node.h, by gumbo. Input is UTF-8; bytes
// that are not UTF-8 become U+FFFD. Any input parses: malformed markup is
// repaired the way the HTML5 tree builder repairs it. Well-formed body
// content takes a short way to the same tree (dom/WellFormed.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dom/Node.h"

namespace zolt::dom {

// A whole document. Without a DOCTYPE it is in quirks mode, as the designer
// page and built pages are.
std::unique_ptr<Node> parseDocument(std::string_view html);

// Markup as it would be parsed for innerHTML / insertAdjacentHTML on an
// element with `context`'s name and namespace: "<tr>" in a table body yields
// a row, "<option>" in a select an option. An html context parses as body.
//
// Where this parser and current Chromium part ways (none of it occurs in the
// markup the designer writes):
// - in tables, selects and other contexts with their own parsing mode, a
//   fragment is parsed as if its document had a DOCTYPE (ordinary content
//   is parsed in quirks mode, as the page's documents are);
// - Chromium keeps elements other than options inside a SELECT, this parser
//   keeps only their text;
// - Chromium keeps "<?...>" as a processing instruction, here it is a comment;
// - in attribute values Chromium decodes "&copy=" and "&lt=", this parser
//   leaves them as written (the HTML5 rule).
std::vector<std::unique_ptr<Node>> parseFragment(std::string_view html, const Node& context);

// The markup with every carriage return inside a quoted attribute value
// written as "&#13;". Parsing turns each CR LF into LF, in attribute values
// too, where forms keep their code; written so, a value keeps its CR LF line
// breaks through a parse (here or in the browser).
std::string keepAttributeCarriageReturns(std::string_view markup);

}  // namespace zolt::dom

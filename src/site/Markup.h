// Small readers and text helpers that the markup routines share.
#pragma once

#include <string>
#include <string_view>

#include "site/BuildContext.h"

namespace zolt {

// An attribute's value; a missing attribute reads as empty.
std::string attr(Page& page, Element e, const std::string& name);
// A switch: "true" in any case is on; anything else, or missing, is off.
bool attrTrue(Page& page, Element e, const std::string& name);
// An inline style value as the page reports it, by CSS property name.
std::string style(Page& page, Element e, const std::string& property);

// Every occurrence of `from` replaced by `to`.
std::string replaceAll(std::string text, std::string_view from, std::string_view to);
// Every occurrence of `from` removed, its letters compared without case.
std::string removeNoCase(std::string text, std::string_view from);
bool containsNoCase(std::string_view text, std::string_view part);
bool equalsNoCase(std::string_view a, std::string_view b);
std::string trimBlanks(std::string_view text);
// Leading integer of a text ("383px" -> 383); 0 when there is none.
long parseLeadingInt(std::string_view text);

// A value for an attribute written between single quotes: the characters
// that would end the attribute or start a reference are written as references.
std::string quotedValue(std::string_view value);
// Text shown as it stands: "&", "<" and ">" written as references.
std::string escapeText(std::string_view text);
// An attribute added to a tag: a blank, the name and the value in double quotes.
std::string htmlAttribute(std::string_view name, std::string_view value);

// The first element under `container` (itself excluded) whose ID is `id`,
// case ignored. Controls of different forms share IDs, so parts of a control
// are looked up inside the control, not in the whole page.
Element findInside(Page& page, Element container, const std::string& id);

}  // namespace zolt

namespace zolt {
// An event attribute from a stored handler ("=code"): name="code", quoted so
// that blanks and quotes inside the code do not end it.
std::string eventAttribute(const std::string& name, const std::string& storedValue);
}  // namespace zolt

namespace zolt {
// The text a piece of markup shows, as typed: tags left out (a line break
// for <br>), character references decoded, blanks kept as they stand. The
// browser's innerText would fold leading blanks away.
std::string markupText(std::string_view html);
}  // namespace zolt

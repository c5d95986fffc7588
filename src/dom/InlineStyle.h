// Reading and writing one property of an inline style attribute's text.
//
// Declarations are split at ";" (not inside quotes or brackets); one without
// ":" is dropped, as a browser drops it; when a property is declared twice the
// later declaration wins. Values are read exactly as written: no conversion to
// pixels or rgb() as a browser's computed style object would report them.
// Property names are matched without regard to case and may be given either
// as CSS names ("z-index") or as script names ("zIndex").
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zolt::dom {

// "zIndex" -> "z-index", "Background-Color" -> "background-color".
std::string cssPropertyName(std::string_view property);

// The value of `property` in the style text, "" when it is not declared.
std::string styleValue(std::string_view styleText, std::string_view property);

// The declarations of a style text, read once for many look-ups: (property,
// value) in the order written, pointing into the text, which must outlive
// them; a look-up finds the last.
using Declarations = std::vector<std::pair<std::string_view, std::string_view>>;
Declarations parseDeclarations(std::string_view styleText);
std::string declaredValue(const Declarations& declarations, std::string_view property);

// The style text with `property` set to `value`: the declaration is replaced
// where it stands (earlier duplicates dropped) or appended; an empty value
// removes it. A value holding its own ";" would smuggle in other
// declarations (and so would a property name holding ":"): like a
// browser, the write is then ignored.
std::string withStyleValue(std::string_view styleText, std::string_view property,
                           std::string_view value);

}  // namespace zolt::dom

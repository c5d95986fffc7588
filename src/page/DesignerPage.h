// The designer page document that the executable carries: designer/page.html
// with its scripts and styles inlined at build time, placeholders unfilled.
#pragma once

#include <string_view>

namespace zolt {

std::string_view designerPageText();

}  // namespace zolt

// Body content that needs none of the HTML5 tree builder's repairs, parsed
// directly (see WellFormed.cpp for what qualifies). Gives nothing when the
// markup needs the full parser; when it gives a tree, the full parser would
// have built the same one.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "dom/Node.h"

namespace zolt::dom {

std::optional<std::vector<std::unique_ptr<Node>>> parseWellFormedBody(std::string_view html);

}  // namespace zolt::dom

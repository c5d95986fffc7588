// Pictures of the built site: where the built page refers to them and which
// file on disk each one is copied from.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "site/BuildContext.h"

namespace zolt {

// The file name of a picture reference: the part after its last "/" or "\".
std::string pictureFileName(const std::string& source);

// The built page's reference to a picture (the ImageLocation folder or
// "Images/", then its file name); records the copy the reference needs, or
// the picture as missing when no file is found for it.
std::string builtPicture(BuildContext& ctx, const std::string& source);

// The file on disk a picture reference names: a file address, a served
// address, a path of the project or the application's pictures.
std::optional<std::filesystem::path> pictureSourceFile(const BuildContext& ctx, const std::string& source);

// The file in `folder` whose name equals `name` without regard to case.
std::optional<std::filesystem::path> findFileNoCase(const std::filesystem::path& folder, const std::string& name);

}  // namespace zolt

#include "site/Pictures.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "site/Markup.h"
#include "site/SiteText.h"

namespace fs = std::filesystem;

namespace zolt {

namespace {

std::string percentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() + 0 && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// Without its scheme and host: "http://127.0.0.1:8080/p/Images/a.jpg" -> "/p/Images/a.jpg".
std::string withoutSchemeAndHost(const std::string& source) {
    if (source.rfind("file:///", 0) == 0) return source.substr(8);
    std::size_t scheme = source.find("://");
    if (scheme == std::string::npos) return source;
    std::size_t slash = source.find('/', scheme + 3);
    return slash == std::string::npos ? "" : source.substr(slash);
}

}  // namespace

std::string pictureFileName(const std::string& source) {
    std::size_t cut = source.find_last_of("/\\");
    std::string name = cut == std::string::npos ? source : source.substr(cut + 1);
    std::size_t query = name.find_first_of("?#");
    return query == std::string::npos ? name : name.substr(0, query);
}

std::optional<fs::path> findFileNoCase(const fs::path& folder, const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (isFile(folder / name)) return folder / name;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && equalsNoCase(it->path().filename().string(), name)) return it->path();
    }
    return std::nullopt;
}

std::optional<fs::path> pictureSourceFile(const BuildContext& ctx, const std::string& source) {
    std::string name = percentDecoded(pictureFileName(source));
    if (containsNoCase(source, "StartImage")) return findFileNoCase(ctx.appFolder / "Images", "StartImage.jpg");
    std::string path = percentDecoded(replaceAll(withoutSchemeAndHost(source), "\\", "/"));
    if (!path.empty() && isFile(fs::path(path))) return fs::path(path);
    // A path inside the project (possibly behind the prefix the host serves it under).
    std::string rest = path;
    while (!rest.empty()) {
        while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
        if (!rest.empty() && isFile(ctx.projectFolder / rest)) return ctx.projectFolder / rest;
        std::size_t slash = rest.find('/');
        if (slash == std::string::npos) break;
        rest.erase(0, slash);
    }
    if (auto found = findFileNoCase(ctx.projectFolder / "Images", name)) return found;
    return findFileNoCase(ctx.appFolder / "Images", name);
}

std::string builtPicture(BuildContext& ctx, const std::string& source) {
    std::string name = percentDecoded(pictureFileName(source));
    const std::string& location = ctx.imageLocation;
    std::string reference = (location.empty() ? std::string("Images/") : location) + urlPath(name);
    // Pictures kept at another address (an ImageLocation with a scheme,
    // starting at the server's root or leaving the site's folder) are not
    // part of the built folder.
    bool local = location.find("://") == std::string::npos && location.find("..") == std::string::npos &&
                 (location.empty() || location.front() != '/');
    if (!local) return reference;
    fs::path folder = ctx.projectFolder / "Build" / (location.empty() ? std::string("Images") : location);
    fs::path target = folder / name;
    bool known = std::any_of(ctx.copies.begin(), ctx.copies.end(),
                             [&](const PictureCopy& c) { return c.to == target; });
    if (!known) {
        if (auto from = pictureSourceFile(ctx, source)) {
            ctx.copies.push_back({*from, target});
        } else if (std::find(ctx.missingPictures.begin(), ctx.missingPictures.end(), source) ==
                   ctx.missingPictures.end()) {
            ctx.missingPictures.push_back(source);
        }
    }
    return reference;
}

}  // namespace zolt

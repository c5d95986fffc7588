// What every markup routine of a build shares: the page it reads, the build
// mode, the folders it writes into and takes pictures from, the pictures to
// copy, and the controls it marked as written.
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "page/Page.h"

namespace zolt {

// A build that cannot be made; what() is a sentence fit for a message box.
class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A calendar day, used for "today" so that builds can be repeated exactly.
struct CalendarDate {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;
};

CalendarDate todayDate();

struct PictureCopy {
    std::filesystem::path from;
    std::filesystem::path to;
};

struct BuildContext {
    explicit BuildContext(Page& p) : page(p) {}

    Page& page;
    int mode = 1;                        // 1 build, anything else preview
    std::filesystem::path projectFolder; // holds the project file
    std::filesystem::path appFolder;     // holds Images/ with StartImage.jpg
    std::string imageLocation;           // the page body's ImageLocation
    CalendarDate today = todayDate();
    std::vector<PictureCopy> copies;     // pictures the built page refers to
    std::vector<std::string> missingPictures;  // ... that no file was found for
    bool wroteTabs = false;              // a tab control was written
    bool wroteCalendars = false;         // a calendar was written
    std::vector<Element> recorded;       // controls marked Recorded by this build
    // When the build reads a copy of the design surface: carries a change
    // the build makes to an element (an attribute, or with the name "" the
    // element's text) over to the live page.
    std::function<void(Element, const std::string& name, const std::string& value)> mirror;
    // Puts back what the build changed on the design surface, newest first,
    // when the build fails.
    std::vector<std::function<void()>> undo;

    bool building() const { return mode == 1; }
};

}  // namespace zolt

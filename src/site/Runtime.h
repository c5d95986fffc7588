// The runtime script of built pages: the globals and the functions that show,
// stack and centre forms, switch tab pages, fill calendars, send data and
// keep cookies. It opens the generated script of every build and preview.
#pragma once

#include <string>

namespace zolt {

struct RuntimeOptions {
    std::string zIndexCounter = "0";  // the designer's stacking counter, as a number
    std::string startForm;            // the start form's name
    bool withTabs = false;            // the design surface holds a tab control
    bool withCalendars = false;       // ... a calendar
};

// The whole runtime text, every line ended by CR LF, each function followed
// by an empty line.
std::string RuntimeScript(const RuntimeOptions& options);

}  // namespace zolt

// The designer page without a browser: the page document the executable
// carries, loaded into a DomPage with the start values its start-up sets, and
// small C++ stand-ins for the page routines that host routines call. Host
// routines then run on it as on the live page: in tests, and for commands
// that need no window (zolt build).
#pragma once

#include <functional>
#include <string>

#include "page/DomPage.h"

namespace zolt {

// What a page routine sends to the host (as the live page's sendCommand).
using SendCommand = std::function<void(const std::string& text)>;

// Loads the designer page into `page` (placeholders filled as the host
// serves them), sets the start values and registers the stand-ins.
void loadHeadlessDesigner(DomPage& page, SendCommand sendCommand);

}  // namespace zolt

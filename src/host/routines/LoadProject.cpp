// Opens the project file chosen in the file chooser.
#include "host/FileDialog.h"
#include "host/Routines.h"

namespace zolt {

void LoadProject(Host& host) {
    // The task itself arrives with its own change; until then the chooser
    // closes as after success.
    CloseDialog(host);
}

}  // namespace zolt

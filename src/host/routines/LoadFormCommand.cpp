// Imports the form file chosen in the file chooser into the open project.
#include "host/FileDialog.h"
#include "host/Routines.h"

namespace zolt {

void LoadFormCommand(Host& host) {
    // The task itself arrives with its own change; until then the chooser
    // closes as after success.
    CloseDialog(host);
}

}  // namespace zolt

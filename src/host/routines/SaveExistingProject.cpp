// Writes the open project's file and every form file.
#include "host/Routines.h"

namespace zolt {

void SaveExistingProject(Host&, bool) {
    // Arrives with its own change; recognised by the command bus already.
}

}  // namespace zolt

// Renames the open project.
#include "host/Routines.h"

namespace zolt {

void RenameProjectCommand(Host&) {
    // Arrives with its own change; recognised by the command bus already.
}

}  // namespace zolt

// Deletes the open project.
#include "host/Routines.h"

namespace zolt {

void DeleteProjectCommand(Host&) {
    // Arrives with its own change; recognised by the command bus already.
}

}  // namespace zolt

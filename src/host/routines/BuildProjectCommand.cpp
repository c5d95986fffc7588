// Builds (1) or previews (0) the open project.
#include "host/Routines.h"

namespace zolt {

void BuildProjectCommand(Host&, int) {
    // Arrives with its own change; recognised by the command bus already.
}

}  // namespace zolt

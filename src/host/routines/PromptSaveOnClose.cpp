// Offers to save the open project before it is left behind.
#include "host/Routines.h"

namespace zolt {

void PromptSaveOnClose(Host&) {
    // Arrives with its own change; recognised by the command bus already.
}

}  // namespace zolt

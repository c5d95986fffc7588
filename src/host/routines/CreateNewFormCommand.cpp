// Writes the file of the form the page has just created.
#include "host/Routines.h"

namespace zolt {

void CreateNewFormCommand(Host&) {
    // Arrives with its own change; recognised by the command bus already.
}

}  // namespace zolt

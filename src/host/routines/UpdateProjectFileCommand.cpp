// Renames or deletes a form's file.
#include "host/Routines.h"

namespace zolt {

void UpdateProjectFileCommand(Host&, const std::string&, const std::string&, const std::string&) {
    // Arrives with its own change; recognised by the command bus already.
}

}  // namespace zolt

// Style sheet files of the open project: list, save, delete, load.
#include "host/Routines.h"

namespace zolt {

// Each arrives with its own change; recognised by the command bus already.
void GetStyleSheets(Host&) {}
void SaveStyleSheet(Host&) {}
void DeleteStyleSheet(Host&) {}
void LoadStyleData(Host&) {}

}  // namespace zolt

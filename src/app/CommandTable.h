// What each command of the command bus (host/CommandBus.h) runs: the host's
// file chooser with its task, or a routine of storage, the site or this
// folder. It lives above them all, so that the host and storage each depend
// only on the layers below them.
#pragma once

#include <string>

#include "host/Host.h"

namespace zolt {

// Runs the command of a text. Returns false when the text holds no command.
bool runCommand(Host& host, const std::string& text);

}  // namespace zolt

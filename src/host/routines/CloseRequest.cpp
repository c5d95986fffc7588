// The close request of the main window.
#include "host/Routines.h"

namespace zolt {

bool CloseRequest(Host& host) {
    Page& page = host.pageRef();
    if (page.msgBox("Close Velkorasoft " + host.VersionText, MsgButtons::YesNo, MsgIcon::Question) !=
        MsgResult::Yes) {
        return false;
    }
    PromptSaveOnClose(host);
    if (host.quit) host.quit();
    return true;
}

}  // namespace zolt

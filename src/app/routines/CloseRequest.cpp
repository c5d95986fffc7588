// The close request of the main window.
#include "app/Routines.h"

namespace zolt {

bool CloseRequest(Host& host) {
    Page& page = host.pageRef();
    if (page.msgBox("Close Velkorasoft " + host.VersionText, MsgButtons::YesNo, MsgIcon::Question) !=
        MsgResult::Yes) {
        return false;
    }
    // A save the developer asked for that failed keeps the designer open.
    if (!PromptSaveOnClose(host)) return false;
    if (host.quit) host.quit();
    return true;
}

}  // namespace zolt

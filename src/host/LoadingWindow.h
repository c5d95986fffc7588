// The "Loading" window frmLoading: a small box with the label lblLoading,
// shown without blocking during long work and unloaded after it. It is made
// of page elements only, so it works on every Page (a headless build shows it
// in its in-memory document, harmlessly).
#pragma once

#include <string>

#include "host/Host.h"

namespace zolt {

// Shows the window with the label text ("Loading", or "Building" for a build).
// With `formsHidden` the forms on the design surface are not drawn until the
// window is unloaded: while a project opens, every form added would otherwise
// make the browser lay out and draw the whole growing surface again. They
// appear together at the end.
void ShowLoading(Host& host, const std::string& label = "Loading", bool formsHidden = false);
// Unloads it (and draws the forms again); the next showing starts afresh.
void UnloadLoading(Host& host);

// Shows the window for the lifetime of the object, also when the work fails.
class LoadingShown {
public:
    explicit LoadingShown(Host& host, const std::string& label = "Loading", bool formsHidden = false)
        : host_(host) {
        ShowLoading(host_, label, formsHidden);
    }
    ~LoadingShown() {
        try {
            UnloadLoading(host_);
        } catch (const PageError&) {
            // The page is gone: nothing is left to unload.
        }
    }
    LoadingShown(const LoadingShown&) = delete;
    LoadingShown& operator=(const LoadingShown&) = delete;

private:
    Host& host_;
};

}  // namespace zolt

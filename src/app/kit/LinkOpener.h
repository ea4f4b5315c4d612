#pragma once

#include "app/kit/Unanswered.h"

#include <QUrl>
#include <string>

namespace tollenvane {

// Opens a folder in the desktop's file manager or an address in the default browser, telling when
// nothing could; tests put a fake in its place.
class LinkOpener : public Unanswered {
public:
    virtual ~LinkOpener() = default;
    virtual void openFolder(const std::string& path) = 0;
    virtual void openUrl(const QUrl& url) = 0;
};

} // namespace tollenvane

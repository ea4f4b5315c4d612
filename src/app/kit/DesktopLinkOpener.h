#pragma once

#include "app/kit/LinkOpener.h"

namespace tollenvane {

// Hands folders and addresses to the desktop's default handlers, never through a shell.
class DesktopLinkOpener final : public LinkOpener {
public:
    void openFolder(const std::string& path) override;
    void openUrl(const QUrl& url) override;
};

} // namespace tollenvane

#pragma once

#include "model/access/FolderPanel.h"

namespace tollenvane {

// The folder chooser as a dialog over the active window. Qt's own dialog, because the
// desktop's cannot choose several folders at once.
class DialogFolderPanel final : public FolderPanel {
public:
    std::optional<std::vector<std::string>> run(const FolderPanelRequest& request) override;
};

} // namespace tollenvane

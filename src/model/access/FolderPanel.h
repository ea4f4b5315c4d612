#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// What the folder chooser is asked to show. Only folders can be chosen, and new folders may be
// created in it.
struct FolderPanelRequest {
    bool multipleSelection = false;
    std::string title;   // the window's: a few words naming the task
    std::string prompt;  // the confirm button
    std::string message; // shown above the folders
    std::optional<std::string> startFolder;

    bool operator==(const FolderPanelRequest&) const = default;
};

// The modal folder chooser of the desktop.
class FolderPanel {
public:
    virtual ~FolderPanel() = default;
    // The chosen folders in the chooser's order; nothing when the user cancelled.
    virtual std::optional<std::vector<std::string>> run(const FolderPanelRequest& request) = 0;
};

} // namespace tollenvane

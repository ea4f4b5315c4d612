#pragma once

#include "app/kit/KeyboardStart.h"
#include "app/kit/ModelPage.h"
#include "core/duplicates/DuplicateGroup.h"

#include <string>

namespace tollenvane {

class ElidedLabel;
class Panel;
class SecondaryButton;
class VirtualList;

// The groups of identical files found by the last search, each copy with the button that keeps
// it and sends the others to review. Only the groups in sight are built, so any number of them
// shows at once and scrolls freely. The keyboard starts on the first copy, else on a new search;
// while a search runs it waits for what the search finds.
class DuplicatesPage final : public ModelPage, public KeyboardStart {
    Q_OBJECT

public:
    explicit DuplicatesPage(AppModel& model, QWidget* parent = nullptr);

    bool takeKeyboard() override;

protected:
    void refresh() override;

private:
    void previewFile(const std::string& path);
    void keepCopy(const std::string& digest, const std::string& path);
    // Where the keyboard starts now: the first copy, else a new search; none while neither shows.
    QWidget* start() const;

    tollenvane::Panel* progress_; // QFrame names a shape Panel
    ElidedLabel* progressText_;
    QWidget* empty_;
    SecondaryButton* search_;
    VirtualList* groupList_;
    bool keepEnabled_ = true;
    // The keyboard waits for the search under way.
    bool holdsKeyboard_ = false;
    // A group panel is this tall, and as much again for each copy.
    int panelHeight_ = 0;
    int copyHeight_ = 0;
};

} // namespace tollenvane

#pragma once

#include "app/kit/ModelPage.h"
#include "core/duplicates/DuplicateGroup.h"

#include <string>

namespace tollenvane {

class DuplicateGroupList;
class ElidedLabel;
class Panel;
class SecondaryButton;

// The groups of identical files found by the last search, each copy with the button that keeps
// it and sends the others to review. Only the groups in sight are built, so any number of them
// shows at once and scrolls freely.
class DuplicatesPage final : public ModelPage {
    Q_OBJECT

public:
    explicit DuplicatesPage(AppModel& model, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    void previewFile(const std::string& path);
    void keepCopy(const std::string& digest, const std::string& path);

    tollenvane::Panel* progress_; // QFrame names a shape Panel
    ElidedLabel* progressText_;
    QWidget* empty_;
    SecondaryButton* search_;
    DuplicateGroupList* groupList_;
    bool groupsChanged_ = true;
    bool keepEnabled_ = true;
};

} // namespace tollenvane

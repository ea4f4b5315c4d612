#pragma once

#include "app/design/Panel.h"

#include <functional>
#include <string>

class QLabel;

namespace tollenvane {

class ElidedLabel;
class PlainButton;
class SecondaryButton;
struct SourceRow;

// The actions of a source's panel; each gets the grant's id.
struct SourceActions {
    std::function<void(const std::string&)> renew;
    std::function<void(const std::string&)> open;
    std::function<void(const std::string&)> remove;
};

// One authorised folder: its name, where it resolved to or why not, its file count, and the
// controls to renew its access or open it, and to remove it from the sources.
class SourcePanel final : public Panel {
    Q_OBJECT

public:
    SourcePanel(std::string grantID, const SourceActions& actions, QWidget* parent = nullptr);

    struct Controls {
        bool renew = true;
        bool remove = true;
    };
    void present(const std::string& name, const SourceRow& row, Controls enabled);

private:
    std::string grantID_;
    ElidedLabel* name_;
    QLabel* status_;
    ElidedLabel* count_;
    SecondaryButton* renew_;
    PlainButton* open_;
    PlainButton* remove_;
};

} // namespace tollenvane

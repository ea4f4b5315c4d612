#pragma once

#include "app/design/Panel.h"
#include "app/design/ShownText.h"

#include <functional>
#include <string>

namespace tollenvane {

class ElidedLabel;
class PlainButton;
class SecondaryButton;
class SelectableText;
struct SourceRow;

// The actions of a source's panel; each gets the grant's id.
struct SourceActions {
    std::function<void(const std::string&)> renew;
    std::function<void(const std::string&)> open;
    std::function<void(const std::string&)> remove;
};

// One authorised folder: its name, where it resolved to or why not, its file count, and the
// controls to renew its access or open it, and to remove it from the sources. The list hands a
// panel from grant to grant as it scrolls.
class SourcePanel final : public Panel {
    Q_OBJECT

public:
    explicit SourcePanel(const SourceActions& actions, QWidget* parent = nullptr);

    struct Controls {
        bool renew = true;
        bool remove = true;
    };
    // The panel shows the grant `grantID` from now on.
    void present(const std::string& grantID, const std::string& name, const SourceRow& row,
                 Controls enabled);
    // The status line as the panel shows it.
    static ShownText statusText(const SourceRow& row);
    // The width the status line wraps to, once the panel is laid out.
    int statusWidth() const;

private:
    std::string grantID_;
    ElidedLabel* name_;
    SelectableText* status_;
    ElidedLabel* count_;
    SecondaryButton* renew_;
    PlainButton* open_;
    PlainButton* remove_;
};

} // namespace tollenvane

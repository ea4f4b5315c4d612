#pragma once

#include "app/deck/MoveSheetRules.h"

#include <QWidget>
#include <functional>
#include <string>

namespace tollenvane {

class DestinationButton;
class PlainButton;

// One destination of the move sheet: the button that moves the card there, then a way to renew
// its access while it cannot be reached, to mark it a favourite and to take it off the list. A
// line follows its destination in place, so that the control holding the focus keeps it.
class DestinationLine final : public QWidget {
    Q_OBJECT

public:
    // Each receives the destination's id.
    struct Actions {
        std::function<void(const std::string&)> move;
        std::function<void(const std::string&)> renew;
        std::function<void(const std::string&)> toggleFavorite;
        std::function<void(const std::string&)> remove;
    };

    explicit DestinationLine(Actions actions, QWidget* parent = nullptr);

    void setDestination(const DestinationRow& row, bool busy);
    DestinationButton& main() const { return *main_; }

private:
    Actions actions_;
    std::string id_;
    DestinationButton* main_;
    PlainButton* renew_;
    PlainButton* favorite_;
    PlainButton* remove_;
};

} // namespace tollenvane

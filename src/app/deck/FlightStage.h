#pragma once

#include <QWidget>

namespace tollenvane {

class DeckView;

// A clear layer over the whole review screen on which a card is drawn while it moves away from
// the middle, above the rows around the deck, so that none of them cuts it. It takes no click and
// no focus: the card itself keeps its drag.
class FlightStage final : public QWidget {
    Q_OBJECT

public:
    explicit FlightStage(const DeckView& deck, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DeckView& deck_;
};

} // namespace tollenvane

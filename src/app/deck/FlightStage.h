#pragma once

#include <QPointer>
#include <QWidget>

namespace tollenvane {

class DeckView;

// A clear layer over the whole window on which a card is drawn while it moves away from the
// middle, above the sidebar and the rows around the deck, so that none of them cuts it. It takes
// no click and no focus: the card itself keeps its drag. It shows while the deck's screen shows
// and goes with the deck.
class FlightStage final : public QWidget {
    Q_OBJECT

public:
    FlightStage(const DeckView& deck, QWidget& screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void coverWindow();

    QPointer<const DeckView> deck_;
    QPointer<QWidget> screen_;
};

} // namespace tollenvane

#pragma once

#include <QAccessibleWidget>
#include <QPointer>

namespace tollenvane {

class SwipeMotionCard;

// What assistive technology is told of a card of the deck, or of the face it holds: while the
// card is not exposed it reports itself invisible and offers nothing inside it, so that only the
// card the person acts on is read out. The card itself is a group, named after its file.
class CardAccessible final : public QAccessibleWidget {
public:
    CardAccessible(QWidget* widget, SwipeMotionCard* card,
                   QAccessible::Role role = QAccessible::Client);

    // For QAccessible::installFactory: the deck, its cards and their faces, nothing else; the
    // deck is a group, read out by its placeholder while it holds the focus itself.
    static QAccessibleInterface* factory(const QString& key, QObject* object);

    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    bool hidden() const;

    QPointer<SwipeMotionCard> card_;
};

} // namespace tollenvane

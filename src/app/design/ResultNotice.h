#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tollenvane {

class SpokenNotice;

// Tells assistive technology of a result that appears where the keyboard is not (a count that
// changed, a folder added, a search that ended), once. It is told after whatever the action that
// made it does with the focus, and only once its window has the keyboard again (a chooser that
// closes gives it back later): a screen reader speaks the focus first and the result after it,
// whole, where the focus would cut the result short. Of several results waiting, the latest is
// told. Nothing is told while the owner is hidden, and nothing told comes back when it shows
// again.
class ResultNotice final : public QObject {
    Q_OBJECT

public:
    // A notice inside `owner`, found by `name`.
    ResultNotice(QWidget& owner, const QString& name);

    // Tells `text`, even when it was told last.
    void tell(const QString& text);
    // Tells `text` unless it is what was told or known last.
    void tellChange(const QString& text);
    // Takes `text` as heard without telling it: what the owner already shows.
    void know(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void deliver();

    QWidget& owner_;
    SpokenNotice* notice_;
    QString heard_;
    QString waiting_;
    bool queued_ = false;
    bool awaitsWindow_ = false;
};

} // namespace tollenvane

#pragma once

#include "app/design/TextFit.h"
#include "app/design/Theme.h"

#include <QAbstractButton>
#include <optional>

namespace tollenvane {

// A sidebar entry back into a review: an orange symbol and text, with an optional count at the
// end and an optional tinted surface.
class SessionEntry : public QAbstractButton {
    Q_OBJECT

public:
    struct Look {
        QFont font;
        int padding = 0;
        bool tinted = false;
        // Keeps room for a count, so that the entry does not widen as the count appears.
        bool counted = false;
    };

    SessionEntry(const QString& symbol, const QString& title, Look look, QWidget* parent = nullptr);

    // None shows no count.
    void setCount(std::optional<std::int64_t> count);
    std::optional<std::int64_t> count() const { return count_; }

    // Wide enough for the whole title beside a count of a few digits.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The title as drawn at the current width.
    TextFit titleFit() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int symbolSide() const;
    QString countText() const;
    // The room the count takes at the end, its spacing included.
    int countRoom() const;
    QRect titleBox() const;

    QString symbol_;
    Look look_;
    std::optional<std::int64_t> count_;
};

} // namespace tollenvane

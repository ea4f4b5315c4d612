#pragma once

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
    };

    SessionEntry(const QString& symbol, const QString& title, Look look, QWidget* parent = nullptr);

    // None shows no count.
    void setCount(std::optional<std::int64_t> count);
    std::optional<std::int64_t> count() const { return count_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int symbolSide() const;

    QString symbol_;
    Look look_;
    std::optional<std::int64_t> count_;
};

} // namespace tollenvane

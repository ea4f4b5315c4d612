#pragma once

#include "app/design/Theme.h"

#include <QTextLayout>
#include <QWidget>
#include <optional>
#include <utility>

namespace tollenvane {

// Plain text that wraps to its width, painted in a theme token resolved at paint time (the
// palette's window text when none is given), with optional extra space between lines.
class TextBlock : public QWidget {
    Q_OBJECT

public:
    explicit TextBlock(const QString& text, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setColor(std::optional<ThemeColor> token);
    void setLineSpacing(qreal extra);
    void setAlignment(Qt::Alignment alignment);
    // Lines wrap at this width even when the widget is wider; the alignment places them.
    void setMaximumLineWidth(int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    qreal lineWidth(int width) const;
    qreal lineLeft(qreal lineWidth) const;
    qreal laidOut(qreal lineWidth) const;
    void textChanged();

    QString text_;
    std::optional<ThemeColor> color_;
    qreal lineSpacing_ = 0;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    int maximumLineWidth_ = QWIDGETSIZE_MAX;
    // Layouts ask the same sizes many times over while a page is laid out; each is laid out once
    // until the text or its font changes.
    mutable std::optional<QSize> sizeHint_;
    mutable std::optional<std::pair<int, int>> heightForWidth_;
    // The text shaped once per text and font, its lines laid out again for each new width.
    mutable QTextLayout layout_;
    // The line width the layout's lines are laid out at, and the height they take.
    mutable std::optional<std::pair<qreal, qreal>> laidOut_;
};

} // namespace tollenvane

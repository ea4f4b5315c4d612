#pragma once

#include <QAbstractButton>

namespace tollenvane {

// The header of a section that opens and closes: a chevron that turns down while open, a
// symbol and a title. Checked means open; assistive technology reads it as a button that expands
// and collapses (AccessibleDisclosure), not as a check box.
class DisclosureButton final : public QAbstractButton {
    Q_OBJECT

public:
    DisclosureButton(const QString& title, const QString& symbol, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
};

} // namespace tollenvane

#pragma once

#include "app/deck/MoveSheetRules.h"

#include <QAbstractButton>

namespace tollenvane {

class ElidedLabel;
class TextBlock;

// The clickable part of a destination row: folder, name, where it leads, arrow, on a panel.
class DestinationButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit DestinationButton(QWidget* parent = nullptr);

    // `location` is the shown line: the folder's path, or the text asking to renew access.
    void setDestination(const DestinationRow& row, const QString& location);
    const ElidedLabel& locationLabel() const { return *location_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TextBlock* name_;
    ElidedLabel* location_;
};

} // namespace tollenvane

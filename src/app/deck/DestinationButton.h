#pragma once

#include "app/deck/MoveSheetRules.h"

#include <QAbstractButton>

namespace tollenvane {

class ElidedLabel;

// The clickable part of a destination row: folder, name, where it leads, arrow, on a panel.
class DestinationButton final : public QAbstractButton {
    Q_OBJECT

public:
    // `location` is the shown line: the folder's path, or the text asking to renew access.
    DestinationButton(const DestinationRow& row, const QString& location,
                      QWidget* parent = nullptr);

    const ElidedLabel& locationLabel() const { return *location_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    ElidedLabel* location_;
};

} // namespace tollenvane

#pragma once

#include "core/records/FileFilter.h"

#include <QAbstractButton>

namespace tollenvane {

// A type of the set-up page's grid: the category icon, its name and, while it is the filter's
// type, a checkmark on an orange wash.
class TypeTile final : public QAbstractButton {
    Q_OBJECT

public:
    explicit TypeTile(FileFilter type, QWidget* parent = nullptr);

    FileFilter type() const { return type_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FileFilter type_;
    bool selected_ = false;
};

} // namespace tollenvane

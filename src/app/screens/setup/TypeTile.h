#pragma once

#include "app/design/ChoiceButton.h"
#include "core/records/FileFilter.h"

namespace tollenvane {

// A type of the set-up page's grid: the category icon, its name and, while it is the filter's
// type, a checkmark on an orange wash.
class TypeTile final : public ChoiceButton {
    Q_OBJECT

public:
    explicit TypeTile(FileFilter type, QWidget* parent = nullptr);

    FileFilter type() const { return type_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FileFilter type_;
};

} // namespace tollenvane

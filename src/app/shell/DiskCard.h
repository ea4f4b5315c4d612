#pragma once

#include "app/design/TextFit.h"
#include "app/shell/SidebarRules.h"

#include <QWidget>

namespace tollenvane {

// The selected disk at a glance: its name, how full it is, and what is left.
class DiskCard : public QWidget {
    Q_OBJECT

public:
    explicit DiskCard(QWidget* parent = nullptr);

    void setContent(DiskCardContent content);
    const DiskCardContent& content() const { return content_; }

    // Wide enough for its texts but a volume's own name, which is shortened to the width.
    QSize sizeHint() const override;
    // The title and the free space as drawn at the current width.
    TextFit titleFit() const;
    TextFit freeSpaceFit() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF inner() const;
    QRectF titleBox() const;

    DiskCardContent content_;
};

} // namespace tollenvane

#pragma once

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

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DiskCardContent content_;
};

} // namespace tollenvane

#pragma once

#include "model/Page.h"

#include <QWidget>

namespace tollenvane {

// Stands for a page whose screen is not built yet: its symbol and title, centred.
class PagePlaceholder : public QWidget {
    Q_OBJECT

public:
    explicit PagePlaceholder(Page page, QWidget* parent = nullptr);
};

} // namespace tollenvane

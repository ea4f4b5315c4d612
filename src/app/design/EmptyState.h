#pragma once

#include <QWidget>

namespace tollenvane {

// The centred placeholder of an empty list: an orange symbol, a headline and a muted message
// that wraps at a readable width however wide the page is.
class EmptyState : public QWidget {
    Q_OBJECT

public:
    EmptyState(const QString& symbol, const QString& title, const QString& message,
               QWidget* parent = nullptr);
};

} // namespace tollenvane

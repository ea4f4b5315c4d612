#pragma once

#include <QWidget>

namespace tollenvane {

// The first step: what the application is for, in a picture and three lines.
class WelcomeStep final : public QWidget {
    Q_OBJECT

public:
    explicit WelcomeStep(QWidget* parent = nullptr);
};

} // namespace tollenvane

#pragma once

#include "app/design/Theme.h"

#include <QApplication>
#include <QPalette>

namespace tollenvane::test {

// Puts back the scheme and the application palette a test changed.
class SchemeScope {
public:
    SchemeScope()
        : scheme_(Theme::currentScheme())
        , palette_(QApplication::palette())
    {}
    ~SchemeScope()
    {
        Theme::setCurrentScheme(scheme_);
        QApplication::setPalette(palette_);
    }
    SchemeScope(const SchemeScope&) = delete;
    SchemeScope& operator=(const SchemeScope&) = delete;

private:
    ColorScheme scheme_;
    QPalette palette_;
};

} // namespace tollenvane::test

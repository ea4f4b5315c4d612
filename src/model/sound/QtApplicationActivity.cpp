#include "model/sound/QtApplicationActivity.h"

#include <QGuiApplication>

namespace tollenvane {

bool QtApplicationActivity::isActive() const
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr &&
           QGuiApplication::applicationState() == Qt::ApplicationActive;
}

} // namespace tollenvane

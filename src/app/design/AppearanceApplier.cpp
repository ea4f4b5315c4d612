#include "app/design/AppearanceApplier.h"

#include "app/design/AppearancePortal.h"
#include "app/design/ThemePalette.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QWidget>

namespace tollenvane {

AppearanceApplier::AppearanceApplier(QObject* parent)
    : QObject(parent)
    , platformWindow_(QApplication::palette().color(QPalette::Window))
{}

void AppearanceApplier::apply(AppAppearance preference)
{
    preference_ = preference;
    const bool followsSystem = preference == AppAppearance::system;
    followPortal(followsSystem);
    const SystemAppearance system{
        followsSystem ? AppearancePortal::readColorScheme() : std::nullopt, platformWindow_};
    putInForce(resolveColorScheme(preference, system));
}

void AppearanceApplier::portalSettingChanged(const QString& group, const QString& key,
                                             const QDBusVariant& value)
{
    if (preference_ != AppAppearance::system || group != AppearancePortal::group ||
        key != AppearancePortal::key) {
        return;
    }
    const SystemAppearance system{
        AppearancePortal::colorSchemeFromReply(QVariant::fromValue(value)), platformWindow_};
    putInForce(resolveColorScheme(preference_, system));
}

void AppearanceApplier::putInForce(ColorScheme scheme)
{
    Theme::setCurrentScheme(scheme);
    QApplication::setPalette(themePalette(scheme));
    // Painted widgets read the tokens at paint time; the palette change alone does not reach
    // those whose palette is unchanged.
    for (QWidget* widget : QApplication::allWidgets()) {
        widget->update();
    }
    emit schemeChanged(scheme);
}

void AppearanceApplier::followPortal(bool follow)
{
    if (follow == followingPortal_) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    if (follow) {
        followingPortal_ = bus.connect(AppearancePortal::service, AppearancePortal::path,
                                       AppearancePortal::interface, "SettingChanged", this,
                                       SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
    } else {
        bus.disconnect(AppearancePortal::service, AppearancePortal::path,
                       AppearancePortal::interface, "SettingChanged", this,
                       SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
        followingPortal_ = false;
    }
}

} // namespace tollenvane

#pragma once

#include "app/design/AppearanceResolution.h"

#include <QObject>

class QDBusVariant;

namespace tollenvane {

// The one place that puts an appearance preference into force: it resolves the scheme, sets
// it for painting code, gives the application the matching palette and repaints every window.
// While the preference follows the system it also follows the desktop's changes.
class AppearanceApplier : public QObject {
    Q_OBJECT

public:
    // Remembers the platform's palette before any palette of ours replaces it.
    explicit AppearanceApplier(QObject* parent = nullptr);

    void apply(AppAppearance preference);
    AppAppearance preference() const { return preference_; }

signals:
    void schemeChanged(ColorScheme scheme);

private slots:
    void portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void putInForce(ColorScheme scheme);
    void followPortal(bool follow);

    AppAppearance preference_ = AppAppearance::system;
    QColor platformWindow_;
    bool followingPortal_ = false;
};

} // namespace tollenvane

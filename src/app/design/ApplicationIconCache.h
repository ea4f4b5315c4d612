#pragma once

#include "app/design/ApplicationIconLookup.h"

#include <QCache>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tollenvane {

// The icons of files and applications, keyed by the path as given (a link and its target are
// two entries). Each path is looked up once at a time, on the file workers; the most recently
// used icons are kept. Main thread only.
class ApplicationIconCache final : public QObject {
    Q_OBJECT

public:
    // Runs on a file worker; gives up when `abandoned` is set.
    using Lookup = std::function<ApplicationIconSource(const std::string& path,
                                                       const std::atomic<bool>& abandoned)>;

    static constexpr int iconPixelSize = 128;

    ApplicationIconCache(Lookup lookup, int capacity, QObject* parent = nullptr);
    // Waits for nothing: the lookups under way are abandoned, their decoders killed, and their
    // results dropped.
    ~ApplicationIconCache() override;

    // The process's own, looking icons up on the system; owned by the application object.
    static ApplicationIconCache& shared();

    std::optional<QPixmap> cached(const QString& path) const;
    // Calls `done` on the main thread with the path's icon, unless `receiver` is gone by then.
    void fetch(const QString& path, QObject* receiver, std::function<void(const QPixmap&)> done);

private:
    struct Waiter {
        QPointer<QObject> receiver;
        std::function<void(const QPixmap&)> done;
    };

    void finish(const QString& path, const ApplicationIconSource& source);

    Lookup lookup_;
    QCache<QString, QPixmap> icons_;
    std::map<QString, std::vector<Waiter>> waiting_;
    std::shared_ptr<std::atomic<bool>> abandoned_ = std::make_shared<std::atomic<bool>>(false);
};

// The picture a looked-up source names: its image, else the first name the icon theme has.
// Main thread.
QPixmap iconPixmap(const ApplicationIconSource& source, int pixelSize);

} // namespace tollenvane

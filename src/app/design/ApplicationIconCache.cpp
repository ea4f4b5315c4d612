#include "app/design/ApplicationIconCache.h"

#include "app/decoding/BackgroundJob.h"
#include "app/design/Symbol.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QStyle>
#include <utility>

namespace tollenvane {

namespace {

// Enough for the applications list and the cards near the current one.
constexpr int sharedCapacity = 256;

} // namespace

ApplicationIconCache::ApplicationIconCache(Lookup lookup, int capacity, QObject* parent)
    : QObject(parent)
    , lookup_(std::move(lookup))
    , icons_(capacity)
{}

ApplicationIconCache::~ApplicationIconCache()
{
    abandoned_->store(true);
}

ApplicationIconCache& ApplicationIconCache::shared()
{
    static QPointer<ApplicationIconCache> instance;
    if (instance.isNull()) {
        const std::vector<std::string> folders = applicationEntryFolders();
        instance = new ApplicationIconCache(
            [folders](const std::string& path, const std::atomic<bool>& abandoned) {
                return lookupApplicationIcon(path, iconPixelSize, folders, abandoned);
            },
            sharedCapacity, QCoreApplication::instance());
    }
    return *instance;
}

std::optional<QPixmap> ApplicationIconCache::cached(const QString& path) const
{
    if (const QPixmap* icon = icons_.object(path)) {
        return *icon;
    }
    return std::nullopt;
}

void ApplicationIconCache::fetch(const QString& path, QObject* receiver,
                                 std::function<void(const QPixmap&)> done)
{
    if (const auto icon = cached(path)) {
        done(*icon);
        return;
    }
    auto& waiters = waiting_[path];
    waiters.push_back({receiver, std::move(done)});
    if (waiters.size() > 1) {
        return;
    }
    // Behind what the user opened: a preview or a page of a document waits for no icon.
    constexpr int behindPreviews = -1;
    runInBackground<ApplicationIconSource>(
        this,
        [file = QFile::encodeName(path).toStdString(), lookup = lookup_, abandoned = abandoned_] {
            return lookup(file, *abandoned);
        },
        [this, path](const ApplicationIconSource& source) { finish(path, source); },
        behindPreviews);
}

void ApplicationIconCache::finish(const QString& path, const ApplicationIconSource& source)
{
    const QPixmap icon = iconPixmap(source, iconPixelSize);
    icons_.insert(path, new QPixmap(icon));
    const auto found = waiting_.find(path);
    if (found == waiting_.end()) {
        return;
    }
    const std::vector<Waiter> waiters = std::move(found->second);
    waiting_.erase(found);
    for (const Waiter& waiter : waiters) {
        if (!waiter.receiver.isNull()) {
            waiter.done(icon);
        }
    }
}

QPixmap iconPixmap(const ApplicationIconSource& source, int pixelSize)
{
    if (!source.image.isNull()) {
        return QPixmap::fromImage(source.image);
    }
    Symbol::useIconTheme();
    for (const QString& name : source.themeNames) {
        if (!name.isEmpty() && QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name).pixmap(pixelSize, pixelSize);
        }
    }
    return QApplication::style()->standardIcon(QStyle::SP_FileIcon).pixmap(pixelSize, pixelSize);
}

} // namespace tollenvane

#include "app/design/Symbol.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QStandardPaths>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cmath>

namespace tollenvane {

namespace {

// Sorted by name. Themed entries name Adwaita's symbolic icons; drawn ones are the pictograms
// Adwaita has no match for: its arrows are chevrons, its information icon a bulb, its empty
// star half transparent, and it has no dashed or badged shapes.
constexpr std::array symbolTable{
    SymbolSource{"app.badge.fill", "application-x-executable", {}},
    SymbolSource{"app.dashed", {}, "app.dashed"},
    SymbolSource{"archivebox", "package-x-generic", {}},
    SymbolSource{"arrow.clockwise", "view-refresh", {}},
    SymbolSource{"arrow.clockwise.circle", "view-refresh", {}},
    SymbolSource{"arrow.clockwise.circle.fill", "view-refresh", {}},
    SymbolSource{"arrow.counterclockwise", "object-rotate-left", {}},
    SymbolSource{"arrow.down.circle", "folder-download", {}},
    SymbolSource{"arrow.left", {}, "arrow.left"},
    SymbolSource{"arrow.right", {}, "arrow.right"},
    SymbolSource{"arrow.up", {}, "arrow.up"},
    SymbolSource{"arrow.up.left.and.arrow.down.right", "view-fullscreen", {}},
    SymbolSource{"arrow.up.right", {}, "arrow.up.right"},
    SymbolSource{"arrow.up.right.square", {}, "arrow.up.right.square"},
    SymbolSource{"arrow.uturn.backward", "edit-undo", {}},
    SymbolSource{"checkmark", "object-select", {}},
    SymbolSource{"checkmark.circle.fill", "emblem-default", {}},
    SymbolSource{"checkmark.seal", "emblem-ok", {}},
    SymbolSource{"chevron.right", "go-next", {}},
    SymbolSource{"circle.lefthalf.filled", {}, "circle.lefthalf.filled"},
    SymbolSource{"clock", "preferences-system-time", {}},
    SymbolSource{"clock.arrow.circlepath", "document-open-recent", {}},
    SymbolSource{"doc", "text-x-generic", {}},
    SymbolSource{"doc.fill", "text-x-generic", {}},
    SymbolSource{"doc.richtext", "x-office-document", {}},
    SymbolSource{"doc.richtext.fill", "x-office-document", {}},
    SymbolSource{"doc.text", "text-x-generic", {}},
    SymbolSource{"doc.text.fill", "text-x-generic", {}},
    SymbolSource{"doc.text.magnifyingglass", "edit-find", {}},
    SymbolSource{"exclamationmark.triangle", "dialog-warning", {}},
    SymbolSource{"externaldrive", "drive-removable-media", {}},
    SymbolSource{"externaldrive.badge.plus", {}, "externaldrive.badge.plus"},
    SymbolSource{"externaldrive.fill", "drive-removable-media", {}},
    SymbolSource{"eye", "view-reveal", {}},
    SymbolSource{"film", "video-x-generic", {}},
    SymbolSource{"film.stack", "emblem-videos", {}},
    SymbolSource{"folder", "folder", {}},
    SymbolSource{"folder.badge.checkmark", {}, "folder.badge.checkmark"},
    SymbolSource{"folder.badge.plus", "folder-new", {}},
    SymbolSource{"folder.badge.questionmark", {}, "folder.badge.questionmark"},
    SymbolSource{"folder.fill", "folder", {}},
    SymbolSource{"icloud.and.arrow.down", {}, "icloud.and.arrow.down"},
    SymbolSource{"info.circle", {}, "info.circle"},
    SymbolSource{"internaldrive", "drive-harddisk", {}},
    SymbolSource{"laptopcomputer", "computer", {}},
    SymbolSource{"lock.fill", "changes-prevent", {}},
    SymbolSource{"lock.open", "changes-allow", {}},
    SymbolSource{"lock.shield", "security-high", {}},
    SymbolSource{"magnifyingglass", "system-search", {}},
    SymbolSource{"menubar.dock.rectangle", "user-desktop", {}},
    SymbolSource{"minus.circle", {}, "minus.circle"},
    SymbolSource{"moon.fill", "weather-clear-night", {}},
    SymbolSource{"pause", "media-playback-pause", {}},
    SymbolSource{"photo", "image-x-generic", {}},
    SymbolSource{"photo.fill", "image-x-generic", {}},
    SymbolSource{"photo.on.rectangle.angled", "emblem-photos", {}},
    SymbolSource{"play.fill", "media-playback-start", {}},
    SymbolSource{"play.rectangle", {}, "play.rectangle"},
    SymbolSource{"play.rectangle.fill", {}, "play.rectangle.fill"},
    SymbolSource{"plus", "list-add", {}},
    SymbolSource{"rectangle.stack", "edit-copy", {}},
    SymbolSource{"rectangle.stack.fill", "edit-copy", {}},
    SymbolSource{"shippingbox.fill", "package-x-generic", {}},
    SymbolSource{"slider.horizontal.3", {}, "slider.horizontal.3"},
    SymbolSource{"sparkles", {}, "sparkles"},
    SymbolSource{"speaker.wave.2", "audio-volume-medium", {}},
    SymbolSource{"square.grid.2x2", "view-grid", {}},
    SymbolSource{"square.grid.3x3", "view-app-grid", {}},
    SymbolSource{"star", {}, "star"},
    SymbolSource{"star.fill", "starred", {}},
    SymbolSource{"sun.max.fill", "weather-clear", {}},
    SymbolSource{"trash", "user-trash", {}},
    SymbolSource{"tray.full", {}, "tray.full"},
    SymbolSource{"viewfinder", {}, "viewfinder"},
    SymbolSource{"waveform", {}, "waveform"},
    SymbolSource{"xmark", "window-close", {}},
};

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon sourceIcon(const SymbolSource& source)
{
    if (source.isDrawn()) {
        return QIcon(QStringLiteral(":/symbols/") + qt(source.drawing) + QStringLiteral(".svg"));
    }
    Symbol::useIconTheme();
    return QIcon::fromTheme(qt(source.themeIcon) + QStringLiteral("-symbolic"));
}

QPixmap tinted(const SymbolSource& source, int size, const QColor& color, qreal ratio)
{
    const int side = std::max(1, static_cast<int>(std::lround(size * ratio)));
    const QPixmap picture = sourceIcon(source).pixmap(QSize(side, side), 1.0);
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        const QSize drawn = picture.size().scaled(side, side, Qt::KeepAspectRatio);
        const QRect target((side - drawn.width()) / 2, (side - drawn.height()) / 2, drawn.width(),
                           drawn.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, picture);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(canvas.rect(), color);
    }
    QPixmap result = QPixmap::fromImage(canvas);
    result.setDevicePixelRatio(ratio);
    return result;
}

} // namespace

int Symbol::sideBeside(qreal fontPixelSize)
{
    return static_cast<int>(std::lround(fontPixelSize * boxScale));
}

void Symbol::useIconTheme()
{
    static const bool installed = [] {
        // Platforms without a desktop theme (offscreen among them) search only the resources.
        QStringList searchPaths = QIcon::themeSearchPaths();
        for (const QString& folder :
             QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                       QStandardPaths::LocateDirectory)) {
            if (!searchPaths.contains(folder)) {
                searchPaths.append(folder);
            }
        }
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        if (QIcon::themeName().isEmpty()) {
            QIcon::setThemeName(QStringLiteral("Adwaita"));
        }
        return true;
    }();
    Q_UNUSED(installed);
}

std::span<const SymbolSource> Symbol::table()
{
    return symbolTable;
}

const SymbolSource* Symbol::find(std::string_view name)
{
    const auto found = std::lower_bound(
        symbolTable.begin(), symbolTable.end(), name,
        [](const SymbolSource& entry, std::string_view key) { return entry.name < key; });
    return found != symbolTable.end() && found->name == name ? &*found : nullptr;
}

QPixmap Symbol::pixmap(std::string_view name, int size, const QColor& color, qreal devicePixelRatio)
{
    const SymbolSource* source = find(name);
    if (source == nullptr) {
        qWarning("No picture for the symbol \"%s\"", qPrintable(qt(name)));
        return {};
    }
    const QString key = QStringLiteral("symbol|%1|%2|%3|%4")
                            .arg(qt(name))
                            .arg(size)
                            .arg(color.rgba(), 0, 16)
                            .arg(devicePixelRatio);
    QPixmap result;
    if (!QPixmapCache::find(key, &result)) {
        result = tinted(*source, size, color, devicePixelRatio);
        QPixmapCache::insert(key, result);
    }
    return result;
}

QIcon Symbol::icon(std::string_view name, const QColor& color)
{
    QIcon result;
    for (const int size : {16, 24, 32, 48}) {
        for (const qreal ratio : {1.0, 2.0}) {
            const QPixmap picture = pixmap(name, size, color, ratio);
            if (!picture.isNull()) {
                result.addPixmap(picture);
            }
        }
    }
    return result;
}

void Symbol::paint(QPainter& painter, const QRectF& box, std::string_view name, const QColor& color)
{
    const qreal side = std::min(box.width(), box.height());
    const int size = static_cast<int>(std::lround(side));
    if (size <= 0) {
        return;
    }
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap picture = pixmap(name, size, color, ratio);
    const QRectF target(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
}

} // namespace tollenvane

#include "app/preview/MetadataCard.h"

#include "app/design/ApplicationIcon.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "core/localisation/Formatting.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

ElidedLabel* line(const QString& text, int pixelSize, QFont::Weight weight,
                  std::optional<ThemeColor> color)
{
    auto* label = new ElidedLabel(text, ElisionSide::middle);
    label->setFont(DesignFont::system(pixelSize, weight));
    label->setColor(color);
    return label;
}

} // namespace

MetadataCard::MetadataCard(const QString& path, qint64 size, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("metadataCard"));
    // For its name only: the card never reads the file's status.
    const QFileInfo info(path);
    auto* icon = new ApplicationIcon;
    icon->setFixedSize(96, 96);
    icon->setPath(path);
    const QString type =
        QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).comment();

    auto* column = new QVBoxLayout(this);
    column->setSpacing(10);
    column->addStretch();
    column->addWidget(icon, 0, Qt::AlignHCenter);
    column->addWidget(line(shownName(info.fileName()), 15, QFont::DemiBold, std::nullopt), 0,
                      Qt::AlignHCenter);
    column->addWidget(
        line(QString::fromStdString(formattedBytes(size)), 12, QFont::Normal, Theme::muted), 0,
        Qt::AlignHCenter);
    column->addWidget(line(type, 12, QFont::Normal, Theme::muted), 0, Qt::AlignHCenter);
    column->addStretch();
}

} // namespace tollenvane

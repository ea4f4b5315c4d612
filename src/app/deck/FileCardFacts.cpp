#include "app/deck/FileCardFacts.h"

#include "app/design/ShownName.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "core/records/FileKind.h"

#include <QStringList>

namespace tollenvane {
namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

QString containingFolder(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash <= 0) {
        return QStringLiteral("/");
    }
    return path.left(slash);
}

FileCardFacts fileCardFacts(const FileRecord& record, bool missing)
{
    const QString path =
        QString::fromUtf8(record.path().data(), static_cast<qsizetype>(record.path().size()));
    return FileCardFacts{
        .name = shownName(
            QString::fromUtf8(record.name().data(), static_cast<qsizetype>(record.name().size()))),
        .folder = shownName(containingFolder(path)),
        .kind = qt(label(record.kind())),
        // The logical size: what the user knows the file by, not what it holds on disk.
        .size = qt(formattedBytes(record.size())),
        .modified =
            qt(Localization::text("Modifié {0}", {localizedDate(record.modified(), false)})),
        .created = qt(Localization::text("Créé {0}", {localizedDate(record.created(), false)})),
        .previewEnabled = record.available(),
        .skipShown = !record.available() || missing,
    };
}

QString spokenFacts(const FileCardFacts& facts)
{
    return spokenText(QStringList{facts.name, facts.kind, facts.size}.join(QStringLiteral(", ")));
}

} // namespace tollenvane

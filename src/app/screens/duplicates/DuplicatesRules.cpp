#include "app/screens/duplicates/DuplicatesRules.h"

#include "app/design/SpokenFigures.h"
#include "app/kit/NameInFolder.h"
#include "core/base/Path.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

DuplicatesStatus duplicatesStatus(bool findingDuplicates, bool groupsEmpty)
{
    if (findingDuplicates) {
        return DuplicatesStatus::searching;
    }
    return groupsEmpty ? DuplicatesStatus::empty : DuplicatesStatus::none;
}

bool canSearchAgain(bool scanning, bool sessionActive)
{
    return !scanning && !sessionActive;
}

bool canKeepCopy(bool sessionActive)
{
    return !sessionActive;
}

QString copiesText(const DuplicateGroup& group)
{
    return QString::fromStdString(
        Localization::text("{0} copies identiques", {Localization::describe(group.files.size())}));
}

QString reclaimableText(const DuplicateGroup& group)
{
    return QString::fromStdString(
        Localization::text("{0} récupérables", {formattedBytes(group.reclaimable())}));
}

QString spokenGroupHeader(const DuplicateGroup& group)
{
    return spokenWithFigures(copiesText(group), {reclaimableText(group)});
}

QString folderOf(std::string_view path)
{
    const std::string_view folder = path::parent(path);
    return QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size()));
}

QString copyName(const FileRecord& file)
{
    const std::string_view name = file.name();
    return spokenWithFigures(
        nameInFolder(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                     file.path()),
        {QString::fromStdString(formattedBytes(file.size()))});
}

} // namespace tollenvane

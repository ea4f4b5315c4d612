#include "app/kit/AddedFolders.h"

#include "app/design/LocalizedText.h"
#include "app/design/ShownName.h"
#include "core/localisation/Localization.h"

#include <QStringList>

namespace tollenvane {

namespace {

// Past this many, names would make a notice too long to follow.
constexpr std::size_t namedAtMost = 3;

} // namespace

std::vector<std::string> AddedFolders::since(const std::vector<FolderGrant>& grants)
{
    std::set<std::string> now;
    std::vector<std::string> added;
    for (const FolderGrant& grant : grants) {
        now.insert(grant.id);
        if (known_ && !known_->contains(grant.id)) {
            added.push_back(grant.name);
        }
    }
    known_ = std::move(now);
    return added;
}

QString foldersAddedNotice(const std::vector<std::string>& names)
{
    if (names.empty()) {
        return {};
    }
    if (names.size() == 1) {
        return localized("Dossier ajouté : {0}", {shownName(names.front()).toStdString()});
    }
    const std::string count = Localization::describe(names.size());
    if (names.size() > namedAtMost) {
        return localized("{0} dossiers ajoutés", {count});
    }
    QStringList shown;
    for (const std::string& name : names) {
        shown << shownName(name);
    }
    return localized("{0} dossiers ajoutés : {1}",
                     {count, shown.join(QStringLiteral(", ")).toStdString()});
}

} // namespace tollenvane

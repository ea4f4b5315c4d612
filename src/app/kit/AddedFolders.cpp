#include "app/kit/AddedFolders.h"

#include "app/design/LocalizedText.h"
#include "app/design/ShownName.h"
#include "core/localisation/Localization.h"

#include <QStringList>
#include <algorithm>

namespace tollenvane {

namespace {

// Past this many, names would make a notice too long to follow.
constexpr std::size_t namedAtMost = 3;

} // namespace

std::vector<std::string> AddedFolders::since(const std::vector<FolderGrant>& grants)
{
    // Most changes of state leave the folders as they were: nothing to gather then.
    if (known_ && std::equal(grants.begin(), grants.end(), listed_.begin(), listed_.end(),
                             [](const FolderGrant& grant, const std::string& id) {
                                 return grant.id == id;
                             })) {
        return {};
    }
    std::set<std::string> now;
    std::vector<std::string> added;
    listed_.clear();
    for (const FolderGrant& grant : grants) {
        now.insert(grant.id);
        listed_.push_back(grant.id);
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

#include "app/screens/applications/ApplicationTexts.h"

#include "app/design/ShownName.h"
#include "app/design/SpokenFigures.h"
#include "core/base/Path.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

namespace tollenvane {
namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString lastUseText(const std::optional<Date>& lastUsed)
{
    if (!lastUsed) {
        return QString::fromStdString(L("Dernière ouverture inconnue"));
    }
    return QString::fromStdString(L("Dernière ouverture : {0}", localizedDate(*lastUsed, false)));
}

QString standingText(ApplicationStanding standing)
{
    switch (standing) {
    case ApplicationStanding::protectedApplication:
        return QString::fromStdString(L("Application protégée"));
    case ApplicationStanding::running:
        return QString::fromStdString(L("Ouverte"));
    case ApplicationStanding::sortable:
        break;
    }
    return {};
}

} // namespace

ApplicationTexts ApplicationTexts::of(const FileRecord& application)
{
    const std::string_view path = application.path();
    const auto& version = application.applicationVersion();
    return {
        .name = shownName(applicationName(application.name())),
        .version = version ? QString::fromStdString(*version) : QString(),
        .folder = shownName(fromUtf8(path::parent(path))),
        .lastUse = lastUseText(application.lastUsed()),
        .size = QString::fromStdString(formattedBytes(application.size())),
    };
}

QString spokenApplication(const FileRecord& application, ApplicationStanding standing)
{
    const ApplicationTexts texts = ApplicationTexts::of(application);
    return spokenWithFigures(texts.name, {texts.version, texts.folder, texts.lastUse, texts.size,
                                          standingText(standing)});
}

} // namespace tollenvane

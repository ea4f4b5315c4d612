#include "app/screens/tiles/TallyText.h"

#include "app/design/SpokenFigures.h"
#include "core/localisation/Formatting.h"

namespace tollenvane {

QStringList tallyFigures(const FileTally& tally)
{
    return {QString::fromStdString(localizedFileCount(tally.count)),
            QString::fromStdString(formattedBytes(tally.bytes))};
}

QString tallyText(const FileTally& tally)
{
    return tallyFigures(tally).join(QStringLiteral(" · "));
}

QString spokenTally(const QString& title, const FileTally& tally)
{
    return spokenWithFigures(title, tallyFigures(tally));
}

} // namespace tollenvane

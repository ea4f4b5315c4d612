#include "app/screens/tiles/TallyText.h"

#include "core/localisation/Formatting.h"

namespace tollenvane {

QString tallyText(const FileTally& tally)
{
    return QString::fromStdString(localizedFileCount(tally.count) + " · " +
                                  formattedBytes(tally.bytes));
}

} // namespace tollenvane

#pragma once

#include "app/screens/applications/ApplicationSelection.h"
#include "core/records/FileRecord.h"

#include <QString>

namespace tollenvane {

// The texts a row shows of one application, fit to show, in the order it draws them.
struct ApplicationTexts {
    QString name;
    // Empty when the bundle tells none.
    QString version;
    QString folder;
    QString lastUse;
    QString size;

    static ApplicationTexts of(const FileRecord& application);
};

// What the controls of an application's row read after their own name: every text the row shows
// and what its standing shows, a lock or "Ouverte".
QString spokenApplication(const FileRecord& application, ApplicationStanding standing);

} // namespace tollenvane

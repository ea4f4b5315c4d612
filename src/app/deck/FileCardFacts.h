#pragma once

#include "core/records/FileRecord.h"

#include <QString>

namespace tollenvane {

// What the card of one file says about it, in the current language.
struct FileCardFacts {
    QString name;
    QString folder;
    QString kind;
    QString size;
    QString modified;
    QString created;
    // The full preview needs the contents on this computer.
    bool previewEnabled = true;
    // Offered for a file known to be elsewhere, or found gone since it was indexed.
    bool skipShown = false;

    bool operator==(const FileCardFacts&) const = default;
};

// `missing`: the last look at the record's path found nothing there.
FileCardFacts fileCardFacts(const FileRecord& record, bool missing);

// What assistive technology reads of the card: its name, kind and size as the card shows them,
// the name without the marks that isolate it.
QString spokenFacts(const FileCardFacts& facts);

// The folder that holds `path`; the root holds itself.
QString containingFolder(const QString& path);

} // namespace tollenvane

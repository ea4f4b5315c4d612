#include "app/design/SpokenSentences.h"

namespace tollenvane {

QString spokenSentences(const QStringList& texts)
{
    QStringList sentences;
    for (const QString& text : texts) {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) {
            continue;
        }
        const bool ended = trimmed.endsWith(u'.') || trimmed.endsWith(u'!') ||
                           trimmed.endsWith(u'?') || trimmed.endsWith(u'…');
        sentences << (ended ? trimmed : trimmed + u'.');
    }
    return sentences.join(u' ');
}

} // namespace tollenvane

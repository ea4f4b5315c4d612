#pragma once

#include <QDir>
#include <QString>

namespace tollenvane::test {

// The folder where screen tests leave their pictures for people to look at, made when missing.
inline QString screenshotFolder()
{
    const QString folder = QStringLiteral(TOLLENVANE_SCREENSHOTS);
    QDir().mkpath(folder);
    return folder;
}

} // namespace tollenvane::test

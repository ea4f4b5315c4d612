#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <string>
#include <string_view>

namespace tollenvane {

// A file, folder, volume or application name (or a path) made fit to show. A person decides a
// file's fate from its name, so no name may pass for another: bidirectional controls, other
// format and control characters and line separators show as visible marks, a name of spaces
// only shows its spaces, and the whole is isolated so it cannot reorder the text around it.
QString shownName(QStringView name);
QString shownName(const std::string& name);
// The same name in its parts, each as it shows and as it copies: what a person copies is the
// name itself, without the marks and the isolation that show it.
void shownNameParts(QStringView name,
                    const std::function<void(QStringView shown, QStringView copied)>& part);

// A problem as scans and inventories word it, "<name> : <description>", its name made fit to
// show. Descriptions never hold the separator and names may, so the name runs to the last one;
// a text without it names nothing and is shown as it is.
QString shownProblem(std::string_view text);

// What assistive technology reads of a shown text: the isolation marks around its names and the
// joiners and no-break spaces that keep them whole are for the eye, and a screen reader would
// spell them out. The visible marks of controls inside a name stay, so that no name is heard as
// another.
QString spokenText(QStringView shown);

} // namespace tollenvane

#pragma once

#include <QWidget>

namespace tollenvane {

// A page's title block: a small upper-cased eyebrow, the title, and a muted explanation.
class PageHeading : public QWidget {
    Q_OBJECT

public:
    PageHeading(const QString& eyebrow, const QString& title, const QString& subtitle,
                QWidget* parent = nullptr);
};

// The eyebrow as shown: upper-cased by the default Unicode mapping, whatever the language.
QString eyebrowText(const QString& eyebrow);

} // namespace tollenvane

#include "app/design/PageHeading.h"

#include "app/design/DesignFont.h"
#include "app/design/TextBlock.h"

#include <QVBoxLayout>

namespace tollenvane {

namespace {

TextBlock* line(const QString& text, const QFont& font, QWidget* parent)
{
    auto* block = new TextBlock(text, parent);
    block->setFont(font);
    return block;
}

} // namespace

QString eyebrowText(const QString& eyebrow)
{
    return eyebrow.toUpper();
}

PageHeading::PageHeading(const QString& eyebrow, const QString& title, const QString& subtitle,
                         QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    auto* eyebrowLine =
        line(eyebrowText(eyebrow),
             DesignFont::tracked(DesignFont::monospaced(10, QFont::DemiBold), 2), this);
    eyebrowLine->setObjectName("eyebrow");
    eyebrowLine->setColor(Theme::orange);
    auto* titleLine =
        line(title, DesignFont::tracked(DesignFont::system(32, QFont::DemiBold), -0.8), this);
    titleLine->setObjectName("title");
    auto* subtitleLine = line(subtitle, DesignFont::system(14), this);
    subtitleLine->setObjectName("subtitle");
    subtitleLine->setColor(Theme::muted);
    subtitleLine->setLineSpacing(4);

    layout->addWidget(eyebrowLine);
    layout->addWidget(titleLine);
    layout->addWidget(subtitleLine);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

} // namespace tollenvane

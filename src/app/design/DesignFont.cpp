#include "app/design/DesignFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace tollenvane {

namespace {

QFont sized(QFont font, int pixelSize, QFont::Weight weight)
{
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace

QFont DesignFont::system(int pixelSize, QFont::Weight weight)
{
    return sized(QGuiApplication::font(), pixelSize, weight);
}

QFont DesignFont::monospaced(int pixelSize, QFont::Weight weight)
{
    return sized(QFontDatabase::systemFont(QFontDatabase::FixedFont), pixelSize, weight);
}

QFont DesignFont::tracked(QFont font, qreal tracking)
{
    font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return font;
}

} // namespace tollenvane

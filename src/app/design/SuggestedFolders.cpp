#include "app/design/SuggestedFolders.h"

#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/LocalizedText.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

namespace tollenvane {

namespace {

constexpr int padding = 18;
constexpr int symbolSize = 22;
constexpr int titleSize = 12;
constexpr int stackSpacing = 15;
constexpr qreal cornerRadius = 12;

QFont titleFont(const QFont& base)
{
    QFont font = base;
    font.setPixelSize(titleSize);
    font.setWeight(QFont::Medium);
    return font;
}

int symbolBox(int fontSize)
{
    return Symbol::sideBeside(fontSize);
}

// A plain button: no bezel, its look is the tile itself.
class Tile final : public QAbstractButton {
public:
    Tile(const SuggestedFolder& suggestion, QWidget* parent)
        : QAbstractButton(parent)
        , symbol_(suggestion.symbol)
    {
        setText(localized(suggestion.titleKey));
        setObjectName(QStringLiteral("suggestedFolder.") +
                      QString::fromUtf8(suggestion.titleKey.data(),
                                        static_cast<qsizetype>(suggestion.titleKey.size())));
        setFont(titleFont(font()));
    }

    static int height(const QFont& font)
    {
        const int line = std::max(QFontMetrics(titleFont(font)).height(), symbolBox(titleSize));
        return padding + symbolBox(symbolSize) + stackSpacing + line + padding;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        LiftButtonStyle::applyTo(painter, *this);
        QPainterPath outline;
        outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius,
                               cornerRadius);
        painter.fillPath(outline, Theme::color(Theme::panel));
        painter.strokePath(outline, QPen(Theme::color(Theme::line), 1));

        const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
        const int big = symbolBox(symbolSize);
        Symbol::paint(painter, QRectF(content.left(), content.top(), big, big), symbol_,
                      Theme::color(Theme::orange));

        const int small = symbolBox(titleSize);
        const int line = std::max(fontMetrics().height(), small);
        const QRectF row(content.left(), content.top() + big + stackSpacing, content.width(), line);
        Symbol::paint(painter, QRectF(row.right() - small, row.top(), small, row.height()), "plus",
                      Theme::color(Theme::muted));
        painter.setPen(Theme::color(Theme::text));
        const QRectF title = row.adjusted(0, 0, -small - 8, 0);
        painter.drawText(
            title, Qt::AlignLeft | Qt::AlignVCenter,
            fontMetrics().elidedText(text(), Qt::ElideRight, static_cast<int>(title.width())));
        paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
    }

private:
    std::string_view symbol_;
};

} // namespace

const std::array<SuggestedFolder, 5>& suggestedFolders()
{
    static constexpr std::array<SuggestedFolder, 5> choices{{
        {"Bureau", "menubar.dock.rectangle", StandardFolder::desktop},
        {"Documents", "doc.text", StandardFolder::documents},
        {"Téléchargements", "arrow.down.circle", StandardFolder::downloads},
        {"Images", "photo", StandardFolder::pictures},
        {"Vidéos", "film", StandardFolder::movies},
    }};
    return choices;
}

int suggestedFolderColumns(int width)
{
    return tileGridColumns(width, SuggestedFolders::metrics);
}

std::function<void(StandardFolder)> sourceChooser(AppModel& model)
{
    return [&model](StandardFolder folder) {
        model.chooseFolders(false, std::nullopt, folder, std::nullopt);
    };
}

SuggestedFolders::SuggestedFolders(std::function<void(StandardFolder)> choose, QWidget* parent)
    : TileGrid(metrics, parent)
{
    for (const SuggestedFolder& suggestion : suggestedFolders()) {
        auto* tile = new Tile(suggestion, this);
        connect(tile, &QAbstractButton::clicked, this,
                [choose, folder = suggestion.folder] { choose(folder); });
        addTile(tile);
    }
}

int SuggestedFolders::tileHeight() const
{
    return Tile::height(font());
}

} // namespace tollenvane

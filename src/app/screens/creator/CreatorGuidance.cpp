#include "app/screens/creator/CreatorGuidance.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/PrimaryButton.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/LinkOpener.h"
#include "app/kit/PageText.h"
#include "core/insights/SpacePreset.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

// A hairline in the line colour, resolved when painted.
class Divider final : public QWidget {
public:
    explicit Divider(QWidget* parent)
        : QWidget(parent)
    {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Theme::color(Theme::line));
    }
};

} // namespace

QUrl CreatorGuidance::firstGuide()
{
    return QUrl(QStringLiteral("https://support.apple.com/guide/final-cut-pro/welcome/mac"));
}

QUrl CreatorGuidance::secondGuide()
{
    return QUrl(QStringLiteral("https://documents.blackmagicdesign.com/UserManuals/"
                               "DaVinci_Resolve_17_Colorist_Guide.pdf"));
}

bool CreatorGuidance::canReview(bool busy, FileTally creatorTally)
{
    return !busy && creatorTally.count > 0;
}

CreatorGuidance::CreatorGuidance(AppModel& model, LinkOpener& links, QWidget* parent)
    : Panel(parent)
    , model_(model)
    , links_(links)
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName("creatorGuidance");
    QVBoxLayout& column = *contentLayout();
    column.setSpacing(16);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(
        new SymbolView(QStringLiteral("film.stack"), Symbol::sideBeside(25), Theme::orange, this));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(5);
    // One line each: wrapped text beside the symbol would not get its height from the row.
    titles->addWidget(lineText(localized("Un espace pour créer."),
                               {17, QFont::DemiBold, std::nullopt}, ElisionSide::end, this));
    titles->addWidget(
        lineText(localized("MOV, MP4, MXF, ProRes, BRAW : retrouvez les vidéos de plus de 500 Mo."),
                 {11, QFont::Normal, Theme::muted}, ElisionSide::end, this));
    header->addLayout(titles, 1);
    column.addLayout(header);

    column.addWidget(wrappedText(localized("Un gros fichier peut être un export ou un original "
                                           "précieux. Vérifiez son emplacement et son aperçu "
                                           "avant de décider."),
                                 {12, QFont::Normal, Theme::muted}, this));

    review_ = new PrimaryButton(
        localized("Examiner les grandes vidéos"), QStringLiteral("play.rectangle"),
        [this] { model_.setup(filter(SpacePreset::creator)); }, this);
    review_->setObjectName("reviewLargeVideos");
    column.addWidget(review_, 0, Qt::AlignLeft);

    column.addWidget(new Divider(this));
    column.addWidget(
        wrappedText(localized("Caches de montage : gardez la main dans votre logiciel."),
                    {13, QFont::DemiBold, std::nullopt}, this));
    column.addWidget(wrappedText(
        localized("Nettoyez les rendus depuis Final Cut Pro ou DaVinci Resolve. Tollenvane ne "
                  "parcourt pas les bibliothèques Final Cut et ne nettoie pas automatiquement "
                  "les caches, projets ou médias originaux."),
        {11, QFont::Normal, Theme::muted}, this));

    auto* linksRow = new QHBoxLayout;
    linksRow->setSpacing(22);
    const auto addLink = [&](const char* name, std::string_view title, QUrl url) {
        auto* link = new PlainButton(localized(title), Theme::orange, this);
        link->setObjectName(name);
        link->setFont(DesignFont::system(11));
        connect(link, &QAbstractButton::clicked, this,
                [this, url = std::move(url)] { links_.openUrl(url); });
        linksRow->addWidget(link);
    };
    addLink("firstGuide", "Guide Final Cut Pro", firstGuide());
    addLink("secondGuide", "Guide DaVinci Resolve", secondGuide());
    linksRow->addStretch();
    column.addLayout(linksRow);

    refresh_.follow(model_, {&AppModel::busyChanged, &AppModel::insightsChanged});
    refresh_.request();
}

void CreatorGuidance::refresh()
{
    review_->setEnabled(
        canReview(model_.busy(), model_.insights().tally(SpacePreset::creator, std::nullopt)));
}

} // namespace tollenvane

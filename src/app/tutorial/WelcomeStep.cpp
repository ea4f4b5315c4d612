#include "app/tutorial/WelcomeStep.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/kit/PageText.h"
#include "app/tutorial/StepScroll.h"
#include "app/tutorial/TutorialRules.h"
#include "app/tutorial/WelcomePicture.h"
#include "core/localisation/Localization.h"

#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int spacing = 30;
constexpr int keySize = 39;
constexpr qreal keyTracking = -1.2;

TextBlock* centred(std::string_view key, const TextStyle& style)
{
    TextBlock* block = wrappedText(localized(key), style);
    block->setAlignment(Qt::AlignHCenter);
    return block;
}

} // namespace

WelcomeStep::WelcomeStep(QWidget* parent)
    : QWidget(parent)
    , scroll_(new StepScroll)
    , picture_(new WelcomePicture)
{
    setObjectName(QStringLiteral("step-welcome"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // Nothing here takes the focus: the step scrolls only when even its lines do not fit.
    outer->addWidget(scroll_);
    QVBoxLayout* column = &scroll_->body();
    column->setSpacing(spacing);
    column->addWidget(picture_);

    TextBlock* key = centred(stepHeadingKey(TutorialStep::welcome),
                             TextStyle{keySize, QFont::DemiBold, std::nullopt});
    key->setFont(DesignFont::tracked(DesignFont::system(keySize, QFont::DemiBold), keyTracking));
    column->addWidget(key);
    column->addWidget(centred("Un fichier. Une décision. Un ordinateur plus léger.",
                              TextStyle{16, QFont::Normal, Theme::muted}));
    column->addWidget(centred("Images, vidéos, documents, archives et applications : gardez ce "
                              "qui compte, libérez le reste.",
                              TextStyle{13, QFont::Normal, Theme::muted}));
    column->addStretch(1);
}

void WelcomeStep::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitPicture();
}

void WelcomeStep::fitPicture()
{
    const QWidget& content = *scroll_->widget();
    const int pictureRoom = picture_->isVisibleTo(this) ? picture_->height() + spacing : 0;
    const int lines = content.heightForWidth(scroll_->viewport()->width()) - pictureRoom;
    const int room = height() - lines - spacing;
    picture_->setVisible(room >= WelcomePicture::smallestHeight);
    picture_->setFixedHeight(
        std::clamp(room, WelcomePicture::smallestHeight, WelcomePicture::pictureHeight));
}

} // namespace tollenvane

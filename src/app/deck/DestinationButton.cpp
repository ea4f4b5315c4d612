#include "app/deck/DestinationButton.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/FocusRing.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr qreal cornerRadius = 10;
constexpr qreal disabledOpacity = 0.45;

} // namespace

DestinationButton::DestinationButton(QWidget* parent)
    : QAbstractButton(parent)
    , name_(new TextBlock({}))
    , location_(new ElidedLabel({}, ElisionSide::middle))
{
    setCursor(Qt::PointingHandCursor);
    // A button would never be narrower than its label; this one gives way to the row's buttons.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // Wraps between words, and inside a word too long for the line, so that a name without
    // spaces never pushes the row's buttons out of the sheet.
    name_->setObjectName(QStringLiteral("destinationName"));
    name_->setFont(DesignFont::system(13, QFont::Medium));
    location_->setObjectName(QStringLiteral("destinationLocation"));
    location_->setFont(DesignFont::system(10));
    location_->setColor(Theme::muted);
    location_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(5);
    lines->addWidget(name_);
    lines->addWidget(location_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(13);
    layout->addWidget(
        new SymbolView(QStringLiteral("folder.fill"), Symbol::sideBeside(13), Theme::orange));
    layout->addLayout(lines, 1);
    layout->addWidget(
        new SymbolView(QStringLiteral("arrow.right"), Symbol::sideBeside(13), Theme::muted));
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void DestinationButton::setDestination(const DestinationRow& row, const QString& location)
{
    name_->setText(shownName(row.name));
    location_->setText(location);
    setSpokenName(*this, name_->text());
    // Two destinations of one name differ by where they lead.
    setSpokenDescription(*this, location);
}

void DestinationButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(QRectF(rect()), cornerRadius),
                     Theme::color(Theme::panel));
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

void DestinationButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled()) {
            setGraphicsEffect(nullptr);
        } else {
            auto* dim = new QGraphicsOpacityEffect(this);
            dim->setOpacity(disabledOpacity);
            setGraphicsEffect(dim);
        }
    }
    QAbstractButton::changeEvent(event);
}

} // namespace tollenvane

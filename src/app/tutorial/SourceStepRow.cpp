#include "app/tutorial/SourceStepRow.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/FocusRing.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/Theme.h"

#include <QHBoxLayout>
#include <QPainter>

namespace tollenvane {

namespace {

constexpr int padding = 14;
constexpr int nameSize = 12;
constexpr int symbolFontSize = 13;
constexpr qreal cornerRadius = 10;
// The platform's green, as the deck's keep badge has it.
constexpr ThemeColor addedGreen{0x32D74B, 0x28CD41};

} // namespace

SourceStepRow::SourceStepRow(QWidget* parent)
    : QWidget(parent)
    , name_(new ElidedLabel)
{
    setObjectName(QStringLiteral("sourceRow"));
    // A stop of its own, so that the keyboard brings every folder of a long list into view.
    setFocusPolicy(Qt::TabFocus);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(padding, padding, padding, padding);
    const int side = Symbol::sideBeside(symbolFontSize);
    row->addWidget(new SymbolView(QStringLiteral("folder.fill"), side, Theme::orange));
    name_->setFont(DesignFont::system(nameSize));
    row->addWidget(name_, 1);
    row->addWidget(new SymbolView(QStringLiteral("checkmark.circle.fill"), side, addedGreen));
}

void SourceStepRow::setName(const QString& name)
{
    name_->setText(name);
    setSpokenName(*this, name);
}

QString SourceStepRow::name() const
{
    return name_->text();
}

void SourceStepRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(QRectF(rect()), cornerRadius),
                     Theme::color(Theme::panel));
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

} // namespace tollenvane

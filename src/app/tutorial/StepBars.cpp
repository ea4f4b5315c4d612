#include "app/tutorial/StepBars.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/Theme.h"
#include "app/tutorial/TutorialRules.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr qreal barHeight = 3;
constexpr qreal barSpacing = 6;
constexpr int paddingBelow = 8;

} // namespace

StepBars::StepBars(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("stepBars"));
    setFixedHeight(static_cast<int>(barHeight) + paddingBelow);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StepBars::setStep(int step)
{
    step_ = step;
    update();
}

void StepBars::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal width = (this->width() - barSpacing * (tutorialStepCount - 1)) / tutorialStepCount;
    for (int bar = 0; bar < tutorialStepCount; ++bar) {
        const QRectF capsule(bar * (width + barSpacing), 0, width, barHeight);
        painter.fillPath(continuousRoundedRect(capsule, barHeight / 2),
                         Theme::color(stepBarFilled(bar, step_) ? Theme::orange : Theme::soft));
    }
}

} // namespace tollenvane

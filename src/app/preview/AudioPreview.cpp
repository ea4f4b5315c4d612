#include "app/preview/AudioPreview.h"

#include "app/decoding/BackgroundJob.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SymbolView.h"
#include "app/design/Theme.h"
#include "app/preview/AudioWaveform.h"
#include "app/preview/WaveformView.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QVBoxLayout>

namespace tollenvane {

namespace {} // namespace

AudioPreview::AudioPreview(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , waveform_(new WaveformView(this))
    , caption_(new ElidedLabel(localized("Forme d’onde · premières secondes")))
{
    auto* symbol = new SymbolView(QStringLiteral("waveform"), 40, Theme::orange);
    caption_->setFont(DesignFont::system(10));
    caption_->setColor(Theme::muted);
    auto* listen = new PrimaryButton(localized("Écouter"), QStringLiteral("play.fill"),
                                     [&model] { model.openPreview(); });
    listen->setObjectName(QStringLiteral("listenButton"));

    auto* column = new QVBoxLayout(this);
    column->setSpacing(28);
    column->addStretch();
    column->addWidget(symbol, 0, Qt::AlignHCenter);
    column->addWidget(waveform_, 0, Qt::AlignHCenter);
    column->addWidget(caption_, 0, Qt::AlignHCenter);
    column->addWidget(listen, 0, Qt::AlignHCenter);
    column->addStretch();
    waveform_->hide();
    caption_->hide();
}

AudioPreview::~AudioPreview()
{
    cancelReading();
}

void AudioPreview::setPath(const std::string& path)
{
    if (path == path_ && cancelled_) {
        return;
    }
    cancelReading();
    path_ = path;
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    cancelled_ = cancelled;
    runInBackground<std::vector<float>>(
        this, [path, cancelled] { return readWaveform(path, *cancelled); },
        [this, cancelled](std::vector<float> bars) {
            if (!cancelled->load()) {
                showBars(std::move(bars));
            }
        });
}

void AudioPreview::cancelReading()
{
    if (cancelled_) {
        cancelled_->store(true);
    }
}

void AudioPreview::showBars(std::vector<float> bars)
{
    const bool any = !bars.empty();
    waveform_->setBars(std::move(bars));
    waveform_->setVisible(any);
    caption_->setVisible(any);
    emit waveformRead();
}

} // namespace tollenvane

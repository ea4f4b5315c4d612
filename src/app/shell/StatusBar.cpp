#include "app/shell/StatusBar.h"

#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/ResultNotice.h"
#include "app/design/Spinner.h"
#include "app/design/SpokenName.h"
#include "app/design/Theme.h"
#include "app/shell/RootRules.h"
#include "app/shell/StatusBarButton.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QPainter>

namespace tollenvane {

namespace {

constexpr int sidePadding = 36;
constexpr int spacing = 8;
constexpr int badgeDot = 5;

// The desktop's usual "all is well" green; the badge is its only use.
constexpr ThemeColor privacyGreen{0x30D158, 0x34C759};

// The privacy badge's dot.
class BadgeDot : public QWidget {
public:
    BadgeDot() { setFixedSize(badgeDot, badgeDot); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        QColor green = Theme::color(privacyGreen);
        green.setAlphaF(0.7F);
        painter.setBrush(green);
        painter.drawEllipse(rect());
    }
};

ElidedLabel* mutedLabel(const QString& text, int pixelSize, QFont::Weight weight = QFont::Normal)
{
    auto* label = new ElidedLabel(text);
    label->setFont(DesignFont::system(pixelSize, weight));
    label->setColor(Theme::muted);
    return label;
}

QWidget* group(std::initializer_list<QWidget*> children, const char* name)
{
    auto* box = new QWidget;
    box->setObjectName(QString::fromUtf8(name));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    for (QWidget* child : children) {
        row->addWidget(child, 0, Qt::AlignVCenter);
    }
    return box;
}

} // namespace

StatusBar::StatusBar(AppModel& model, std::function<void()> showIssues, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , showIssues_(std::move(showIssues))
    , notice_(new ResultNotice(*this, QStringLiteral("scanNotice")))
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("statusBar"));
    setFixedHeight(barHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(sidePadding, 0, sidePadding, 1);
    row->setSpacing(spacing + 6);

    title_ = mutedLabel({}, 12, QFont::Medium);
    title_->setObjectName(QStringLiteral("pageTitle"));
    row->addWidget(title_, 1);
    row->addWidget(scanProgress());
    row->addWidget(privacyBadge());
    issues_ = new StatusBarButton({}, QStringLiteral("exclamationmark.triangle"), 13);
    issues_->setObjectName(QStringLiteral("issueButton"));
    connect(issues_, &QAbstractButton::clicked, this, [this] { showIssues_(); });
    row->addWidget(issues_);

    refresh_.follow(model, {&AppModel::pageChanged, &AppModel::scanningChanged,
                            &AppModel::indexedCountChanged, &AppModel::issueCountChanged});
    // Only a scan that went to its end dates the index; one stopped or replaced does not.
    connect(&model, &AppModel::lastScanChanged, this, [this] {
        scanEnded_ = true;
        refresh_.request();
    });
    refresh();
}

QWidget* StatusBar::scanProgress()
{
    progressText_ = mutedLabel({}, 11);
    progressText_->setObjectName(QStringLiteral("scanProgressText"));
    auto* stop = new StatusBarButton(localized("Arrêter"), {}, 11);
    stop->setObjectName(QStringLiteral("stopScan"));
    connect(stop, &QAbstractButton::clicked, this, [this] { model_.stopScan(); });
    scanProgress_ = group({new Spinner(Spinner::Size::small, Theme::orange), progressText_, stop},
                          "scanProgress");
    return scanProgress_;
}

QWidget* StatusBar::privacyBadge()
{
    privacyBadge_ = group({new BadgeDot, mutedLabel(localized("100 % local"), 11)}, "privacyBadge");
    return privacyBadge_;
}

void StatusBar::refresh()
{
    title_->setText(QString::fromStdString(label(model_.page())));
    const bool scanning = model_.scanning();
    scanProgress_->setVisible(scanning);
    privacyBadge_->setVisible(!scanning);
    if (scanning) {
        progressText_->setText(QString::fromStdString(scanProgressText(model_.indexedCount())));
    }

    const std::optional<std::string> issues = issueButtonText(model_.issueCount());
    issues_->setVisible(issues.has_value());
    issues_->setText(issues ? QString::fromStdString(*issues) : QString());
    setSpokenName(*issues_, issues ? QString::fromStdString(issueButtonName(model_.issueCount()))
                                   : QString());
    if (scanEnded_ && !scanning) {
        notice_->tell(scanEndNotice(model_.indexedCount(), model_.issueCount()));
    }
    scanEnded_ = false;
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRect(0, height() - 1, width(), 1), Theme::color(Theme::line));
}

} // namespace tollenvane

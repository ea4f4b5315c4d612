#include "app/screens/applications/ApplicationRow.h"

#include "app/design/ApplicationIcon.h"
#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/PlainButton.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/FileRevealer.h"
#include "app/kit/PageText.h"
#include "app/kit/SymbolButtonText.h"
#include "app/screens/applications/ApplicationTexts.h"
#include "core/localisation/Localization.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

constexpr int iconSide = 42;
constexpr qreal cornerRadius = 12;

QString looked(std::string_view key)
{
    return QString::fromStdString(L(key));
}

} // namespace

ApplicationRow::ApplicationRow(FileRevealer& revealer,
                               std::function<void(const FileRecord&)> examine, QWidget* parent)
    : QWidget(parent)
    , icon_(new ApplicationIcon)
    , name_(lineText({}, {.pixelSize = 13, .weight = QFont::Medium, .color = std::nullopt}))
    , version_(lineText({}, {.pixelSize = 10, .color = Theme::muted}))
    , folder_(lineText({}, {.pixelSize = 10, .color = Theme::muted}, ElisionSide::middle))
    , lastUse_(lineText({}, {.pixelSize = 10, .color = Theme::muted}))
    , size_(lineText({}, {.pixelSize = 12, .color = Theme::orange}))
    , reveal_(new PlainButton(QStringLiteral("folder"), Symbol::sideBeside(13), Theme::muted))
    , lock_(new SymbolView(QStringLiteral("lock.fill"), Symbol::sideBeside(12), Theme::muted))
    , open_(lineText(looked("Ouverte"), {.pixelSize = 11, .color = Theme::muted}))
    , examine_(new QPushButton(looked("Examiner")))
{
    setObjectName(QStringLiteral("applicationRow"));
    icon_->setFixedSize(iconSide, iconSide);
    name_->setObjectName(QStringLiteral("name"));
    version_->setObjectName(QStringLiteral("version"));
    folder_->setObjectName(QStringLiteral("folder"));
    lastUse_->setObjectName(QStringLiteral("lastUse"));
    size_->setObjectName(QStringLiteral("size"));
    reveal_->setObjectName(QStringLiteral("reveal"));
    lock_->setObjectName(QStringLiteral("protected"));
    open_->setObjectName(QStringLiteral("running"));
    examine_->setObjectName(QStringLiteral("examine"));
    setSymbolButtonText(*reveal_, looked("Afficher dans le gestionnaire de fichiers"));
    setPlainToolTip(*lock_, looked("Application protégée"));
    examine_->setFont(DesignFont::system(11));
    examine_->setAutoDefault(false);
    // The version keeps its width; a long name gives way first.
    version_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    connect(reveal_, &QAbstractButton::clicked, this, [this, &revealer] {
        if (application_) {
            revealer.reveal(std::string(application_->path()));
        }
    });
    connect(examine_, &QPushButton::clicked, this, [this, examine = std::move(examine)] {
        if (application_) {
            examine(*application_);
        }
    });

    auto* title = new QHBoxLayout;
    title->setContentsMargins(0, 0, 0, 0);
    title->addWidget(name_);
    title->addWidget(version_);
    title->addStretch(1);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(5);
    texts->setContentsMargins(0, 0, 0, 0);
    texts->addLayout(title);
    texts->addWidget(folder_);
    texts->addWidget(lastUse_);

    auto* row = new QHBoxLayout(this);
    row->setSpacing(16);
    row->setContentsMargins(16, 16, 16, 16);
    row->addWidget(icon_);
    row->addLayout(texts, 1);
    row->addWidget(size_);
    row->addWidget(reveal_);
    row->addWidget(lock_);
    row->addWidget(open_);
    row->addWidget(examine_);
}

void ApplicationRow::setApplication(const FileRecord& application, ApplicationStanding standing,
                                    bool examineEnabled)
{
    // Shown again as it was: the texts stay, and so does the layout of the row.
    if (application_ != application) {
        showTexts(application);
    }
    lock_->setVisible(standing == ApplicationStanding::protectedApplication);
    open_->setVisible(standing == ApplicationStanding::running);
    examine_->setVisible(standing == ApplicationStanding::sortable);
    examine_->setEnabled(examineEnabled);
}

void ApplicationRow::showTexts(const FileRecord& application)
{
    application_ = application;
    const std::string_view path = application.path();
    icon_->setPath(QString::fromUtf8(path.data(), qsizetype(path.size())));
    const ApplicationTexts texts = ApplicationTexts::of(application);
    name_->setText(texts.name);
    version_->setText(texts.version.isEmpty() ? QStringLiteral("\u2014") : texts.version);
    folder_->setText(texts.folder);
    lastUse_->setText(texts.lastUse);
    size_->setText(texts.size);
}

void ApplicationRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(QRectF(rect()), cornerRadius),
                     Theme::color(Theme::panel));
}

} // namespace tollenvane

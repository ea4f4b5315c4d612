#include "app/deck/MoveSheet.h"

#include "app/deck/DestinationButton.h"
#include "app/deck/DestinationLine.h"
#include "app/deck/MoveSheetRules.h"
#include "app/design/AccessiblePicker.h"
#include "app/design/DesignFont.h"
#include "app/design/Divider.h"
#include "app/design/ElidedLabel.h"
#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/Picker.h"
#include "app/design/PlainButton.h"
#include "app/design/ResultNotice.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/SymbolButtonText.h"
#include "app/kit/TabOrder.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"
#include "model/async/WhenFinished.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int padding = 30;
constexpr int contentWidth = MoveSheet::fixedWidth - 2 * padding;
constexpr int maximumListHeight = 280;
constexpr int parentPickerWidth = 180;
constexpr int plainSymbolSide = 16;

QString text(const char* key)
{
    return localized(key);
}

// One line in a theme token resolved at paint time, so that it follows the appearance.
ElidedLabel* label(const QString& content, const QFont& font, std::optional<ThemeColor> color = {},
                   ElisionSide side = ElisionSide::end)
{
    auto* label = new ElidedLabel(content, side);
    label->setFont(font);
    label->setColor(color);
    return label;
}

} // namespace

MoveSheet::MoveSheet(AppModel& model, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , refresh_(*this, [this] { refresh(); })
    , handOff_(*this, [this](QWidget& gone) { return focusHome(gone); })
{
    setObjectName(QStringLiteral("moveSheet"));
    setWindowModality(Qt::WindowModal);
    notice_ = new ResultNotice(*this, QStringLiteral("createdNotice"));
    setFixedWidth(fixedWidth);

    other_ =
        new SecondaryButton(text("Choisir un autre dossier…"), QStringLiteral("folder.badge.plus"),
                            [this] { model_.chooseFolders(true); });
    other_->setObjectName(QStringLiteral("otherFolder"));
    auto* divider = new Divider;
    divider->setObjectName(QStringLiteral("divider"));
    auto* footnote = new TextBlock(text("Le nom d’origine est conservé. Un conflit bloque le "
                                        "déplacement ; aucun fichier n’est remplacé."));
    footnote->setFont(DesignFont::system(10));
    footnote->setColor(Theme::muted);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(22);
    column->addWidget(header());
    column->addWidget(label(text("FAVORIS & DESTINATIONS RÉCENTES"),
                            DesignFont::tracked(DesignFont::monospaced(9, QFont::DemiBold), 1.4),
                            Theme::muted));
    column->addWidget(destinationList());
    column->addWidget(other_, 0, Qt::AlignLeft);
    column->addWidget(divider);
    column->addWidget(form());
    column->addWidget(footnote);
    footnote->setFixedWidth(contentWidth);
    divider->setFixedWidth(contentWidth);

    // Queued: a line may go while its own button is still handling the click that removed it.
    refresh_.follow(model_,
                    {&AppModel::stateChanged, &AppModel::statusesChanged, &AppModel::busyChanged});
    connect(&model_, &AppModel::showMoveChanged, this, [this] {
        if (!model_.showMove()) {
            QDialog::reject();
        }
    });
    refresh();
    focusFirstDestination();
}

QWidget* MoveSheet::header()
{
    auto* box = new QWidget;
    auto* title = label(text("Une place pour ce fichier."),
                        DesignFont::tracked(DesignFont::system(25, QFont::DemiBold), -0.5));
    // A screen reader opens the sheet on its title; the window's own is the application's.
    setSpokenName(*this, title->text());
    title->setObjectName(QStringLiteral("title"));
    subtitle_ = label({}, DesignFont::system(12), Theme::muted, ElisionSide::middle);
    subtitle_->setObjectName(QStringLiteral("subtitle"));
    subtitle_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    close_ = new PlainButton(QStringLiteral("xmark"), plainSymbolSide, Theme::muted);
    close_->setObjectName(QStringLiteral("closeButton"));
    setSymbolButtonText(*close_, text("Fermer"));
    connect(close_, &QAbstractButton::clicked, this, &MoveSheet::reject);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(title);
    texts->addWidget(subtitle_);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(texts, 1);
    row->addWidget(close_);
    return box;
}

QScrollArea* MoveSheet::destinationList()
{
    auto* list = new QWidget;
    auto* rows = new QVBoxLayout(list);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(9);
    placeholder_ = new EmptyState(
        QStringLiteral("folder"), text("Où voulez-vous le ranger ?"),
        text("Choisissez un dossier. Il sera mémorisé pour les prochains fichiers."));
    rows->addWidget(placeholder_);
    rows->addStretch();
    rows_ = std::make_unique<KeyedRows<std::string, DestinationLine>>(*rows, 1);
    list_ = new QScrollArea;
    list_->setObjectName(QStringLiteral("destinationList"));
    // Tab goes from one destination to the next, the list scrolling to each; the list itself
    // is no stop.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setFixedWidth(contentWidth);
    list_->setWidgetResizable(true);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setWidget(list);
    list_->viewport()->setAutoFillBackground(false);
    return list_;
}

QWidget* MoveSheet::form()
{
    auto* box = new QWidget;
    newFolder_ = new QLineEdit;
    newFolder_->setObjectName(QStringLiteral("newFolder"));
    newFolder_->setPlaceholderText(text("Ex. Captures utiles"));
    newFolder_->setAccessibleName(text("Créer un sous-dossier"));
    parents_ = newPicker(text("Dans"));
    parents_->setObjectName(QStringLiteral("parentPicker"));
    parents_->setFixedWidth(parentPickerWidth);
    create_ = new QPushButton(text("Créer"));
    create_->setObjectName(QStringLiteral("createButton"));
    create_->setAutoDefault(false);
    connect(newFolder_, &QLineEdit::textChanged, this, &MoveSheet::refreshForm);
    connect(parents_, &QComboBox::activated, this, [this](int index) {
        const QVariant id = parents_->itemData(index);
        parentID_ = id.isValid() ? std::optional(id.toString().toStdString()) : std::nullopt;
        refreshForm();
    });
    connect(create_, &QPushButton::clicked, this, &MoveSheet::create);

    auto* fields = new QHBoxLayout;
    fields->addWidget(newFolder_, 1);
    fields->addWidget(parents_);
    fields->addWidget(create_);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(label(text("Créer un sous-dossier"), DesignFont::system(12, QFont::Medium)));
    column->addLayout(fields);
    return box;
}

// Every line follows its destination in place: a line that holds the focus keeps it.
void MoveSheet::refresh()
{
    const std::vector<FolderGrant>& destinations = model_.state().destinations;
    const bool busy = model_.busy();
    const QPointer<QWidget> held = focusWidget();
    const bool heldInList = held && list_->isAncestorOf(held);
    placeholder_->setVisible(destinations.empty());
    const DestinationLine::Actions actions{
        .move = [this](const std::string& id) { moveTo(id); },
        .renew = [this](const std::string& id) { model_.chooseFolders(true, id); },
        .toggleFavorite = [this](const std::string& id) { model_.toggleFavoriteDestination(id); },
        .remove = [this](const std::string& id) { model_.removeDestination(id); },
    };
    rows_->sync(
        destinationRows(destinations, model_.statuses()),
        [](const DestinationRow& row) { return row.id; },
        [&](const DestinationRow&) {
            auto* line = new DestinationLine(actions, list_->widget());
            // Shown now rather than by the layout's posted event, so that it counts in the
            // height.
            line->show();
            return line;
        },
        [busy](DestinationLine& line, const DestinationRow& row) {
            line.setDestination(row, busy);
        });
    fitList();
    fitHeight();

    offerParents(parentChoices(destinations, model_.statuses()));
    const auto name = currentFileName(model_.pending());
    subtitle_->setText(name ? shownName(*name) : text("Choisissez une destination"));
    // Heard as the sheet opens, after its title.
    setSpokenDescription(*this, subtitle_->text());
    close_->setEnabled(!busy);
    other_->setEnabled(!busy);
    refreshForm();
    keepFocus(held, heldInList);
}

// The focus on a line that went goes to the first destination; a control turned off keeps it
// (focusNextPrevChild) and gets it back once on, else hands it on (focusHome).
void MoveSheet::keepFocus(const QPointer<QWidget>& held, bool heldInList)
{
    if (heldInList && !held) {
        focusFirstDestination();
    } else {
        handOff_.handOn();
    }
}

// While the sheet works, a control turned off keeps the focus: it comes back once the work is
// done. A control that stays off hands it to the one beside it.
QWidget* MoveSheet::focusHome(QWidget& gone)
{
    return model_.busy() || creating_ ? nullptr : stopBeside(*this, gone);
}

// The sheet opens on the first destination that can take the file, its focus drawn, so that
// Enter moves the file to the latest destination used.
void MoveSheet::focusFirstDestination()
{
    for (const DestinationRow& row :
         destinationRows(model_.state().destinations, model_.statuses())) {
        const DestinationLine* line = rows_->find(row.id);
        if (line != nullptr && line->main().isEnabled()) {
            line->main().setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    other_->setFocus(Qt::OtherFocusReason);
}

bool MoveSheet::focusNextPrevChild(bool next)
{
    if (handOff_.keeps()) {
        return true;
    }
    orderTabsAsLaidOut(*this);
    return QDialog::focusNextPrevChild(next);
}

// Refilled only when the offer changes, so an open picker is left alone while a move runs.
void MoveSheet::offerParents(std::vector<ParentChoice> choices)
{
    parentID_ = keptParent(parentID_, choices);
    if (choices == offered_ && parents_->count() > 0) {
        return;
    }
    offered_ = std::move(choices);
    parents_->clear();
    parents_->addItem(text("Dossier parent"));
    for (const ParentChoice& choice : offered_) {
        addNameEntry(*parents_, shownName(choice.name), QString::fromStdString(choice.id));
        if (choice.id == parentID_) {
            parents_->setCurrentIndex(parents_->count() - 1);
        }
    }
}

// A short list takes its own height, a long one scrolls.
void MoveSheet::fitList()
{
    QWidget* list = list_->widget();
    const int content = list->layout()->hasHeightForWidth()
                            ? list->layout()->totalHeightForWidth(contentWidth)
                            : list->layout()->totalSizeHint().height();
    list_->setFixedHeight(std::min(content, maximumListHeight));
}

// The width stays fixed whatever the content asks for; the height follows the content.
void MoveSheet::fitHeight()
{
    QLayout& column = *layout();
    setFixedHeight(column.hasHeightForWidth() ? column.totalHeightForWidth(fixedWidth)
                                              : column.totalSizeHint().height());
}

void MoveSheet::refreshForm()
{
    create_->setEnabled(
        canCreate(newFolder_->text().toStdString(), parentID_, creating_, model_.busy()));
}

void MoveSheet::moveTo(const std::string& id)
{
    // The resolution may have changed since the row was drawn.
    if (const auto location = destinationLocation(model_.statuses(), id)) {
        model_.act(Decision::move, *location, true);
    }
}

void MoveSheet::create()
{
    if (!parentID_) {
        return;
    }
    const auto parent = destinationLocation(model_.statuses(), *parentID_);
    if (!parent) {
        return;
    }
    creating_ = true;
    refreshForm();
    created_.since(model_.state().destinations);
    const QFuture<bool> created =
        model_.createDestination(newFolder_->text().toStdString(), *parent);
    whenFinished(created, this, [this, created] {
        creating_ = false;
        // A name refused stays, for the user to correct after reading why.
        if (created.result()) {
            newFolder_->clear();
            if (const auto made = created_.since(model_.state().destinations); !made.empty()) {
                notice_->tell(localized("Destination ajoutée : {0}",
                                        {shownName(made.front()).toStdString()}));
            }
        }
        refreshForm();
        // The focus the button held goes to the name, to type the next one or correct this one.
        if (focusWidget() == create_) {
            newFolder_->setFocus(Qt::OtherFocusReason);
        }
    });
}

void MoveSheet::reject()
{
    if (model_.busy()) {
        return;
    }
    model_.setShowMove(false);
    QDialog::reject();
}

// Showing the window forgets how its focus came; the ring on the first destination is drawn.
void MoveSheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void MoveSheet::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::color(Theme::bg));
}

} // namespace tollenvane

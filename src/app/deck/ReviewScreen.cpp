#include "app/deck/ReviewScreen.h"

#include "app/deck/DecisionButton.h"
#include "app/deck/DeckView.h"
#include "app/deck/FlightStage.h"
#include "app/deck/MoveSheet.h"
#include "app/deck/ReviewKeys.h"
#include "app/deck/SwipeMotionCard.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/KeyCap.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/ShownText.h"
#include "app/design/Spinner.h"
#include "app/kit/AlertBox.h"
#include "app/kit/RowStops.h"
#include "app/preview/QuickLookSheet.h"
#include "app/preview/ThumbnailCache.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace tollenvane {
namespace {

constexpr int rowSpacing = 18;
constexpr int sidePadding = 32;
constexpr int endPadding = 22;
constexpr int headerPadding = 8;
constexpr int headerSize = 12;
constexpr int smallSize = 10;
constexpr int hintSpacing = 8;
constexpr std::size_t prefetchCount = 4;

// Plain text in a theme colour that follows the appearance when it changes.
ElidedLabel* label(const QFont& font, ThemeColor color, const QString& content = {})
{
    auto* label = new ElidedLabel(content);
    label->setFont(font);
    label->setColor(color);
    return label;
}

QHBoxLayout* row(QWidget* box, int spacing = -1)
{
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0) {
        layout->setSpacing(spacing);
    }
    return layout;
}

} // namespace

ReviewScreen::ReviewScreen(AppModel& model, FileRevealer& revealer, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , revealer_(revealer)
    , lastBusy_(model.busy())
    , refresh_(*this, [this] { refresh(); })
    , handOff_(*this, [this](QWidget&) { return focusHome(); })
{
    setObjectName(QStringLiteral("page-") + QString::fromUtf8(rawValue(Page::swipe)));
    deck_ = new DeckView(model_, revealer_, [this](SwipeMotionCard& card, const std::string& path) {
        wireCard(card, path);
    });

    auto* column = new QVBoxLayout(this);
    column->setSpacing(0);
    column->setContentsMargins(0, endPadding, 0, endPadding);
    const auto padded = [](QWidget* row) {
        row->setContentsMargins(sidePadding, 0, sidePadding, 0);
        return row;
    };
    column->addWidget(padded(header()));
    column->addSpacing(rowSpacing);
    // The deck spans the page and takes the spacing under it, so that a card dragged aside or
    // its shadow is not cut at the padding.
    column->addWidget(deck_, 1);
    column->addSpacing(rowSpacing - DeckView::shadowBand);
    column->addWidget(decisionRow(), 0, Qt::AlignHCenter);
    column->addSpacing(rowSpacing);
    column->addWidget(padded(hints()));
    column->addSpacing(rowSpacing);
    column->addWidget(padded(footer()));
    stage_ = new FlightStage(*deck_, *this);
    // The keys decide from the moment the page shows, whichever control led here; a click on a
    // button leaves them with the deck, and Tab still reaches every button.
    setFocusProxy(deck_);
    for (QWidget* button : std::initializer_list<QWidget*>{pause_, undo_, finish_}) {
        button->setFocusPolicy(Qt::TabFocus);
    }

    // The end of a decision is an edge to catch as it happens, not a state to read later.
    connect(&model_, &AppModel::busyChanged, this, &ReviewScreen::busyChanged);
    refresh_.follow(model_, {&AppModel::queueCountChanged, &AppModel::busyChanged,
                             &AppModel::scanningChanged, &AppModel::summaryChanged,
                             &AppModel::undoCountChanged, &AppModel::stateChanged,
                             &AppModel::showMoveChanged, &AppModel::showPreviewChanged,
                             &AppModel::confirmTrashChanged, &AppModel::animatingSwipeChanged});
    keys_ = std::make_unique<ReviewKeys>([this] { return keyInputs(); },
                                         [this](const ReviewKeyOutcome& outcome) { key(outcome); });
    syncDeck();
    refresh_.request();
}

ReviewScreen::~ReviewScreen()
{
    keys_.reset();
    // Nothing of this screen may answer the model while it goes.
    disconnect(&model_, nullptr, this, nullptr);
    // Only a flight of this screen's own: a swipe begun elsewhere is not this screen's to end.
    if (flight_.departing) {
        model_.finishPendingSwipe();
    }
}

QWidget* ReviewScreen::header()
{
    auto* box = new QWidget;
    auto* layout = row(box);
    layout->setContentsMargins(headerPadding, 0, headerPadding, 0);
    const QFont font = DesignFont::system(headerSize);
    pause_ = new PlainButton(localized("Pause"), QStringLiteral("pause"), Theme::muted);
    pause_->setObjectName(QStringLiteral("pauseButton"));
    pause_->setFont(font);
    connect(pause_, &QAbstractButton::clicked, this, &ReviewScreen::pause);
    undo_ =
        new PlainButton(localized("Annuler"), QStringLiteral("arrow.uturn.backward"), Theme::muted);
    undo_->setObjectName(QStringLiteral("undoButton"));
    undo_->setFont(font);
    connect(undo_, &QAbstractButton::clicked, &model_, &AppModel::undo);
    sorted_ = label(DesignFont::system(headerSize, QFont::Medium), Theme::text);
    sorted_->setObjectName(QStringLiteral("sortedCount"));
    remaining_ = label(font, Theme::muted);
    remaining_->setObjectName(QStringLiteral("remainingCount"));

    layout->addWidget(pause_);
    layout->addStretch();
    layout->addWidget(sorted_);
    layout->addWidget(label(font, Theme::muted, QStringLiteral("·")));
    layout->addWidget(remaining_);
    layout->addStretch();
    layout->addWidget(undo_);
    return box;
}

QWidget* ReviewScreen::decisionRow()
{
    auto* box = new QWidget;
    auto* layout = row(box, rowSpacing);
    for (const Decision decision :
         {Decision::trash, Decision::later, Decision::move, Decision::keep}) {
        auto* button = new DecisionButton(decision);
        button->setObjectName(QStringLiteral("decision-") + QString::fromUtf8(rawValue(decision)));
        connect(button, &QAbstractButton::clicked, this, [this, decision] { perform(decision); });
        layout->addWidget(button);
        decisions_.push_back(button);
    }
    return box;
}

QWidget* ReviewScreen::hints()
{
    auto* box = new QWidget;
    auto* layout = row(box, hintSpacing);
    const QFont font = DesignFont::system(smallSize);
    // The shortcut of this desktop, not the one of another system.
    layout->addWidget(new KeyCap(localized("Espace")));
    layout->addWidget(label(font, Theme::muted, localized("Aperçu")));
    layout->addWidget(label(font, Theme::muted, QStringLiteral("·")));
    layout->addWidget(new KeyCap(localized("Ctrl+Z")));
    layout->addWidget(label(font, Theme::muted, localized("Annuler")));
    layout->addStretch();
    spinner_ = new Spinner(Spinner::Size::mini);
    spinner_->setObjectName(QStringLiteral("busySpinner"));
    spinner_->hide();
    layout->addWidget(spinner_);
    finish_ = new PlainButton(localized("Terminer"), Theme::muted);
    finish_->setObjectName(QStringLiteral("finishButton"));
    finish_->setFont(font);
    connect(finish_, &QAbstractButton::clicked, &model_, &AppModel::finishSession);
    layout->addWidget(finish_);
    return box;
}

QWidget* ReviewScreen::footer()
{
    auto* box = new QWidget;
    auto* layout = row(box);
    const QFont font = DesignFont::system(smallSize);
    trashBytes_ = label(font, Theme::orange);
    trashBytes_->setObjectName(QStringLiteral("trashBytes"));
    layout->addWidget(trashBytes_);
    layout->addStretch();
    layout->addWidget(
        label(font, Theme::muted, localized("La session est enregistrée sur cet ordinateur.")));
    return box;
}

void ReviewScreen::wireCard(SwipeMotionCard& card, const std::string& path)
{
    card.setStage(stage_);
    connect(&card, &SwipeMotionCard::swiped, this,
            [this, path, shell = QPointer<SwipeMotionCard>(&card)](Decision decision) {
                // A card left displaced by a refused decision would stay off the middle.
                const bool flies = frontPath() == path && perform(decision);
                if (!flies && shell) {
                    shell->reset();
                }
            });
    // Queued: with animations off a card reports from inside the call that starts its flight.
    connect(
        &card, &SwipeMotionCard::flightFinished, this, [this, path] { finishFlight(path); },
        Qt::QueuedConnection);
}

std::optional<std::string> ReviewScreen::currentPath() const
{
    const auto remaining = model_.pending().remaining();
    if (remaining.empty()) {
        return std::nullopt;
    }
    return std::string(remaining.front().path());
}

std::optional<std::string> ReviewScreen::frontPath() const
{
    const std::vector<std::string> paths = deck_->paths();
    if (paths.empty() || inFlight()) {
        return std::nullopt;
    }
    return paths.back();
}

bool ReviewScreen::perform(Decision decision)
{
    if (inFlight() || model_.busy()) {
        return false;
    }
    const std::optional<std::string> current = currentPath();
    if (!current) {
        return false;
    }
    // The person acted on the card on top; should the model's first card differ, the deck
    // catches up and nothing is decided.
    if (frontPath() != current) {
        syncDeck();
        return false;
    }
    if (decision == Decision::move) {
        model_.request(Decision::move);
        return false;
    }
    if (decision == Decision::trash && model_.state().preferences.confirmTrash) {
        confirmedPath_ = current;
        model_.request(Decision::trash);
        if (!model_.confirmTrash()) {
            confirmedPath_.reset();
        }
        return false;
    }
    return commit(decision);
}

bool ReviewScreen::commit(Decision decision)
{
    const std::optional<std::string> current = currentPath();
    if (!current || inFlight() || model_.busy()) {
        return false;
    }
    if (!model_.beginSwipe(decision, *current)) {
        return false;
    }
    direction_ = decision;
    model_.playDemo(decision);
    flight_.departing = model_.pending().remaining().front();
    flight_.actingFileID = current;
    flightRequest_ = QUuid::createUuid();
    syncDeck();
    refresh_.request();
    return true;
}

void ReviewScreen::finishFlight(const std::string& path)
{
    if (!flight_.departing || flight_.departing->path() != path) {
        return;
    }
    flight_.departing.reset();
    syncDeck();
    model_.finishPendingSwipe();
    // The model may drop the swipe without ever becoming busy: then no edge would come.
    if (!model_.busy()) {
        returnToIdle();
    }
}

void ReviewScreen::busyChanged()
{
    const bool busy = model_.busy();
    if (busy == lastBusy_) {
        return;
    }
    lastBusy_ = busy;
    if (!busy && !flight_.departing) {
        returnToIdle();
    }
}

void ReviewScreen::returnToIdle()
{
    flight_.actingFileID.reset();
    flightRequest_.reset();
    syncDeck();
    refresh_.request();
}

void ReviewScreen::pause()
{
    if (!inFlight()) {
        model_.setPage(Page::dashboard);
    }
}

void ReviewScreen::syncDeck()
{
    const std::vector<FileRecord> stack = deckStack(model_.pending().remaining(), flight_);
    const std::optional<std::string> current = currentPath();
    const auto exposed = std::find_if(stack.begin(), stack.end(), [&](const FileRecord& record) {
        return cardPlacement(record.path(), current, flight_, model_.busy()).exposed;
    });
    deck_->setStack(stack, exposed == stack.end() ? std::nullopt
                                                  : std::optional<std::string>(exposed->path()));
    const Preferences& preferences = model_.state().preferences;
    for (const std::string& path : deck_->paths()) {
        SwipeMotionCard* card = deck_->card(path);
        const CardPlacement placement = cardPlacement(path, current, flight_, model_.busy());
        card->setActive(placement.active);
        card->setDecision(direction_);
        card->setAnimations(preferences.animations);
        card->setConfirmTrash(preferences.confirmTrash);
        card->setRestPlacement(placement.scale, placement.drop, inFlight());
        card->setRequest(placement.flies ? flightRequest_ : std::nullopt);
    }
}

void ReviewScreen::refresh()
{
    syncDeck();
    const bool busy = model_.busy();
    const bool hasCard = currentPath().has_value();
    const ReviewControls controls = reviewControls(inFlight(), busy, model_.undoCount(), hasCard);
    pause_->setEnabled(controls.pause);
    undo_->setEnabled(controls.undo);
    finish_->setEnabled(controls.finish);
    for (DecisionButton* button : decisions_) {
        button->setEnabled(controls.decisions);
    }
    spinner_->setVisible(busy);

    const SessionSummary& summary = model_.summary();
    const bool scanning = model_.scanning();
    sorted_->setText(localized(plural(summary.total(), "{0} trié", "{0} triés"),
                               {localizedCount(summary.total())}));
    const auto remaining = static_cast<std::int64_t>(model_.pending().remaining().size());
    remaining_->setText(localized(plural(remaining, "{0} restant{1}", "{0} restants{1}"),
                                  {localizedCount(remaining), scanning ? "+" : ""}));
    trashBytes_->setText(localized("{0} à la Corbeille", {formattedBytes(summary.trashBytes)}));
    if (scanning) {
        deck_->setEmptyTexts(localized("Les prochaines cartes arrivent…"),
                             localized("L’analyse continue en arrière-plan."));
    } else {
        deck_->setEmptyTexts(localized("Tout est trié."),
                             localized("Vous pouvez terminer cette session."));
    }
    handOff_.handOn();
    deck_->tellUnheard();
    syncSheets();
    prefetch();
}

bool ReviewScreen::focusNextPrevChild(bool next)
{
    return handOff_.keeps() || QWidget::focusNextPrevChild(next);
}

// A button turned off while a card flies or the model works keeps the focus, and has it again
// once on: the person stays where they acted, and hears the next card as a notice. The card that
// leaves keeps it too, until the next one takes it. Once the screen is idle, a control still off
// or the last card hands it to the deck, heard as saying what comes; while the session ends, the
// page that follows takes it.
QWidget* ReviewScreen::focusHome() const
{
    const bool idle = !inFlight() && !model_.busy();
    return idle && model_.sessionActive() && model_.page() == Page::swipe ? deck_ : nullptr;
}

void ReviewScreen::syncSheets()
{
    if (model_.showMove() && !moveSheet_) {
        moveSheet_ = new MoveSheet(model_, this);
        connect(moveSheet_, &QDialog::finished, moveSheet_, &QObject::deleteLater);
        moveSheet_->open();
    }
    const std::span<const FileRecord> remaining = model_.pending().remaining();
    if (model_.showPreview() && !previewSheet_ && !remaining.empty()) {
        previewSheet_ = new QuickLookSheet(model_, remaining.front(), this);
        connect(previewSheet_, &QDialog::finished, previewSheet_, &QObject::deleteLater);
        previewSheet_->open();
    } else if (!model_.showPreview() && previewSheet_) {
        previewSheet_->hide();
        previewSheet_->deleteLater();
        previewSheet_ = nullptr;
    }
    if (model_.confirmTrash() && !confirmation_) {
        openConfirmation();
    } else if (!model_.confirmTrash() && confirmation_) {
        QMessageBox* box = confirmation_;
        confirmation_ = nullptr;
        disconnect(box, nullptr, this, nullptr);
        confirmedPath_.reset();
        box->hide();
        box->deleteLater();
    }
}

void ReviewScreen::openConfirmation()
{
    if (!confirmedPath_) {
        confirmedPath_ = currentPath();
    }
    const QString pattern =
        localized("{0} pourra être restauré avec Ctrl+Z. Tollenvane ne vide jamais la Corbeille.");
    // The file name is shown as it is, never read as markup.
    const ShownText message =
        confirmedPath_
            ? ShownText::withName(pattern,
                                  QString::fromStdString(
                                      std::filesystem::path(*confirmedPath_).filename().string()))
            : ShownText(localized("{0} pourra être restauré avec Ctrl+Z. Tollenvane ne vide "
                                  "jamais la Corbeille.",
                                  {localized("Ce fichier").toStdString()}));
    QMessageBox* box = newAlertBox(*this, localized("Mettre ce fichier à la Corbeille ?"), message);
    box->setObjectName(QStringLiteral("trashConfirmation"));
    QPushButton* cancel = box->addButton(localized("Annuler l’action"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelTrash"));
    QPushButton* confirm =
        box->addButton(localized("Mettre à la Corbeille"), QMessageBox::DestructiveRole);
    confirm->setObjectName(QStringLiteral("confirmTrash"));
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    connect(box, &QDialog::finished, this,
            [this, box, confirm] { confirmationClosed(box->clickedButton() == confirm); });
    confirmation_ = box;
    box->open();
    // The safe button holds the focus from the start, its ring drawn as Tab would draw it:
    // Enter or Space there cancels.
    cancel->setFocus(Qt::OtherFocusReason);
    box->setAttribute(Qt::WA_KeyboardFocusChange);
}

void ReviewScreen::confirmationClosed(bool confirmed)
{
    if (confirmation_) {
        confirmation_->deleteLater();
        confirmation_ = nullptr;
    }
    const std::optional<std::string> path = confirmedPath_;
    confirmedPath_.reset();
    if (model_.confirmTrash()) {
        model_.setConfirmTrash(false);
    }
    // Only the file the question named goes, and only while it is still the one on top.
    if (confirmed && path && currentPath() == path && frontPath() == path) {
        commit(Decision::trash);
    }
}

void ReviewScreen::prefetch()
{
    const std::optional<std::string> key = currentPath();
    if (key == prefetchKey_) {
        return;
    }
    prefetchKey_ = key;
    ++prefetchGeneration_;
    prefetchTicket_.cancel();
    const std::span<const FileRecord> remaining = model_.pending().remaining();
    prefetchQueue_.assign(
        remaining.begin(),
        remaining.begin() + static_cast<std::ptrdiff_t>(std::min(remaining.size(), prefetchCount)));
    std::reverse(prefetchQueue_.begin(), prefetchQueue_.end());
    prefetchNext(prefetchGeneration_);
}

// One request at a time, in queue order; audio has no thumbnail to make.
void ReviewScreen::prefetchNext(std::uint64_t generation)
{
    while (!prefetchQueue_.empty() && prefetchQueue_.back().kind() == FileKind::audio) {
        prefetchQueue_.pop_back();
    }
    if (prefetchQueue_.empty() || generation != prefetchGeneration_) {
        return;
    }
    const FileRecord record = prefetchQueue_.back();
    prefetchQueue_.pop_back();
    // The cache may answer before it returns: the next request waits for the event loop.
    prefetchTicket_ = ThumbnailCache::shared().thumbnail(record, [this, generation](const QImage&) {
        QMetaObject::invokeMethod(
            this, [this, generation] { prefetchNext(generation); }, Qt::QueuedConnection);
    });
}

ReviewKeyInputs ReviewScreen::keyInputs() const
{
    ReviewKeyInputs inputs;
    inputs.onReviewPage = model_.page() == Page::swipe;
    // The tutorial also covers the window until onboarding is complete.
    inputs.tutorialShown = model_.showTutorial() || !model_.state().preferences.onboardingComplete;
    inputs.inFlight = inFlight();
    inputs.busy = model_.busy();
    inputs.moveShown = model_.showMove();
    inputs.previewShown = model_.showPreview();
    inputs.confirmationShown = model_.confirmTrash();
    inputs.alertShown = model_.alert().has_value();
    inputs.focus = keyFocus(QApplication::focusWidget());
    return inputs;
}

KeyFocus ReviewScreen::keyFocus(const QWidget* focus) const
{
    // A widget that takes no focus of its own may still be handed it; only a control counts.
    if (focus == nullptr || deck_->holdsKeys(focus) || focus->focusPolicy() == Qt::NoFocus) {
        return KeyFocus::deck;
    }
    if (usesNavigationKeys(*focus)) {
        return KeyFocus::control;
    }
    const bool decisionButton =
        std::find(decisions_.begin(), decisions_.end(), focus) != decisions_.end();
    const std::optional<std::string> current = currentPath();
    const SwipeMotionCard* card = current ? deck_->card(*current) : nullptr;
    return decisionButton || (card != nullptr && card->isAncestorOf(focus)) ? KeyFocus::decider
                                                                            : KeyFocus::control;
}

void ReviewScreen::key(const ReviewKeyOutcome& outcome)
{
    switch (outcome.action) {
    case ReviewKeyOutcome::Action::none:
    case ReviewKeyOutcome::Action::absorb:
        break;
    case ReviewKeyOutcome::Action::preview:
        model_.openPreview();
        break;
    case ReviewKeyOutcome::Action::decide:
        perform(*outcome.decision);
        break;
    case ReviewKeyOutcome::Action::undo:
        model_.undo();
        break;
    case ReviewKeyOutcome::Action::focusDeck:
        deck_->takeKeys();
        break;
    }
}

} // namespace tollenvane

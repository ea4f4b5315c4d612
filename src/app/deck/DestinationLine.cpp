#include "app/deck/DestinationLine.h"

#include "app/deck/DestinationButton.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "app/kit/SymbolButtonText.h"

#include <QHBoxLayout>

namespace tollenvane {
namespace {

constexpr int symbolSide = 16;

PlainButton* plainButton(const char* name, const char* symbol, ThemeColor color,
                         const QString& tooltip)
{
    auto* button = new PlainButton(QString::fromLatin1(symbol), symbolSide, color);
    button->setObjectName(QString::fromLatin1(name));
    setSymbolButtonText(*button, tooltip);
    return button;
}

} // namespace

DestinationLine::DestinationLine(Actions actions, QWidget* parent)
    : QWidget(parent)
    , actions_(std::move(actions))
    , main_(new DestinationButton)
    , renew_(plainButton("renewButton", "lock.open", Theme::muted, localized("Réautoriser")))
    , favorite_(plainButton("favoriteButton", "star", Theme::muted, localized("Favori")))
    , remove_(plainButton("removeButton", "minus.circle", Theme::muted,
                          localized("Retirer ce raccourci")))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // Heard as a toggle, on or off, as its star shows.
    favorite_->setCheckable(true);
    layout->addWidget(main_, 1);
    layout->addWidget(renew_);
    layout->addWidget(favorite_);
    layout->addWidget(remove_);
    const auto forward = [this](QAbstractButton* button,
                                const std::function<void(const std::string&)>& action) {
        connect(button, &QAbstractButton::clicked, this, [this, &action] { action(id_); });
    };
    forward(main_, actions_.move);
    forward(renew_, actions_.renew);
    forward(favorite_, actions_.toggleFavorite);
    forward(remove_, actions_.remove);
}

void DestinationLine::setDestination(const DestinationRow& row, bool busy)
{
    id_ = row.id;
    setObjectName(QString::fromStdString(row.id));
    main_->setDestination(row, row.location ? shownName(*row.location)
                                            : localized("Accès à renouveler"));
    main_->setEnabled(row.location.has_value() && !busy);
    renew_->setVisible(!row.location);
    favorite_->setSymbol(QString::fromLatin1(row.favorite ? "star.fill" : "star"),
                         row.favorite ? Theme::orange : Theme::muted);
    favorite_->setChecked(row.favorite);
    favorite_->setEnabled(!busy);
    remove_->setEnabled(!busy);
}

} // namespace tollenvane

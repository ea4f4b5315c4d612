#include "app/design/SecondaryButton.h"

#include "app/design/DesignFont.h"

namespace tollenvane {

namespace {

ButtonLook secondaryLook()
{
    return ButtonLook{.font = DesignFont::system(13, QFont::Medium),
                      .horizontalPadding = 15,
                      .verticalPadding = 11,
                      .cornerRadius = 9,
                      .fill = Theme::soft,
                      .stroke = Theme::line,
                      .foreground = std::nullopt,
                      .symbolFirst = true,
                      .spacing = 6};
}

} // namespace

SecondaryButton::SecondaryButton(const QString& title, const QString& symbol,
                                 const std::function<void()>& action, QWidget* parent)
    : LiftButton(title, symbol, action, secondaryLook(), parent)
{}

} // namespace tollenvane

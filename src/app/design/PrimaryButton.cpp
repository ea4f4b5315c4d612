#include "app/design/PrimaryButton.h"

#include "app/design/DesignFont.h"

namespace tollenvane {

namespace {

ButtonLook primaryLook()
{
    return ButtonLook{.font = DesignFont::system(14, QFont::DemiBold),
                      .horizontalPadding = 22,
                      .verticalPadding = 13,
                      .cornerRadius = 10,
                      .fill = Theme::accent,
                      .stroke = std::nullopt,
                      .foreground = Theme::ink,
                      .symbolFirst = false,
                      .spacing = 12};
}

} // namespace

PrimaryButton::PrimaryButton(const QString& title, const QString& symbol,
                             const std::function<void()>& action, QWidget* parent)
    : LiftButton(title, symbol, action, primaryLook(), parent)
{}

} // namespace tollenvane

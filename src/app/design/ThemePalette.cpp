#include "app/design/ThemePalette.h"

namespace tollenvane {

QPalette themePalette(ColorScheme scheme)
{
    const auto token = [scheme](const ThemeColor& color) { return color.resolved(scheme); };
    QPalette palette;
    palette.setColor(QPalette::Window, token(Theme::bg));
    palette.setColor(QPalette::WindowText, token(Theme::text));
    palette.setColor(QPalette::Base, token(Theme::panel));
    palette.setColor(QPalette::AlternateBase, token(Theme::soft));
    palette.setColor(QPalette::Text, token(Theme::text));
    palette.setColor(QPalette::PlaceholderText, token(Theme::muted));
    palette.setColor(QPalette::Button, token(Theme::soft));
    palette.setColor(QPalette::ButtonText, token(Theme::text));
    palette.setColor(QPalette::BrightText, token(Theme::panel));
    palette.setColor(QPalette::ToolTipBase, token(Theme::panel));
    palette.setColor(QPalette::ToolTipText, token(Theme::text));
    palette.setColor(QPalette::Highlight, token(Theme::orange));
    palette.setColor(QPalette::HighlightedText, token(Theme::panel));
    palette.setColor(QPalette::Link, token(Theme::orange));
    palette.setColor(QPalette::LinkVisited, token(Theme::orange));
    // Fusion draws bevels and frames from these.
    palette.setColor(QPalette::Light, token(Theme::panel));
    palette.setColor(QPalette::Midlight, token(Theme::soft));
    palette.setColor(QPalette::Mid, token(Theme::line));
    palette.setColor(QPalette::Dark, token(Theme::line));
    palette.setColor(QPalette::Shadow, token(Theme::sidebar));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText}) {
        palette.setColor(QPalette::Disabled, role, token(Theme::muted));
    }
    return palette;
}

} // namespace tollenvane

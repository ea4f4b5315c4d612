#include "model/Page.h"

#include "core/base/RawValues.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

namespace {

constexpr RawValues<Page, 10> raws{{{
    {Page::dashboard, "dashboard"},
    {Page::space, "space"},
    {Page::sources, "sources"},
    {Page::history, "history"},
    {Page::settings, "settings"},
    {Page::setup, "setup"},
    {Page::swipe, "swipe"},
    {Page::summary, "summary"},
    {Page::duplicates, "duplicates"},
    {Page::applications, "applications"},
}}};

constexpr RawValues<Page, 10> labelKeys{{{
    {Page::dashboard, "Accueil"},
    {Page::space, "Faire de la place"},
    {Page::sources, "Sources"},
    {Page::history, "Historique"},
    {Page::settings, "Réglages"},
    {Page::setup, "Nouvelle session"},
    {Page::swipe, "Trier"},
    {Page::summary, "Bien joué"},
    {Page::duplicates, "Doublons"},
    {Page::applications, "Applications"},
}}};

} // namespace

std::string_view rawValue(Page page)
{
    return raws.raw(page);
}

std::optional<Page> pageFromRaw(std::string_view raw)
{
    return raws.parse(raw);
}

std::string label(Page page)
{
    return L(labelKeys.raw(page));
}

} // namespace tollenvane

#include "support/ScopedLanguage.h"

#include "core/localisation/Localization.h"

namespace tollenvane::test {

ScopedLanguage::ScopedLanguage(AppLanguage language)
    : previous_(Localization::language())
{
    Localization::setLanguage(language);
}

ScopedLanguage::~ScopedLanguage()
{
    Localization::setLanguage(previous_);
}

} // namespace tollenvane::test

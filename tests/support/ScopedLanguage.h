#pragma once

#include "core/localisation/AppLanguage.h"

namespace tollenvane::test {

// Sets the application's language until the object goes; then the previous one comes back, even
// when the test changed it again in between.
class ScopedLanguage {
public:
    explicit ScopedLanguage(AppLanguage language);
    ~ScopedLanguage();
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    AppLanguage previous_;
};

} // namespace tollenvane::test

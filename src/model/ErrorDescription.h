#pragma once

#include <exception>
#include <string>

namespace tollenvane {

// The text the user reads for an error: a refusal's message in the current language, else the
// system's own description.
std::string errorDescription(const std::exception& error);
// The same for an error in hand; a thrown value that is no std::exception gets a plain text.
std::string errorDescription(const std::exception_ptr& error);

} // namespace tollenvane

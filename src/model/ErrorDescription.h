#pragma once

#include "core/localisation/ErrorText.h"

#include <exception>
#include <string>

namespace tollenvane {

// The text the user reads for an error in hand (errorDescription of an exception); a thrown value
// that is no std::exception gets a plain text.
std::string errorDescription(const std::exception_ptr& error);

} // namespace tollenvane

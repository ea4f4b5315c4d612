#pragma once

#include "core/base/FileError.h"

#include <string>

namespace tollenvane {

// A refusal's message in the current language.
std::string errorDescription(const FileError& error);

} // namespace tollenvane

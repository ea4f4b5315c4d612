#pragma once

#include "core/base/FileError.h"
#include "core/base/PlatformError.h"

#include <exception>
#include <string>

namespace tollenvane {

// A refusal's message in the current language.
std::string errorDescription(const FileError& error);
// What went wrong in a failed system call, without the call's name: the catalogue's text in the
// current language for the common errors, the system's own text for the others.
std::string errorDescription(const PlatformError& error);
// The description above for a refusal or a failed system call, the error's own text otherwise.
std::string errorDescription(const std::exception& error);

} // namespace tollenvane

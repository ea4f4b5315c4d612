#pragma once

#include "app/kit/Unanswered.h"

#include <string>

namespace tollenvane {

// Shows a file selected in the desktop's file manager, and tells when no file manager could;
// tests put a fake in its place.
class FileRevealer : public Unanswered {
public:
    virtual ~FileRevealer() = default;
    virtual void reveal(const std::string& path) = 0;
};

} // namespace tollenvane

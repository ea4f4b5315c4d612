#pragma once

#include <string>

namespace tollenvane {

// Shows a file selected in the desktop's file manager; tests put a fake in its place.
class FileRevealer {
public:
    virtual ~FileRevealer() = default;
    virtual void reveal(const std::string& path) = 0;
};

} // namespace tollenvane

#pragma once

#include <optional>
#include <string>

namespace tollenvane {

// The two values of an application bundle's information dictionary that records keep.
struct BundleInfo {
    std::optional<std::string> shortVersion; // "CFBundleShortVersionString", when a string
    std::optional<std::string> identifier;   // "CFBundleIdentifier", when a string

    // Reads Contents/Info.plist, else Info.plist, of a bundle folder (XML or binary).
    // Nothing when the folder cannot be opened as a bundle.
    static std::optional<BundleInfo> read(const std::string& bundlePath);
};

} // namespace tollenvane

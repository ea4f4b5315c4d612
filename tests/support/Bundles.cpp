#include "support/Bundles.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tollenvane::test {

namespace {

void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace

std::string writeBundle(const std::string& path, const std::string& identifier,
                        const std::optional<std::string>& version)
{
    std::string plist = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                        "<key>CFBundleIdentifier</key><string>" +
                        identifier + "</string>";
    if (version) {
        plist += "<key>CFBundleShortVersionString</key><string>" + *version + "</string>";
    }
    plist += "</dict></plist>";
    const std::filesystem::path bundle(path);
    writeFile(bundle / "Contents/Info.plist", plist);
    writeFile(bundle / "Contents/MacOS/run", "#!/bin/sh\n");
    return path;
}

} // namespace tollenvane::test

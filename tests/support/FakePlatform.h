#pragma once

#include "core/platform/CloudStatus.h"
#include "core/platform/FileMetadata.h"
#include "core/platform/TypeLookup.h"

#include <map>
#include <string>

namespace tollenvane::test {

class FakeTypeLookup final : public TypeLookup {
public:
    std::map<std::string, TypeConformance, std::less<>> types;

    TypeConformance conformance(std::string_view extension) const override
    {
        const auto found = types.find(extension);
        return found == types.end() ? TypeConformance::noType : found->second;
    }
};

class FakeFileMetadata final : public FileMetadata {
public:
    std::map<std::string, Date> lastUsedDates;
    std::map<std::string, bool> screenCaptures;

    std::optional<Date> lastUsed(const std::string& path) const override
    {
        const auto found = lastUsedDates.find(path);
        return found == lastUsedDates.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<bool> isScreenCapture(const std::string& path) const override
    {
        const auto found = screenCaptures.find(path);
        return found == screenCaptures.end() ? std::nullopt : std::optional(found->second);
    }
};

class FakeCloudStatus final : public CloudStatus {
public:
    std::map<std::string, bool> downloaded;

    std::optional<bool> isDownloaded(const std::string& path) const override
    {
        const auto found = downloaded.find(path);
        return found == downloaded.end() ? std::nullopt : std::optional(found->second);
    }
};

} // namespace tollenvane::test

#include "model/access/GrantResolution.h"

#include "core/access/FolderAccess.h"
#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"
#include "model/ErrorDescription.h"

namespace tollenvane {

namespace {

void resolveOne(const FolderGrant& grant, bool source, const GrantResolver& resolver,
                ScopedAccess& access, GrantResolution& result)
{
    Bookmark::Resolved resolved;
    try {
        resolved = resolver.resolve(grant);
    } catch (const std::exception& error) {
        result.statuses.insert_or_assign(grant.id, SourceStatus::failed(errorDescription(error)));
        return;
    }
    if (access.start(resolved.path)) {
        result.started.push_back(resolved.path);
    }
    try {
        resolver.validate(resolved.path);
    } catch (const FileError& refusal) {
        result.statuses.insert_or_assign(
            grant.id, SourceStatus::failed(errorDescription(
                          source ? FolderAccess::sourceRefusal(refusal) : refusal)));
        return;
    } catch (const std::exception& error) {
        result.statuses.insert_or_assign(grant.id, SourceStatus::failed(errorDescription(error)));
        return;
    }
    if (!resolver.isReadable(resolved.path)) {
        result.statuses.insert_or_assign(
            grant.id, SourceStatus::failed(errorDescription(FileError::permission)));
        return;
    }
    result.statuses.insert_or_assign(grant.id, SourceStatus::at(resolved.path));
    if (resolved.stale) {
        try {
            result.renewed.insert_or_assign(grant.id,
                                            resolver.grant(resolved.path, grant.favorite).bookmark);
        } catch (const std::exception&) {
            // The old bookmark still led here; it is tried again at the next resolution.
        }
    }
}

} // namespace

GrantResolution GrantResolution::of(const std::vector<FolderGrant>& sources,
                                    const std::vector<FolderGrant>& destinations,
                                    const GrantResolver& resolver, ScopedAccess& access)
{
    GrantResolution result;
    for (const FolderGrant& grant : sources) {
        resolveOne(grant, true, resolver, access, result);
    }
    for (const FolderGrant& grant : destinations) {
        resolveOne(grant, false, resolver, access, result);
    }
    return result;
}

void GrantResolution::release(ScopedAccess& access) const
{
    for (const std::string& folder : started) {
        access.stop(folder);
    }
}

} // namespace tollenvane

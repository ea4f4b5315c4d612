#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Paths are the bytes the file system gives, never Unicode-normalised.
namespace tollenvane::path {

// Lexical cleaning of an absolute path: no ".", "..", repeated or trailing slashes.
std::string standardised(std::string_view path);
// An absolute path with no empty, "." or ".." component and no trailing slash: what
// standardising gives back unchanged, and what nearly every path already is.
bool isStandardised(std::string_view path);

// realpath of the longest existing prefix, the rest appended standardised.
// Throws PlatformError when resolution fails for another reason than a missing component.
std::string resolved(std::string_view path);

// The resolved path of an item that exists (a dangling link does not); nothing otherwise, and
// nothing when resolution fails.
std::optional<std::string> resolvedIfExists(const std::string& path);

// The path passes through no symbolic link: resolved equals standardised. Throws as resolved.
bool isLinkFree(std::string_view path);

// stat succeeds: a dangling link does not exist.
bool exists(const std::string& path);

// lstat succeeds: anything, a dangling link included, takes the place.
bool occupied(const std::string& path);

// stat succeeds and names a folder.
bool isDirectory(const std::string& path);

// The last component; "/" for the root.
std::string_view lastComponent(std::string_view path);

// The folder holding the last component; "/" for the root and for its direct children.
std::string_view parent(std::string_view path);

// Text after the last dot of the last component; empty without a dot, for a name whose only
// dot comes first (".bashrc") and for a name ending with a dot.
std::string_view extension(std::string_view path);

// The last component without its extension and the dot before it.
std::string_view stem(std::string_view path);

std::string appending(std::string_view folder, std::string_view name);

// The non-empty components between slashes.
std::vector<std::string_view> components(std::string_view path);

// `path` is `folder` itself or lies below it (both standardised).
bool isAtOrBelow(std::string_view path, std::string_view folder);
// `path` begins with `folder` followed by a slash: the plain text test, under which "/" holds
// nothing and a trailing slash in `folder` matches nothing.
bool beginsWithFolder(std::string_view path, std::string_view folder);

std::string toLowerAscii(std::string_view text);

// Creates the folder and any missing parents, each new one readable by the owner only (they
// hold private data). An existing folder is fine; anything else in the way throws PlatformError.
void createPrivateFolders(const std::string& folder);

} // namespace tollenvane::path

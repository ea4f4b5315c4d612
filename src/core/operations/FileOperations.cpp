#include "core/operations/FileOperations.h"

#include "core/access/FolderAccess.h"
#include "core/applications/ApplicationInventory.h"
#include "core/base/FileError.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/duplicates/DuplicateFinder.h"
#include "core/operations/FolderName.h"
#include "core/platform/FileMover.h"
#include "core/platform/FreedesktopTrash.h"
#include "core/platform/VolumeIdentity.h"

#include <sys/stat.h>

#include <cerrno>

namespace tollenvane {

namespace {

bool changesDisk(Decision decision)
{
    return decision == Decision::trash || decision == Decision::move;
}

bool isApplication(const FileRecord& record)
{
    return record.kind() == FileKind::application;
}

} // namespace

FileOperations::FileOperations()
    : ownTrash_(std::make_unique<const FreedesktopTrash>())
    , trash_(*ownTrash_)
    , mover_(FileMover::system())
    , environment_(FileRecord::Environment::system())
{}

FileOperations::FileOperations(const FreedesktopTrash& trash, const FileMover& mover,
                               const FileRecord::Environment& environment)
    : trash_(trash)
    , mover_(mover)
    , environment_(environment)
{}

FileOperations::~FileOperations() = default;

OperationReceipt FileOperations::perform(Decision decision, const FileRecord& file,
                                         const std::optional<std::string>& destination)
{
    const std::scoped_lock lock(mutex_);
    const std::string source(file.path());
    if (!path::exists(source)) {
        throw FileError(FileError::missing);
    }
    if (!path::isLinkFree(source)) {
        throw FileError(FileError::unsafeSource);
    }
    checkSource(decision, file);
    const FileRecord current = FileRecord::read(source, {}, environment_);
    if (!file.sameVersion(current)) {
        throw FileError(FileError::changed);
    }
    std::optional<std::string> digest = prepareChange(decision, file, current);
    std::optional<std::string> resulting = carryOut(decision, file, destination);
    std::optional<FileRecord> resultingRecord = readResult(resulting);
    return {file, decision, std::move(resulting), std::move(resultingRecord), std::move(digest)};
}

void FileOperations::checkSource(Decision decision, const FileRecord& file) const
{
    if (!isApplication(file)) {
        FolderAccess::validate(std::string(path::parent(file.path())));
    } else if (changesDisk(decision)) {
        ApplicationInventory::validateOperation(std::string(file.path()));
    }
}

// The last checks before a trash or a move, and the digest that undo may need; nothing for
// keep and later.
std::optional<std::string> FileOperations::prepareChange(Decision decision, const FileRecord& file,
                                                         const FileRecord& current) const
{
    if (!changesDisk(decision)) {
        return std::nullopt;
    }
    if (!current.available()) {
        throw FileError(FileError::offline);
    }
    std::optional<std::string> digest;
    if (!isApplication(current) && current.size() <= undoDigestLimit) {
        digest = DuplicateFinder::digest(current, {}, environment_);
    }
    // Measuring the bundle again took time; the application may have been started meanwhile.
    if (isApplication(file)) {
        ApplicationInventory::validateOperation(std::string(file.path()));
    }
    return digest;
}

std::optional<std::string>
FileOperations::carryOut(Decision decision, const FileRecord& file,
                         const std::optional<std::string>& destination) const
{
    if (decision == Decision::trash) {
        std::string place = trash_.trash(std::string(file.path()));
        return place.empty() ? std::nullopt : std::optional(std::move(place));
    }
    if (decision == Decision::move) {
        std::string target = moveTarget(file, destination);
        mover_.moveNoReplace(std::string(file.path()), target);
        return target;
    }
    return std::nullopt;
}

std::string FileOperations::moveTarget(const FileRecord& file,
                                       const std::optional<std::string>& destination) const
{
    if (!destination) {
        throw FileError(FileError::invalidDestination);
    }
    FolderAccess::validate(*destination);
    const std::string folder = path::resolved(*destination);
    if (folder == path::resolved(path::parent(file.path()))) {
        throw FileError(FileError::invalidDestination);
    }
    if (isApplication(file) && folder.starts_with(std::string(file.path()) + "/")) {
        throw FileError(FileError::invalidDestination);
    }
    std::string target = path::appending(folder, path::lastComponent(file.path()));
    if (path::occupied(target)) {
        throw FileError(FileError::collision);
    }
    return target;
}

std::optional<FileRecord> FileOperations::readResult(const std::optional<std::string>& path) const
{
    if (!path) {
        return std::nullopt;
    }
    try {
        return FileRecord::read(*path, {}, environment_);
    } catch (const std::exception&) {
        // The change is made and cannot be refused any more: the receipt only loses its undo.
        return std::nullopt;
    }
}

FileRecord FileOperations::undo(const OperationReceipt& receipt)
{
    const std::scoped_lock lock(mutex_);
    if (!changesDisk(receipt.decision)) {
        return undoInPlace(receipt);
    }
    if (!receipt.resultingPath) {
        throw FileError(FileError::missing);
    }
    const std::string& place = *receipt.resultingPath;
    const std::string original(receipt.original.path());
    if (!path::exists(place)) {
        throw FileError(FileError::missing);
    }
    if (!path::isLinkFree(path::parent(original))) {
        throw FileError(FileError::unsafeSource);
    }
    if (!path::isLinkFree(place)) {
        throw FileError(FileError::unsafeSource);
    }
    if (!receipt.resultingRecord) {
        throw FileError(FileError::changed);
    }
    checkSameFile(receipt, FileRecord::read(place, {}, environment_));
    checkOriginalPlace(receipt.original);
    mover_.moveNoReplace(place, original);
    if (receipt.decision == Decision::trash) {
        trash_.forgetRestored(place);
    }
    return restoredRecord(receipt.original);
}

// Keep and later never moved anything, whatever a receipt claims: nothing on disk changes.
FileRecord FileOperations::undoInPlace(const OperationReceipt& receipt) const
{
    return FileRecord::read(std::string(receipt.original.path()), {}, environment_);
}

// A rename or a change of owner or mode moves the status time without touching the content, so
// a file that matches in everything else is still recognised by its content.
void FileOperations::checkSameFile(const OperationReceipt& receipt, const FileRecord& current) const
{
    const FileRecord& recorded = *receipt.resultingRecord;
    if (recorded.sameVersion(current)) {
        return;
    }
    const bool sameMetadata = recorded.sameVolume(current) && recorded.inode() == current.inode() &&
                              recorded.size() == current.size() &&
                              recorded.modified() == current.modified();
    if (!sameMetadata) {
        throw FileError(FileError::changed);
    }
    if (recorded.packageFingerprint()) {
        if (current.packageFingerprint() != recorded.packageFingerprint()) {
            throw FileError(FileError::changed);
        }
        return;
    }
    if (!receipt.undoDigest ||
        DuplicateFinder::digest(current, {}, environment_) != *receipt.undoDigest) {
        throw FileError(FileError::changed);
    }
}

void FileOperations::checkOriginalPlace(const FileRecord& original) const
{
    if (path::occupied(std::string(original.path()))) {
        throw FileError(FileError::collision);
    }
    const std::string folder(path::parent(original.path()));
    if (!path::isDirectory(folder)) {
        throw FileError(FileError::invalidDestination);
    }
    // Another disk mounted at the same place would take the file somewhere else entirely.
    if (original.volumeUUID() &&
        VolumeIdentity::freshUUID(folder) != std::optional<std::string>(original.volumeUUID())) {
        throw FileError(FileError::invalidDestination);
    }
}

FileRecord FileOperations::restoredRecord(const FileRecord& original) const
{
    try {
        return FileRecord::read(std::string(original.path()), {}, environment_);
    } catch (const std::exception&) {
        // The file is back already. A failure now would leave the caller showing it as still
        // away, with an undo that can never succeed again; the next decision reads it anyway.
        return original;
    }
}

std::string FileOperations::createFolder(const std::string& name, const std::string& parent)
{
    const std::scoped_lock lock(mutex_);
    if (folderNameRefusal(name)) {
        throw FileError(FileError::invalidDestination);
    }
    FolderAccess::validate(parent);
    std::string folder = path::appending(path::standardised(parent), name);
    if (path::occupied(folder)) {
        throw FileError(FileError::collision);
    }
    if (::mkdir(folder.c_str(), 0777) != 0) {
        if (errno == EEXIST) {
            throw FileError(FileError::collision);
        }
        PlatformError::throwLast("mkdir");
    }
    return folder;
}

} // namespace tollenvane

#pragma once

#include "core/records/Decision.h"
#include "core/records/FileRecord.h"
#include "core/records/OperationReceipt.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace tollenvane {

class FileMover;
class FreedesktopTrash;

// The only code that changes the user's disk for a decision. Before anything changes, the file
// is checked again against the disk and against what the caller saw; any difference refuses the
// operation and leaves the disk as it was. Nothing is ever replaced or deleted outright.
// Operations run one at a time, each from its first check to its result.
class FileOperations {
public:
    // Files up to this size carry a content digest, so that undo can recognise them after a
    // change of their status time; larger files would cost a whole read on every decision.
    static constexpr std::int64_t undoDigestLimit = 8'388'608;

    // The user's trash and the system's mover.
    FileOperations();
    // `trash` answering an empty path means it could not say where the item went. All three
    // must outlive this object.
    FileOperations(const FreedesktopTrash& trash, const FileMover& mover,
                   const FileRecord::Environment& environment = FileRecord::Environment::system());
    ~FileOperations();
    FileOperations(const FileOperations&) = delete;
    FileOperations& operator=(const FileOperations&) = delete;

    // Checks `file` again, then trashes it, moves it into `destination` or, for keep and later,
    // leaves it. Throws FileError: missing, unsafeSource, changed, offline, invalidDestination,
    // collision; and what folder access, the application rules, reading the file and the trash
    // or the mover throw.
    OperationReceipt perform(Decision decision, const FileRecord& file,
                             const std::optional<std::string>& destination = std::nullopt);

    // Puts a trashed or moved file back where it was, once it is recognised as the same file
    // and its place is free; returns its record there, or the receipt's original record when
    // the file is back but cannot be read. For keep and later nothing on disk changes and the
    // file is read again. Throws as perform.
    FileRecord undo(const OperationReceipt& receipt);

    // Creates the folder `name` inside `parent` and returns its path. Throws
    // FileError::invalidDestination for an empty, hidden or unusable name, FileError::collision
    // when anything lies there, what folder access throws, and PlatformError.
    std::string createFolder(const std::string& name, const std::string& parent);

private:
    void checkSource(Decision decision, const FileRecord& file) const;
    std::optional<std::string> prepareChange(Decision decision, const FileRecord& file,
                                             const FileRecord& current) const;
    std::optional<std::string> carryOut(Decision decision, const FileRecord& file,
                                        const std::optional<std::string>& destination) const;
    std::string moveTarget(const FileRecord& file,
                           const std::optional<std::string>& destination) const;
    std::optional<FileRecord> readResult(const std::optional<std::string>& path) const;

    FileRecord undoInPlace(const OperationReceipt& receipt) const;
    void checkSameFile(const OperationReceipt& receipt, const FileRecord& current) const;
    void checkOriginalPlace(const FileRecord& original) const;
    FileRecord restoredRecord(const FileRecord& original) const;

    std::unique_ptr<const FreedesktopTrash> ownTrash_;
    const FreedesktopTrash& trash_;
    const FileMover& mover_;
    const FileRecord::Environment& environment_;
    std::mutex mutex_;
};

} // namespace tollenvane

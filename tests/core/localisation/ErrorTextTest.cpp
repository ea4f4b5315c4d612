#include "core/localisation/ErrorText.h"

#include "core/platform/FreedesktopTrash.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tollenvane {
namespace {

TEST(ErrorText, DiskRefusalsSayWhatHappenedAndARefusedTrashThatTheFileStayed)
{
    const test::ScopedLanguage english(AppLanguage::en);
    struct Case {
        int code;
        std::string_view operation;
        std::string expected;
    };
    const std::string stays = " The file stays where it is.";
    for (const Case& known : {
             Case{EROFS, "write", "This disk allows reading only."},
             Case{ENOSPC, "write", "The disk is full."},
             Case{ENXIO, "open", "The disk is no longer available."},
             Case{EROFS, FreedesktopTrash::operation,
                  "This disk allows reading only: no Trash can be made on it." + stays},
             Case{EDQUOT, FreedesktopTrash::operation,
                  "The disk is full: the Trash cannot take this file." + stays},
             Case{ENODEV, FreedesktopTrash::operation,
                  "The disk is no longer available: no Trash can be used on it." + stays},
             Case{EACCES, FreedesktopTrash::operation, "Access denied."},
         }) {
        EXPECT_EQ(errorDescription(PlatformError(known.code, known.operation)), known.expected)
            << known.code;
    }
}

} // namespace
} // namespace tollenvane

#pragma once

#include <sys/resource.h>

#include <csignal>

namespace tollenvane::test {

// Lowers the file-size limit of this process until the object goes, so that a write fails
// part-way with EFBIG, as on a full disk; the signal the kernel would send is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    struct sigaction previousAction_ {};
};

} // namespace tollenvane::test

#include "support/FileSizeLimit.h"

#include <stdexcept>

namespace tollenvane::test {

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    if (::getrlimit(RLIMIT_FSIZE, &previous_) != 0 ||
        ::sigaction(SIGXFSZ, &ignore, &previousAction_) != 0) {
        throw std::runtime_error("cannot lower the file-size limit");
    }
    const rlimit limited{bytes, previous_.rlim_max};
    if (::setrlimit(RLIMIT_FSIZE, &limited) != 0) {
        ::sigaction(SIGXFSZ, &previousAction_, nullptr);
        throw std::runtime_error("cannot lower the file-size limit");
    }
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::sigaction(SIGXFSZ, &previousAction_, nullptr);
}

} // namespace tollenvane::test

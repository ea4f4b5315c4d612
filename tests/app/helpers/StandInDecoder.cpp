// Stands in for the decoder process, doing what a decoder on a hostile file might, so that the
// tests see the limits it is started with hold:
//   flood BYTES    writes BYTES to its output, then never ends
//   swell BYTES    takes BYTES of memory at once, then says "held"
//   chatter        writes a few megabytes of diagnostics, then says "done"
//   sleep          waits without end, using no processor time
//   write PATH     appends to the file PATH, then says "wrote"
//   environment NAME...  says NAME=value, or NAME unset, of each variable on a line
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool writeAll(int descriptor, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t step = ::write(descriptor, bytes, size);
        if (step <= 0) {
            return false;
        }
        bytes += step;
        size -= static_cast<std::size_t>(step);
    }
    return true;
}

bool say(const char* word)
{
    return writeAll(STDOUT_FILENO, word, std::strlen(word));
}

[[noreturn]] void sleepForever()
{
    for (;;) {
        ::pause();
    }
}

// The tests ask for far more than a decoder may hand back, yet not without end, so that a reader
// that lost its bound fails its test without first taking all the machine's memory.
int flood(const char* bytes)
{
    const std::vector<char> block(64 * 1024, 'x');
    for (auto left = std::strtoull(bytes, nullptr, 10); left > 0;) {
        const std::size_t size = std::min<unsigned long long>(left, block.size());
        if (!writeAll(STDOUT_FILENO, block.data(), size)) {
            return 1;
        }
        left -= size;
    }
    sleepForever();
}

int swell(const char* bytes)
{
    const auto size = static_cast<std::size_t>(std::strtoull(bytes, nullptr, 10));
    // Touched at both ends, so that no compiler leaves the allocation out.
    auto* block = static_cast<volatile char*>(std::malloc(size));
    if (block == nullptr || size == 0) {
        return 1;
    }
    block[0] = 1;
    block[size - 1] = 1;
    return say("held") ? 0 : 1;
}

int chatter()
{
    const std::string line = "decoder: a diagnostic of no interest to the user\n";
    for (int count = 0; count < 64 * 1024; ++count) {
        if (!writeAll(STDERR_FILENO, line.data(), line.size())) {
            return 1;
        }
    }
    return say("done") ? 0 : 1;
}

int writeTo(const char* path)
{
    const int file = ::open(path, O_WRONLY | O_APPEND | O_CLOEXEC);
    if (file < 0 || !writeAll(file, "x", 1)) {
        return 1;
    }
    ::close(file);
    return say("wrote") ? 0 : 1;
}

int environment(int count, char** names)
{
    for (int at = 0; at < count; ++at) {
        const char* value = std::getenv(names[at]);
        const std::string line = std::string(names[at]) +
                                 (value != nullptr ? "=" + std::string(value) : " unset") + "\n";
        if (!say(line.c_str())) {
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "flood" && argc == 3) {
        return flood(argv[2]);
    }
    if (mode == "swell" && argc == 3) {
        return swell(argv[2]);
    }
    if (mode == "chatter" && argc == 2) {
        return chatter();
    }
    if (mode == "sleep" && argc == 2) {
        sleepForever();
    }
    if (mode == "write" && argc == 3) {
        return writeTo(argv[2]);
    }
    if (mode == "environment") {
        return environment(argc - 2, argv + 2);
    }
    return 2;
}

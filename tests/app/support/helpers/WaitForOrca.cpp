// Waits until Orca's log holds what a step expects, and says so by its exit code: 0 once it does,
// 1 when the deadline passed first, 2 when asked wrongly.
// Usage: WaitForOrca LOG MARKS SECONDS heard TEXT | handled TYPE | focus | focused | told FROM |
// typed FROM COUNT
//   heard TEXT        an utterance since the last mark holds TEXT;
//   handled TYPE      Orca handled, since the last mark, an event of the type TYPE;
//   focus             Orca was told, since the last mark, that an object took the focus;
//   focused           Orca has spoken, since the last mark, an object that took the focus;
//   told FROM         Orca was told of a key past the log's byte FROM;
//   typed FROM COUNT  Orca was told of COUNT characters' keys past the log's byte FROM.
#include "support/Speech.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using tollenvane::test::Speech;

// The stretch of the log past its byte `from`, read again as the log grows.
Speech::Part logFrom(const char* logPath, std::streamoff from)
{
    std::ifstream log(logPath, std::ios::binary);
    log.seekg(from);
    return Speech::partOf({},
                          QString::fromStdString(std::string(std::istreambuf_iterator<char>(log),
                                                             std::istreambuf_iterator<char>())));
}

// Where the steps left their last mark.
std::streamoff lastMark(const char* marksPath)
{
    std::ifstream marks(marksPath);
    std::string line;
    std::string last;
    while (std::getline(marks, line)) {
        if (!line.empty()) {
            last = line;
        }
    }
    return std::strtoll(last.c_str(), nullptr, 10);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> ask(argv + std::min(argc, 4), argv + argc);
    const std::size_t wanted = ask.empty()                                                    ? 0
                               : ask[0] == "heard" || ask[0] == "told" || ask[0] == "handled" ? 2
                               : ask[0] == "typed"                                            ? 3
                               : ask[0] == "focus" || ask[0] == "focused"                     ? 1
                                                                                              : 0;
    if (argc < 4 || wanted == 0 || ask.size() != wanted) {
        return 2;
    }
    const auto holds = [&] {
        if (ask[0] == "heard") {
            return logFrom(argv[1], lastMark(argv[2])).heard(QString::fromStdString(ask[1]));
        }
        if (ask[0] == "handled") {
            return logFrom(argv[1], lastMark(argv[2]))
                .handled.contains(QString::fromStdString(ask[1]));
        }
        if (ask[0] == "focus" || ask[0] == "focused") {
            const Speech::Part part = logFrom(argv[1], lastMark(argv[2]));
            return ask[0] == "focus" ? part.toldFocus : part.spokeFocus;
        }
        const Speech::Part part = logFrom(argv[1], std::strtoll(ask[1].c_str(), nullptr, 10));
        return ask[0] == "told" ? !part.keys.isEmpty() : part.typed() >= std::atoi(ask[2].c_str());
    };
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[3]));
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return 1;
        }
        // Orca writes its log line by line; reading it again a little later costs nothing.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

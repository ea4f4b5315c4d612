// Waits until Orca's log holds what a step expects, and says so by its exit code: 0 once it does,
// 1 when the deadline passed first, 2 when asked wrongly.
// Usage: WaitForOrca LOG MARKS SECONDS heard TEXT | focus | focused | clicked | told FROM |
// typed FROM COUNT
//   heard TEXT        an utterance since the last mark holds TEXT;
//   focus             Orca was told, since the last mark, that an object took the focus;
//   focused           Orca has spoken, since the last mark, an object that took the focus;
//   clicked           Orca was told, since the last mark, where the focus went, and handled the
//                     click it was told of, if any: handled late, the click would silence
//                     what the keys after it do;
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
    const std::string verb = ask.empty() ? std::string() : ask[0];
    const std::size_t wanted = verb == "heard" || verb == "told"                           ? 2
                               : verb == "typed"                                           ? 3
                               : verb == "focus" || verb == "focused" || verb == "clicked" ? 1
                                                                                           : 0;
    if (argc < 4 || wanted == 0 || ask.size() != wanted) {
        return 2;
    }
    const auto holds = [&] {
        if (verb == "told" || verb == "typed") {
            const Speech::Part part = logFrom(argv[1], std::strtoll(ask[1].c_str(), nullptr, 10));
            return verb == "told" ? !part.keys.isEmpty()
                                  : part.typed() >= std::atoi(ask[2].c_str());
        }
        const Speech::Part part = logFrom(argv[1], lastMark(argv[2]));
        const QString released = QStringLiteral("mouse:button:1r");
        const bool toldOfClick = !part.events.filter(released + " for").isEmpty();
        return verb == "heard"   ? part.heard(QString::fromStdString(ask[1]))
               : verb == "focus" ? part.toldFocus
               : verb == "focused"
                   ? part.spokeFocus
                   : part.toldFocus && (!toldOfClick || part.handled.contains(released));
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

#include "app/decoding/DecoderTask.h"

#include <array>
#include <utility>

namespace tollenvane {

namespace {

constexpr std::array<std::pair<DecoderTask, const char*>, 8> names{{
    {DecoderTask::picture, "picture"},
    {DecoderTask::drawing, "drawing"},
    {DecoderTask::pdfPage, "pdf-page"},
    {DecoderTask::pdfLayout, "pdf-layout"},
    {DecoderTask::pdfReadingPage, "pdf-reading-page"},
    {DecoderTask::videoFrame, "video-frame"},
    {DecoderTask::waveform, "waveform"},
    {DecoderTask::icon, "icon"},
}};

bool takesNumber(DecoderTask task)
{
    return task == DecoderTask::pdfReadingPage || task == DecoderTask::icon;
}

} // namespace

QStringList decoderArguments(const DecoderRequest& request)
{
    for (const auto& [task, name] : names) {
        if (task == request.task) {
            QStringList arguments{QString::fromLatin1(name)};
            if (takesNumber(task)) {
                arguments.append(QString::number(request.number));
            }
            return arguments;
        }
    }
    return {};
}

std::optional<DecoderRequest> decoderRequestFrom(const QStringList& arguments)
{
    for (const auto& [task, name] : names) {
        if (arguments.isEmpty() || arguments.front() != QLatin1String(name)) {
            continue;
        }
        if (!takesNumber(task)) {
            return arguments.size() == 1 ? std::optional<DecoderRequest>(task) : std::nullopt;
        }
        bool isNumber = false;
        const int number = arguments.size() == 2 ? arguments.at(1).toInt(&isNumber) : -1;
        return isNumber && number >= 0 ? std::optional<DecoderRequest>({task, number})
                                       : std::nullopt;
    }
    return std::nullopt;
}

} // namespace tollenvane

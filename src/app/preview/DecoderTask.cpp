#include "app/preview/DecoderTask.h"

#include <array>
#include <utility>

namespace tollenvane {

namespace {

constexpr std::array<std::pair<DecoderTask, const char*>, 6> names{{
    {DecoderTask::picture, "picture"},
    {DecoderTask::drawing, "drawing"},
    {DecoderTask::pdfPage, "pdf-page"},
    {DecoderTask::pdfPages, "pdf-pages"},
    {DecoderTask::videoFrame, "video-frame"},
    {DecoderTask::waveform, "waveform"},
}};

} // namespace

QString decoderTaskName(DecoderTask task)
{
    for (const auto& [named, name] : names) {
        if (named == task) {
            return QString::fromLatin1(name);
        }
    }
    return {};
}

std::optional<DecoderTask> decoderTaskNamed(const QString& name)
{
    for (const auto& [task, text] : names) {
        if (name == QLatin1String(text)) {
            return task;
        }
    }
    return std::nullopt;
}

} // namespace tollenvane

// The decoder process: decodes the one file handed over as its standard input, as its arguments
// ask, and writes the result to its standard output. The application starts one per
// file with limits on memory and processor time and kills it past its deadline, so that a file
// built to make a decoder loop or swell takes nothing else down with it.
#include "app/decoding/DecoderOutput.h"
#include "app/decoding/DecoderTask.h"
#include "app/design/ApplicationIconLookup.h"
#include "app/preview/AudioWaveform.h"
#include "app/preview/FileThumbnailer.h"
#include "app/preview/ImageThumbnail.h"
#include "app/preview/PdfThumbnail.h"
#include "app/preview/SvgThumbnail.h"
#include "app/preview/VideoFrame.h"

#include <unistd.h>

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <atomic>
#include <vector>

namespace {

using namespace tollenvane;

// The most a picture decoder may allocate, whatever the environment says.
constexpr int allocationLimitMiB = 256;
// Larger than any icon is drawn.
constexpr int largestIconSide = 1024;

QByteArray decoded(const DecoderRequest& request, QFile& input)
{
    const auto one = [](const QImage& image) {
        return image.isNull() ? QByteArray() : DecoderOutput::pictures(std::span(&image, 1));
    };
    switch (request.task) {
    case DecoderTask::picture:
        return one(imageThumbnail(input));
    case DecoderTask::drawing:
        return one(svgThumbnail(input));
    case DecoderTask::pdfPage:
        return one(pdfThumbnail(input));
    case DecoderTask::pdfLayout:
        return DecoderOutput::sizes(pdfPageSizes(input));
    case DecoderTask::pdfReadingPage:
        return one(pdfReadingPage(input, request.number));
    case DecoderTask::icon:
        return request.number > 0 && request.number <= largestIconSide
                   ? one(decodeIconPicture(input, request.number))
                   : QByteArray();
    case DecoderTask::videoFrame:
        return one(videoFrame(input, FileThumbnailer::videoTimeout));
    case DecoderTask::waveform: {
        const std::atomic<bool> running{false};
        return DecoderOutput::bars(decodeWaveform(input, running));
    }
    }
    return {};
}

bool writeAll(const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(STDOUT_FILENO, bytes.constData() + written,
                                     static_cast<std::size_t>(bytes.size() - written));
        if (step <= 0) {
            return false;
        }
        written += step;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const std::optional<DecoderRequest> request =
        decoderRequestFrom(QCoreApplication::arguments().mid(1));
    if (!request) {
        return 2;
    }
    QImageReader::setAllocationLimit(allocationLimitMiB);
    QFile input;
    if (!input.open(STDIN_FILENO, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        return 1;
    }
    return writeAll(decoded(*request, input)) ? 0 : 1;
}

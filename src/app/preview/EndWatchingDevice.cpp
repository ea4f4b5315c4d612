#include "app/preview/EndWatchingDevice.h"

namespace tollenvane {

EndWatchingDevice::EndWatchingDevice(QIODevice& source)
    : source_(source)
{
    QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool EndWatchingDevice::seek(qint64 position)
{
    return QIODevice::seek(position) && source_.seek(position);
}

qint64 EndWatchingDevice::readData(char* data, qint64 maxSize)
{
    const qint64 read = source_.read(data, maxSize);
    if (read == 0 && maxSize > 0) {
        ranPastEnd_ = true;
    }
    return read;
}

qint64 EndWatchingDevice::writeData(const char*, qint64)
{
    return -1;
}

} // namespace tollenvane

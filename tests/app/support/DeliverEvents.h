#pragma once

#include <QCoreApplication>

namespace tollenvane::test {

// Queued refreshes, and what they queue in turn, run on the event loop.
inline void deliverEvents()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
    }
}

} // namespace tollenvane::test

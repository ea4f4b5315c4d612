#pragma once

class QThreadPool;

namespace tollenvane {

// The threads that read and decode users' files for the screens: previews, thumbnails, icons.
// Qt paints with its global pool, so file work stays off it; and since a read can hang on a dead
// mount, nothing ever waits for these threads: the pool is made once and left to the end of the
// process.
QThreadPool& fileWorkers();

} // namespace tollenvane

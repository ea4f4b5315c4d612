#pragma once

#include "model/AppModel.h"
#include "model/support/FakeServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFuture>
#include <functional>
#include <memory>
#include <string>

namespace tollenvane::test {

// A model on the real thread pool and timers over a temporary folder: the system's services,
// with a folder panel that answers what the test says, accesses counted and no audio device.
class ThreadedModel {
public:
    TempDir folder;
    std::shared_ptr<FakeFolderPanel> panel = std::make_shared<FakeFolderPanel>();
    std::shared_ptr<CountingAccess> access = std::make_shared<CountingAccess>();
    std::unique_ptr<AppModel> model;

    std::string statePath() const { return folder / "data/state.json"; }
    ModelServices services() const;

    // Builds the model over statePath(); it starts loading at once.
    AppModel& start() { return start(services()); }
    AppModel& start(ModelServices services);

    // Until no load, scan, decision or search is in flight.
    void settle() const;

    // False only on a machine that hangs.
    static bool waitFor(const std::function<bool()>& condition);
    template <class T>
    static void await(const QFuture<T>& future)
    {
        ASSERT_TRUE(waitFor([&] { return future.isFinished(); }));
    }
};

} // namespace tollenvane::test

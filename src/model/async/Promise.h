#pragma once

#include <QPromise>
#include <memory>

namespace tollenvane {

// A promise already started, shared by the steps of an operation that completes it later.
inline std::shared_ptr<QPromise<void>> startedPromise()
{
    auto promise = std::make_shared<QPromise<void>>();
    promise->start();
    return promise;
}

} // namespace tollenvane

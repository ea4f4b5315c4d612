#pragma once

#include <QPromise>
#include <memory>

namespace tollenvane {

// A promise already started, shared by the steps of an operation that completes it later.
template <class T = void>
std::shared_ptr<QPromise<T>> startedPromise()
{
    auto promise = std::make_shared<QPromise<T>>();
    promise->start();
    return promise;
}

} // namespace tollenvane

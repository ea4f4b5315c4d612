#pragma once

#include "core/base/Cancellation.h"

#include <exception>
#include <optional>

namespace tollenvane {

// What a background job gave: its value, or the error it threw. Copyable, so that it can travel
// back to the main thread.
template <class T>
struct Outcome {
    std::optional<T> value;
    std::exception_ptr error;

    template <class Work>
    static Outcome of(Work&& work) noexcept
    {
        Outcome outcome;
        try {
            outcome.value.emplace(work());
        } catch (...) {
            outcome.error = std::current_exception();
        }
        return outcome;
    }

    bool succeeded() const { return !error; }
    bool cancelled() const { return isCancellation(error); }

private:
    static bool isCancellation(const std::exception_ptr& error)
    {
        if (!error) {
            return false;
        }
        try {
            std::rethrow_exception(error);
        } catch (const Cancelled&) {
            return true;
        } catch (...) {
            return false;
        }
    }
};

// A job that gives nothing but may fail.
struct Done {};

template <class Work>
Outcome<Done> outcomeOf(Work&& work) noexcept
{
    return Outcome<Done>::of([&] {
        work();
        return Done{};
    });
}

} // namespace tollenvane

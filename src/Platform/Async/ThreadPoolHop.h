#pragma once

#include "Platform/Async/Continuation.h"

#include <exception>
#include <functional>
#include <memory>
#include <type_traits>

#include <QThreadPool>

namespace Async {

// Runs the blocking call `function` on the shared thread pool and resumes the
// current task with its value (or its exception) on the main executor. Not a
// cancellation point: the call always runs to its end.
template <class Function> auto runOnThreadPool(Function function) {
    using T = std::invoke_result_t<Function&>;
    auto shared = std::make_shared<Function>(std::move(function));
    return withContinuation<T>([shared](Continuation<T> continuation) {
        QThreadPool::globalInstance()->start([shared, continuation] {
            try {
                if constexpr (std::is_void_v<T>) {
                    (*shared)();
                    continuation.resume();
                } else {
                    continuation.resume((*shared)());
                }
            } catch (...) {
                continuation.resumeThrowing(std::current_exception());
            }
        });
    });
}

} // namespace Async

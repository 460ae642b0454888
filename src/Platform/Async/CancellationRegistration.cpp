#include "Platform/Async/CancellationRegistration.h"

#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/TaskContext.h"

namespace Async {

CancellationRegistration::CancellationRegistration(std::stop_token token,
                                                   std::function<void()> handler)
    : callback_(std::make_unique<std::stop_callback<std::function<void()>>>(std::move(token),
                                                                            std::move(handler))) {}

CancellationRegistration onCancel(std::function<void()> handler) {
    TaskContext* context = currentTaskContext();
    if (context == nullptr) {
        return {};
    }
    return CancellationRegistration(context->token(), std::move(handler));
}

} // namespace Async

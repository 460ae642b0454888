#include "App/MainThreadExitHook.h"

#include <utility>

namespace {

struct Hook {
    std::function<void()> action;
    Hook() = default;
    Hook(const Hook&) = delete;
    Hook& operator=(const Hook&) = delete;
    ~Hook() {
        if (action) {
            std::exchange(action, {})();
        }
    }
};

thread_local Hook hook;

} // namespace

namespace MainThreadExitHook {

void set(std::function<void()> action) {
    hook.action = std::move(action);
}

} // namespace MainThreadExitHook

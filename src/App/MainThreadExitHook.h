#pragma once

#include <functional>

// An action for exit() called on the main thread outside the application's own
// teardown, as Qt's X platform does from inside the event loop when the display
// goes away. The action runs first, before any exit handler and any static
// object's destructor: objects of thread storage are destroyed before those,
// and the hook is one of the main thread's.
namespace MainThreadExitHook {

// Sets the action; an empty one runs nothing. Main thread only.
void set(std::function<void()> action);

} // namespace MainThreadExitHook

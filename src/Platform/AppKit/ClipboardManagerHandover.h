#pragma once

#include <chrono>
#include <functional>

// An X display keeps copied text only while the program that copied it runs.
// Where the desktop runs a clipboard manager, this hands the application's
// clipboard to it (the manager's SAVE_TARGETS request), so that what the user
// copied stays pasteable after the application has ended. Qt does the same
// only while its application object is destroyed, a step that may be cut
// short.
namespace ClipboardManagerHandover {

// Hands the clipboard over, waiting up to `timeout` for the manager to take
// it, while this application owns the clipboard of an X display that has a
// clipboard manager; returns at once otherwise. Calls `willWait` just before
// it starts to wait. Whether nothing is left to hand over: false only when the
// manager did not take it in time. Runs the event loop while it waits, so that
// the clipboard can answer the manager.
bool handOver(std::chrono::milliseconds timeout, const std::function<void()>& willWait);

} // namespace ClipboardManagerHandover

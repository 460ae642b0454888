#pragma once

// The two power notifications of the workspace.
enum class SleepWakeNotification { willSleep, didWake };

#pragma once

#include "SampleState.h"
#include "UI/ContentView.h"

// The popover's shared objects as the application builds them, fed by a
// sample network in `state` and polled a couple of dozen times so that every
// history has readings. Needs the task runtime and the event loop.
ContentView::Sources makeSampleSources(SampleState state);

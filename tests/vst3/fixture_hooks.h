// Reaching the fixture from tests that see it only through raw slots: its instance counter, and
// hooks that make the fixture created last act as its editor and its own code would. Plain
// declarations, so that such tests include none of our VST3 headers.
#pragma once

#include <cstdint>

// How many fixture objects exist (to see the last release destroy them).
extern int gFixtureInstances;

// Gives the fixture created last a headless editor of 541 x 580.
void FixtureAttachEditor();
// The fixture created last calls up to the host: a gesture on paramIdx (begin, perform 0.25,
// end), the host's context menu for it at (5, 6), a latency of 3 samples, and a resize of its
// editor to 600 x 700.
void FixtureCallHost(int32_t paramIdx);

// System primitives of the GUI thread.
#pragma once

#include <cstdint>

namespace kelvane {

// Milliseconds since the system started; wraps after 2^32 ms.
std::uint32_t TickCount();

// Handles the window messages waiting in the calling thread's queue, each through the ordinary
// translation and dispatch, and returns when the queue is empty or the next message is WM_QUIT,
// which stays queued for the main message loop.
void ProcessEvents();

} // namespace kelvane

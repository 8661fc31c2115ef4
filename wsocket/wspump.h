#pragma once
// Waiting in the event loop: the socket library's waits (flush, close retries, synchronous
// reads) let the thread's other events run, and sleep until one arrives instead of spinning.

namespace wsocket {

// Handles the events that are pending, without waiting.
void ProcessPendingEvents();
// Sleeps until at least one event has been handled, or until MaxMs milliseconds have passed
// (a negative MaxMs: no limit).
void WaitForEvents(int MaxMs);
// The program is ending: its event loop was told to quit, or the application object is going.
bool ApplicationTerminated();

}  // namespace wsocket

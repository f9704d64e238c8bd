// Polling helpers: the program under test runs in another process, so every check
// waits for the state to arrive instead of reading it once.
#pragma once
#include <windows.h>

namespace gui {

// Polls until the predicate holds or the time runs out; returns the last answer.
template <class Pred>
bool waitUntil(Pred pred, DWORD timeoutMs, DWORD stepMs = 20) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start >= timeoutMs) return pred();
        Sleep(stepMs);
    }
}

// Time-outs used throughout the tests.
constexpr DWORD kShortWait = 3000;
constexpr DWORD kLongWait = 20000;

}  // namespace gui

#pragma once
// Milliseconds from the performance counter, for the benchmark helpers.
#include <windows.h>

inline double MillisecondsNow() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

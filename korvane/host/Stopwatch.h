// TStopwatch: milliseconds since it started, from the performance counter.
// GetTickCount moves in steps of 10-16 ms, too coarse to bound a slice of work
// of a few milliseconds.
#pragma once
#include <windows.h>

namespace korvane {

class TStopwatch {
public:
  TStopwatch() { QueryPerformanceCounter(&start_); }
  double ElapsedMs() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
  }

private:
  LARGE_INTEGER start_;
};

}  // namespace korvane

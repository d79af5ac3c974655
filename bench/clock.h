#pragma once
// Shared by the benchmarks: a high-resolution clock and the median of samples.

#include <windows.h>

#include <algorithm>
#include <vector>

namespace gx::bench {

// Seconds since an arbitrary start.
inline double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace gx::bench

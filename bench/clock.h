#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

// Wall-clock seconds for the benchmarks, and the median that they report.
inline double now() {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER r;
        QueryPerformanceFrequency(&r);
        return r;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / f.QuadPart;
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

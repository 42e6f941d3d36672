// Seconds since local midnight from a broken-down local time and the sub-second part of now:
// the arithmetic the platforms' clocks share, once.
#pragma once

#include <chrono>
#include <ctime>

namespace bolvenda::view::platform {

inline double since_midnight(const std::tm& local, std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const auto fraction = duration_cast<microseconds>(now.time_since_epoch()) % seconds(1);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
           static_cast<double>(fraction.count()) / 1e6;
}

}  // namespace bolvenda::view::platform

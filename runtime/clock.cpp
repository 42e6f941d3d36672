#include "runtime/clock.hpp"

#include <chrono>
#include <ctime>

namespace bolvenda::runtime {

float SystemClock::seconds_since_midnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t now_t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&now_t, &local);
    const auto fraction = duration_cast<microseconds>(now.time_since_epoch()) % seconds(1);
    const double since_midnight = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                                  static_cast<double>(fraction.count()) / 1e6;
    return static_cast<float>(since_midnight);
}

}  // namespace bolvenda::runtime

#include "platform/web/page_system.hpp"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <ctime>

#include "runtime/local_time.hpp"

namespace bolvenda::web {

std::uint64_t now_ms() { return static_cast<std::uint64_t>(emscripten_get_now()); }

bool animations_wanted() {
    return !EM_ASM_INT({
        return window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches
                   ? 1
                   : 0;
    });
}

float PageClock::seconds_since_midnight() {
    return static_cast<float>(runtime::seconds_since_midnight_with(
        [](const std::time_t& t, std::tm& local) { localtime_r(&t, &local); }));
}

}  // namespace bolvenda::web

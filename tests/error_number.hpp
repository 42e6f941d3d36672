// The number of the runtime error an action raises, or 0 when it raises none.
#pragma once

#include "runtime/runtime_error.hpp"

namespace bolvenda::testing {

inline int error_number(auto&& action) {
    try {
        action();
    } catch (const runtime::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace bolvenda::testing

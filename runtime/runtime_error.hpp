// The one error type of the game's runtime: a number and an Italian message, as an Italian
// forms runtime reports it. Handlers never catch it; whoever delivered the event does.
#pragma once

#include <stdexcept>
#include <string>

namespace bolvenda::runtime {

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int number, const std::string& message);

    int number() const noexcept { return number_; }
    // The message without the number, e.g. "Overflow".
    const std::string& message() const noexcept { return message_; }

    static RuntimeError invalid_procedure_call();         // 5
    static RuntimeError overflow();                       // 6
    static RuntimeError subscript_out_of_range();         // 9
    static RuntimeError division_by_zero();               // 11
    static RuntimeError object_variable_not_set();        // 91
    static RuntimeError control_array_element_missing();  // 340
    static RuntimeError property_not_supported();         // 438

  private:
    int number_;
    std::string message_;
};

}  // namespace bolvenda::runtime

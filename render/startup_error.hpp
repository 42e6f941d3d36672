// A failure before the game can be played (no display, no font, a picture that will not
// decode): said once in English for the terminal and in Italian for the child's grown-up.
#pragma once

#include <stdexcept>
#include <string>

namespace bolvenda::render {

class StartupError : public std::runtime_error {
  public:
    StartupError(const std::string& english, std::string italian)
        : std::runtime_error(english), italian_(std::move(italian)) {}
    const std::string& italian() const noexcept { return italian_; }

  private:
    std::string italian_;
};

}  // namespace bolvenda::render

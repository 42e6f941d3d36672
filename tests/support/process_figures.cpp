// The /proc reader of process_figures.hpp.
#include "tests/support/process_figures.hpp"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace bolvenda::testing {

ProcessFigures process_figures(pid_t pid) {
    ProcessFigures figures;
    const std::string dir = "/proc/" + std::to_string(pid);
    std::ifstream stat_file(dir + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(stat_file)),
                           std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');  // the command name may hold blanks
    if (close == std::string::npos) return figures;
    std::istringstream fields(stat.substr(close + 2));
    std::string state, skip;
    long user = 0, system = 0;
    fields >> state;
    for (int i = 0; i < 10; ++i) fields >> skip;  // fields 4 to 13
    if (fields >> user >> system) figures.cpu_ticks = user + system;
    figures.sleeping = state == "S";
    std::ifstream status(dir + "/status");
    for (std::string line; std::getline(status, line);) {
        std::istringstream words(line);
        std::string key;
        long kib = -1;
        if (!(words >> key >> kib)) continue;
        if (key == "VmRSS:") figures.resident_kib = kib;
        if (key == "RssAnon:") figures.anonymous_kib = kib;
        if (key == "RssShmem:") figures.shared_kib = kib;
    }
    return figures;
}

}  // namespace bolvenda::testing

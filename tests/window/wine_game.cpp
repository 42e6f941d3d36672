// Bolvenda.exe under Wine, in a Wine prefix of its own under the build tree. Nothing may try to
// fetch Wine's Mono or Gecko: the game needs neither, so both are switched off; nor may a
// shortcut in the prefix become a menu entry of the tester's desktop (winemenubuilder).
#include <filesystem>
#include <string>

#include "child_process.hpp"
#include "game_program.hpp"

namespace bolvenda::testing {

GameProgram game_program() {
    GameProgram game;
    const auto wine = find_on_path("wine");
    const auto wineserver = find_on_path("wineserver");
    if (!wine || !wineserver) {
        game.missing = "Wine is not installed (scripts/install-deps.sh test installs it)";
        return game;
    }
#ifdef BOLVENDA_INSTALLED
    // As Bolvenda.msi installed it: started by its Windows path, as the Start menu starts it.
    const std::string start = "C:\\Program Files\\Bolvenda\\Bolvenda.exe";
    const char* absent = " is not installed (the windows_msi_install test installs it)";
    game.shots = "wine-installed";
#else
    const std::string start = BOLVENDA_WINDOWS_EXE;
    const char* absent = " is not built (bash scripts/windows.sh builds it)";
    game.shots = "wine";
#endif
    if (!std::filesystem::exists(BOLVENDA_WINDOWS_EXE)) {
        game.missing = BOLVENDA_WINDOWS_EXE + std::string(absent);
        return game;
    }
    // Another compiler and C library: above the design size, where the pictures are drawn
    // from their drawings, their trigonometry may round an edge pixel one level apart.
    game.tolerance = 1;
    const std::string prefix = BOLVENDA_WINE_PREFIX;
    game.argv = {*wine, start};
    // The Windows game knows no x11 video driver: SDL chooses its own.
    game.environment = {"SDL_VIDEODRIVER", "WINEPREFIX=" + prefix, "WINEDEBUG=-all",
                        "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d", "WINEARCH=win64"};
    // Windows' "show animations" setting, which the game reads: Wine keeps it in bit 1 of the
    // fifth byte of UserPreferencesMask; the other bytes are those of a new prefix.
    const std::string animations_shown = "3000028012000000",
                      animations_left_out = "3000028010000000";
    auto animation = [&](const std::string& mask) {
        return std::vector<std::string>{*wine, "reg",
                                        "add", "HKCU\\Control Panel\\Desktop",
                                        "/v",  "UserPreferencesMask",
                                        "/t",  "REG_BINARY",
                                        "/d",  mask,
                                        "/f"};
    };
    game.animation_off = animation(animations_left_out);
    game.animation_on = animation(animations_shown);
    // A new prefix takes Wine many seconds to set up: done once, before the first window is
    // awaited, and saved (wineserver -w waits until the server has written it and gone).
    // A display scale or an animation setting left behind by an interrupted run is taken back.
    const std::string boot = std::filesystem::exists(prefix + "/system.reg")
                                 ? ""
                                 : "\"$0\" wineboot.exe --init && \"$1\" -w && ";
    game.prepare = {"/bin/sh", "-c",
                    boot +
                        "{ \"$0\" reg delete 'HKCU\\Control Panel\\Desktop' /v LogPixels /f "
                        ">/dev/null 2>&1 || true; } && \"$0\" reg add 'HKCU\\Control "
                        "Panel\\Desktop' /v UserPreferencesMask /t REG_BINARY /d " +
                        animations_shown + " /f >/dev/null",
                    *wine, *wineserver};
    game.finish = {*wineserver, "-k"};
    return game;
}

}  // namespace bolvenda::testing

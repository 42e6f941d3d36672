// Xlib's default error handler ends the process on any protocol error. SDL wakes its event
// wait by sending itself a message through a second connection, and when the window closes
// at End that message can reach the server after the window is gone: a harmless BadWindow
// that would turn a clean End into exit status 1. Installed before SDL starts, this handler
// passes over that one case and reports any other error without ending the game. Losing the
// display itself ends the program at once with one line on stderr and a failure status.
#pragma once

namespace bolvenda::view {

// Does nothing where the program is not built for X11.
void install_x11_error_handler();

}  // namespace bolvenda::view

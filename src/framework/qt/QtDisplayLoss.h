#pragma once

// Qt's X11 backend ends the process itself, with exit(1), from its event
// processing once its connection to the display has broken: the X server
// ended, or a logout ended it. While the event loop runs, such an exit ends
// the program as a quit does instead, as far as that goes without a display:
// the windows' Close events run and save, and the exit status is
// kDisplayLostStatus.

namespace fw::qt {

// Held by the event loop for as long as it runs. Until the loop first runs,
// the window has not been shown, so there is nothing the user could lose;
// and what a Close uses exists by then, which matters because exit handlers
// run only after the static objects made later are already destroyed.
class DisplayLossWatch {
public:
    DisplayLossWatch();
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;
};

} // namespace fw::qt

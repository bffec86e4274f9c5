#pragma once

// Qt's X11 backend ends the process itself, with exit(1), from its event
// processing once its connection to the display has broken: the X server
// ended, or a logout ended it. While the event loop runs, such an exit ends
// the program as a quit does instead, as far as that goes without a display:
// the windows' Close events run and save, and the exit status is
// kDisplayLostStatus.

namespace fw::qt {

// Held by the event loop for as long as it runs. Not sooner: until the loop
// first runs, no window has been shown, so the user has nothing to lose; and
// by then all that a Close uses exists. That matters, as exit() destroys the
// static objects made after its handler was registered before it runs it.
class DisplayLossWatch {
public:
    DisplayLossWatch();
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;
};

} // namespace fw::qt

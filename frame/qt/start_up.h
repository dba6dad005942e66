// Start-up against the window system. Without a display, or when the platform plugin is
// missing or fails, the program writes one line naming the cause to stderr and ends with
// status 1, never an abort; while the window opens, the toolkit's own chatter is held back and
// shown only as part of such a failure. A message bus that accepts a connection but never
// answers would hold the start for ever (the toolkit waits for it to reach screen readers): such
// a bus is left out, with one line on stderr, and the window opens without it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace forms::detail {

class WindowSystemStartUp {
public:
    // Ends the process when no display is named; otherwise holds the toolkit's messages and
    // whatever the libraries beneath it write to stderr while it starts.
    explicit WindowSystemStartUp(std::string_view programName);
    // Gives the toolkit's messages back to their usual handler.
    ~WindowSystemStartUp();
    WindowSystemStartUp(const WindowSystemStartUp&) = delete;
    WindowSystemStartUp& operator=(const WindowSystemStartUp&) = delete;

    // The toolkit has started: stderr is the program's own again (the program's Load handler
    // may report an error there). The toolkit's messages are still held.
    void toolkitStarted();
    // The window is open: the held messages are dropped and later ones shown as usual.
    void finish();
};

// Why no window can be opened before even trying, from the environment: nothing when a
// platform is chosen (QT_QPA_PLATFORM) or a display is named (DISPLAY, WAYLAND_DISPLAY).
std::optional<std::string> missingDisplay();

// Whether the D-Bus bus at `address` answers the first line of a connection within the time
// given. A bus that is missing or refuses counts as answering: the toolkit gives up on it at
// once. Only local (unix) addresses are tried; others count as answering.
bool busAnswers(std::string_view address, int timeoutMilliseconds);

}  // namespace forms::detail

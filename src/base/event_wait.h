#pragma once
// Waiting without a second thread and without spinning: the Qt event loop
// runs (so TCP data, STOP buttons, tab changes and the close box are served)
// until a condition holds, a deadline passes or the program is quitting.
#include <QDeadlineTimer>
#include <functional>

namespace trivolux {

struct SharedState;

enum class WaitResult { Done, Deadline, Quit };

// Runs the event loop until done() is true (checked after every batch of
// events), the deadline expires, or state.QuitRequested is set. A timer wakes
// the loop at the deadline; nothing polls in between. Pass
// QDeadlineTimer::Forever for a wait that only the condition or a quit ends.
WaitResult WaitUntil(const SharedState& state, const std::function<bool()>& done, QDeadlineTimer deadline);

}  // namespace trivolux

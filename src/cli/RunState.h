#pragma once

// Where a command-line search stands. It moves forward only: Searching, then
// Stopping (a limit was reached or the work ran out; the search ends after
// the event that said so), then Saving while only downloads still run, or
// Interrupted (a signal or a closed output: everything ends after the event),
// and Finished with its exit status.
enum class TRunState { Idle, Searching, Stopping, Saving, Interrupted, Finished };

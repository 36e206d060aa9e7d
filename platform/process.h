// Other processes as the recovery of both programs needs them: whether the run that left a copy
// is still going.
#pragma once

#include <string>

namespace rave::platform {

long CurrentProcessId();

// True while a process of this id exists (it may belong to another user).
bool ProcessExists(long pid);

// When the process started, as a text that differs between two processes given the same id one
// after the other; empty where the system does not say.
std::string ProcessStartToken(long pid);

}  // namespace rave::platform

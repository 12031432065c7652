#pragma once

namespace padrix {

// Raises this process to the highest scheduling priority (lowest nice value)
// the system grants it. Never asks for a real-time class. Returns the nice
// value in force afterwards; failures leave the priority as it was.
int RaiseProcessPriority();

}  // namespace padrix

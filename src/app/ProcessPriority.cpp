#include "ProcessPriority.h"

#include <sys/resource.h>

#include <cerrno>

namespace padrix {

int RaiseProcessPriority() {
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, 0);
    if (current == -1 && errno != 0) {
        return 0;
    }
    constexpr int kHighest = -20;
    for (int nice = kHighest; nice < current; ++nice) {
        if (setpriority(PRIO_PROCESS, 0, nice) == 0) {
            return nice;
        }
    }
    return current;
}

}  // namespace padrix

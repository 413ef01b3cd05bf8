#include "platform/priority.h"

#include <sys/resource.h>

namespace platform {

// On Linux a thread's nice value is its scheduling priority under the default
// policy; PRIO_PROCESS with id 0 addresses the calling thread.
void raise_thread_priority() { setpriority(PRIO_PROCESS, 0, -10); }

void lower_thread_priority() { setpriority(PRIO_PROCESS, 0, 10); }

}  // namespace platform

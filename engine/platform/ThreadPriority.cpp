#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace hgl::platform
{
int CurrentThreadId()
{
    return int(syscall(SYS_gettid));
}

bool SetThreadNice(int thread_id, int nice)
{
    if (nice < -20) nice = -20;
    if (nice > 19) nice = 19;
    // On Linux the nice value is per thread when addressed by its kernel id.
    return setpriority(PRIO_PROCESS, id_t(thread_id), nice) == 0;
}
} // namespace hgl::platform

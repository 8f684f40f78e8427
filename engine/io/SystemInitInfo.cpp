#include "io/SystemInitInfo.h"

#include "core/Log.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/ProcessPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace hgl
{
SystemInitInfo::SystemInitInfo()
{
    // The root comes back as "", which is how a root start folder is kept.
    StartFolder = String::FromUTF8(platform::CurrentFolder());
}

SystemInitInfo::~SystemInitInfo()
{
    if (instance_lock >= 0) close(instance_lock);
}

void SystemInitInfo::Check()
{
    if (graphics.Mode.Width == 0 && graphics.Mode.Height == 0)
    {
        graphics.Mode.Width = 640;
        graphics.Mode.Height = 480;
    }

    if (win.Title.IsEmpty()) win.Title = info.ProjectName;
}

std::string SystemInitInfo::SingleInstanceLockFile(const String &project_name)
{
    std::string folder = "/tmp";
    if (auto runtime = platform::GetEnv("XDG_RUNTIME_DIR"); runtime && (*runtime)[0] == '/')
        folder = *runtime;

    // A readable part of the name, and a hash of all of it so that names differing
    // only in the characters left out never share a lock.
    std::string readable;
    uint64 hash = 14695981039346656037ull;
    for (int i = 0; i < project_name.GetLength(); i++)
    {
        const u16char c = project_name.GetChar(i);
        hash = (hash ^ uint64(c)) * 1099511628211ull;
        if (readable.size() < 48)
            readable += ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
                            ? char(c)
                            : '_';
    }

    char hex[17];
    snprintf(hex, sizeof(hex), "%016llx", static_cast<unsigned long long>(hash));
    return folder + "/hgl-" + readable + "-" + hex + ".lock";
}

bool SystemInitInfo::CheckSingleInstance()
{
    if (SkipSingleInstanceCheck || info.ProjectName.IsEmpty()) return true;

    if (instance_lock >= 0) return true; // already ours

    const std::string path = SingleInstanceLockFile(info.ProjectName);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) return true; // no lock to be had: nothing to enforce with

    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        const int err = errno;
        close(fd);
        if (err == EWOULDBLOCK)
        {
            PutError(u"本程序不允许重复启动,请关闭前一个。");
            return false;
        }
        return true;
    }

    instance_lock = fd;
    return true;
}
} // namespace hgl

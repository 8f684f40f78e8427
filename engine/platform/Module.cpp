#include "platform/Module.h"

#include <cerrno>
#include <dlfcn.h>

namespace hgl
{
namespace platform
{
namespace
{
// The loader is handed a path; a bare name would make dlopen search the system's
// library folders, so such a name is anchored to the current folder.
std::string AnchorPath(std::string path)
{
    for (char &c : path)
        if (c == '\\') c = '/';

    if (path.find('/') == std::string::npos) path.insert(0, "./");

    return path;
}

std::string ToUTF8(const u16char *s)
{
    std::string out;

    if (!s) return out;

    while (*s)
    {
        uint32 cp = *s++;

        if (cp >= 0xD800 && cp <= 0xDBFF && *s >= 0xDC00 && *s <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (*s++ - 0xDC00);
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;

        if (cp < 0x80)
            out += char(cp);
        else if (cp < 0x800)
        {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        }
        else if (cp < 0x10000)
        {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
        else
        {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }

    return out;
}

std::u16string ToUTF16(const char *text)
{
    std::u16string out;

    if (!text) return out;

    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);

    while (*p)
    {
        uint32 c = *p;
        int extra;
        uint32 min;

        if (c < 0x80)
        {
            extra = 0;
            min = 0;
        }
        else if (c >= 0xC2 && c <= 0xDF)
        {
            extra = 1;
            c &= 0x1F;
            min = 0x80;
        }
        else if (c >= 0xE0 && c <= 0xEF)
        {
            extra = 2;
            c &= 0x0F;
            min = 0x800;
        }
        else if (c >= 0xF0 && c <= 0xF4)
        {
            extra = 3;
            c &= 0x07;
            min = 0x10000;
        }
        else
        {
            out += u16char(0xFFFD);
            ++p;
            continue;
        }

        int i = 1;
        for (; i <= extra; i++)
        {
            if ((p[i] & 0xC0) != 0x80) break;
            c = (c << 6) | (p[i] & 0x3F);
        }

        if (i <= extra || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        {
            out += u16char(0xFFFD);
            p += i; // resynchronise on the byte that broke the sequence
            continue;
        }

        p += extra + 1;

        if (c >= 0x10000)
        {
            c -= 0x10000;
            out += u16char(0xD800 + (c >> 10));
            out += u16char(0xDC00 + (c & 0x3FF));
        }
        else
            out += u16char(c);
    }

    return out;
}
bool EmptyName(const char *name, ModuleError *error)
{
    if (name && *name) return false;
    if (error)
    {
        error->code = ENOENT;
        error->text = u"empty module name";
    }
    return true;
}

ModuleHandle Open(const char *path, ModuleError *error)
{
    dlerror();
    errno = 0;
    ModuleHandle handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);

    if (!handle && error)
    {
        error->code = errno;
        const char *msg = dlerror();
        error->text = ToUTF16(msg ? msg : "unknown error");
    }

    return handle;
}
} // namespace

ModuleHandle ModuleOpen(const char *utf8_path, ModuleError *error)
{
    if (EmptyName(utf8_path, error)) return nullptr;

    return Open(AnchorPath(utf8_path).c_str(), error);
}

ModuleHandle ModuleOpen(const u16char *path, ModuleError *error)
{
    const std::string utf8 = ToUTF8(path);
    return ModuleOpen(utf8.c_str(), error);
}

ModuleHandle ModuleOpenSystem(const char *name, ModuleError *error)
{
    if (EmptyName(name, error)) return nullptr;
    return Open(name, error);
}

void *ModuleSymbol(ModuleHandle handle, const char *name)
{
    if (!handle || !name) return nullptr;

    dlerror();
    return dlsym(handle, name);
}

void ModuleClose(ModuleHandle handle)
{
    if (handle) dlclose(handle);
}
} // namespace platform
} // namespace hgl

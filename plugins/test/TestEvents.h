#pragma once
// Test plug-ins append what happens to them, one "<plug-in>:<event>" line each, to
// the file named by HGL_TEST_PLUGIN_EVENTS, so that tests can check call order and
// unloading from outside the library.
#include "io/PlugInABI.h"

#include <cstdio>
#include <cstdlib>

inline void TestEvent(const char *plugin, const char *event)
{
    const char *path = std::getenv("HGL_TEST_PLUGIN_EVENTS");
    if (!path || !*path) return;

    if (FILE *f = std::fopen(path, "a"))
    {
        std::fprintf(f, "%s:%s\n", plugin, event);
        std::fclose(f);
    }
}

// Records the library being unmapped.
#define HGL_TEST_UNLOAD_EVENT(plugin)                                                                        \
    __attribute__((destructor)) static void TestPlugInUnloaded()                                             \
    {                                                                                                        \
        TestEvent(plugin, "Unload");                                                                         \
    }

#include "PlugInTestSupport.h"

#include "io/BaseApplication.h"
#include "io/Compress.h"
#include "io/LogFile.h"
#include "io/SpecialPath.h"
#include "io/SystemInitInfo.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using hgl::test::ScopedEnv;
using hgl::test::TempDir;

namespace
{

} // namespace

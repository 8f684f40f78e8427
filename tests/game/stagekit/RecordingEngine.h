#pragma once
// A script engine that keeps every declaration bound to it, in binding order, so
// that a test can check a manager's script functions: their names, their
// parameter lists and their order.
#include "script/DevilEngine.h"

#include <string>
#include <vector>

namespace stagekit
{
class RecordingEngine : public hgl::DevilEngine
{
  public:
    std::vector<std::u16string> declarations;
    bool MapNativeFunc(const hgl::u16char *decl, const hgl::DevilNativeBinding &binding) override
    {
        declarations.push_back(decl);
        return hgl::DevilEngine::MapNativeFunc(decl, binding);
    }
};
} // namespace stagekit

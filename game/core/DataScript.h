#pragma once
// Runs a data script of "Local.hac": a fresh script engine gets its natives
// bound by the caller, compiles the file and runs one function to its end, so
// that every entry the script registers exists when the call returns.
#include "core/String.h"

#include <functional>

namespace hgl
{
class DevilEngine;
}

namespace avg
{
// A script runs at most this many commands: a damaged one cannot hang start-up.
constexpr long long kDataScriptBudget = 1000000;

// name is the path inside "Local.hac" ("Script\Chapter.CPP"); bind registers the
// natives. A leading byte-order mark is skipped. False (logged) when no engine can
// be made, a binding fails or the file is missing or empty (nothing runs then),
// when it does not compile, or when the function does not run to its end.
bool RunDataScript(const hgl::String &name, const std::function<bool(hgl::DevilEngine &)> &bind,
                   const hgl::u16char *function = u"main");
} // namespace avg

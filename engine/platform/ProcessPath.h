#pragma once
// Where the program is and where it was started.
#include <string>

namespace hgl::platform
{
// Full native path of the running executable; empty when unknown.
std::string ExecutablePath();
// The current folder; the root is given as "" so that appending "/name" or
// "\name" never doubles the separator. Empty when unknown.
std::string CurrentFolder();
} // namespace hgl::platform

#pragma once
// Environment values and the user's folders, in place of the registry and the
// shell folders of the content's platform.
#include <optional>
#include <string>

namespace hgl::platform
{
// The value of an environment variable, when set and not empty.
std::optional<std::string> GetEnv(const char *name);

// TMPDIR, else TEMP, else "/tmp".
std::string TempFolder();
// HOME, else the password database; empty when unknown.
std::string HomeFolder();
// XDG_DATA_HOME, else ~/.local/share; empty without a home.
std::string DataHome();
// XDG_CONFIG_HOME, else ~/.config; empty without a home.
std::string ConfigHome();
// A user folder (key "DOCUMENTS", "PICTURES", "MUSIC", "VIDEOS", "DESKTOP", ...):
// the environment variable XDG_<key>_DIR, else its line in
// $XDG_CONFIG_HOME/user-dirs.dirs (with $HOME expanded), else ~/<fallback>.
std::string UserFolder(const char *key, const char *fallback);
} // namespace hgl::platform

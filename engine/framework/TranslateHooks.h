#pragma once
// How an object control moves the drawing origin to its own left/top while it draws
// its children. The framework draws nothing itself: the drawing layer installs the
// two operations (a matrix push with a translation, and the matching pop). Without
// them the controls draw untranslated.

namespace hgl
{
struct TranslateHooks
{
    void (*Push)(float x, float y) = nullptr;
    void (*Pop)() = nullptr;
};

// Installs the hooks (copied) and returns the ones they replace.
TranslateHooks SetTranslateHooks(const TranslateHooks &hooks);
const TranslateHooks &GetTranslateHooks();
} // namespace hgl

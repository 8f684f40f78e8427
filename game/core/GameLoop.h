#pragma once
// The game's frame loop over the application: it runs until the flow ends, ends
// the game as a window close does when the process gets SIGINT or SIGTERM (so the
// settings and the game-wide record are saved on the way out), and plays the tour
// named by HGL_TOUR instead of a player when that is set.
namespace hgl
{
class WinOpenGLApplication;
}

namespace avg
{
// 0 after a normal end; 1 when the tour cannot be read or fails.
int RunGameLoop(hgl::WinOpenGLApplication &app);
} // namespace avg

#pragma once
// Hands the in-game screen the screens of this layer it opens (the title, the
// credits, the in-game menu, the backlog, the message window's frame button and
// its quick menu), and the title and the menu the screens they open (ScreenLinks).
namespace avg
{
void InstallScreens();
}

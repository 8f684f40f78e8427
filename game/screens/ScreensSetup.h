#pragma once
// Hands the in-game screen the screens of this layer it opens: the backlog, the
// message window's frame button and its quick menu. The other screen makers
// already installed stay as they are.
namespace avg
{
void InstallScreens();
}

#pragma once
// Puts the full character manager in the place of the in-game screen's minimal one,
// for every in-game screen made afterwards.
namespace avg
{
void InstallCharStage();
}

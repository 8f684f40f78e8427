#pragma once
// Puts the stage's full managers in the place of the in-game screen's minimal ones,
// for every in-game screen made afterwards.
namespace avg
{
void InstallStage();
}

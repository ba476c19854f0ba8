#pragma once
// The keys the kill test's writer goes round: one near the top of the game's file, two in the middle and
// one in the last section, so writes land all over a file of a thousand lines.
#include <array>
#include <utility>

namespace vexorel::safety {
inline constexpr std::array<std::pair<const char*, const char*>, 4> kLoopKeys{
    {{"URL", "Port"}, {"Engine.GameEngine", "CacheSizeMegs"}, {"WinDrv.WindowsClient", "MinDesiredFrameRate"}, {"Pad.Last", "Counter"}}};
}  // namespace vexorel::safety

#pragma once
// The game writes its whole configuration file when it exits, so whatever was changed in that file
// while it ran is lost then. Before a change to the game's file the user hears that the game runs, and
// may stop.

class QWidget;

namespace vexorel {

class WindowHost;

// True when the change may go ahead: the game does not run, or the user chose to go on. Asked once
// per action, before its first write to the game's file.
bool goAheadWhileGameRuns(WindowHost& host, QWidget* parent);

}  // namespace vexorel

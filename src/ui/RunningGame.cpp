#include "ui/RunningGame.h"

#include "core/GameFiles.h"
#include "platform/Platform.h"
#include "ui/DialogService.h"
#include "ui/WindowHost.h"

namespace vexorel {

bool goAheadWhileGameRuns(WindowHost& host, QWidget* parent) {
  if (!host.platform().processRunning(kGameExeName)) return true;
  return host.dialogs().msgBox(parent,
                               QStringLiteral("Unreal Tournament is running. When it exits it will overwrite these "
                                              "changes with its own settings. Close the game first.\n"
                                              "Make the changes anyway?"),
                               MsgButtons::YesNo, MsgIcon::Exclamation, QStringLiteral("WARNING!")) == MsgAnswer::Yes;
}

}  // namespace vexorel

#include "core/BackupFolder.h"

#include "core/GameFiles.h"

namespace vexorel {

bool EnsureBackupFolder(Platform& platform, const std::string& startFolder) {
  const std::string folder = backupFolder(startFolder);
  return platform.findFirstFile(folder) || platform.createDirectory(folder);
}

}  // namespace vexorel

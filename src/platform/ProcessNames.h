#pragma once
// Whether a running process is a given Windows program, from what the system tells of it: its short
// name (on Linux /proc/<pid>/comm, which the kernel cuts to 15 characters) and its command line (the
// arguments separated by NULs, as /proc/<pid>/cmdline holds them). A program run under Wine shows the
// Windows path in its command line, such as C:\UnrealTournament\System\UnrealTournament.exe, either as
// the first argument or as the second after Wine's own loader.

#include <string_view>

namespace vexorel::processes {

// The path names a file called `exeName`, letter case ignored; '/' and '\' both separate folders.
bool namesProgram(std::string_view path, std::string_view exeName);

bool isProcessOf(std::string_view exeName, std::string_view comm, std::string_view cmdline);

}  // namespace vexorel::processes

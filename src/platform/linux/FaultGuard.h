#pragma once
// Reading a mapped file safely. When another program truncates a file while this one reads it through a
// mapping, touching the pages past the new end raises SIGBUS, which would end the program. A guarded
// call turns that fault into a plain "false": the work is cut short and the caller reads the file again.
//
// The first guarded call installs a SIGBUS handler for the whole process (there is only one per
// signal). It acts only on a fault inside the range a thread is guarding at that moment; any other
// SIGBUS goes to the handler that was there before, or ends the program as it would have.

#include <cstddef>

namespace vexorel::files {

// Runs work(context). True when it ran to its end; false when it touched [begin, begin + size) and the
// bytes there were gone. A cut-short call leaves no frame behind, so `work` must keep nothing that needs
// destroying in its own frame while it reads those bytes; its results go into `context`.
bool runGuarded(const void* begin, std::size_t size, void (*work)(void* context), void* context);

}  // namespace vexorel::files

#pragma once
// The setting rows of the editor's value list and the main window's summary: the keys (their List1)
// and the values (their List2), and how they are read from a file.

#include <string>
#include <vector>

namespace vexorel {

class ReadModule;

struct ValueRows {
  std::vector<std::string> keys;
  std::vector<std::string> values;
};

// Where the Coronas row is read from: the main window's summary reads it with the other client
// settings, the editor from the render device's own section, where its writes go.
enum class CoronasSection { Client, RenderDevice };

// The fifteen setting rows as `file` holds them, row by row, the render device by its short name. The
// read counter ends at 0.
ValueRows ReadValueRows(ReadModule& module, const std::string& file,
                        CoronasSection coronas = CoronasSection::RenderDevice);

}  // namespace vexorel

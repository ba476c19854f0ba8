#pragma once
// The editor's value list, row by row: the keys (its List1) and the values (its List2), and how it is
// read from a file.

#include <string>
#include <vector>

namespace vexorel {

class ReadModule;

struct ValueRows {
  std::vector<std::string> keys;
  std::vector<std::string> values;
};

// The value list as `file` holds it: row by row the shared setting rows, Coronas from the render
// device's own section and the render device by its short name. The read counter ends at 0.
ValueRows ReadValueRows(ReadModule& module, const std::string& file);

}  // namespace vexorel

#pragma once
// A registry value as Windows holds it: its type and its raw bytes. The backends hand it out, and both
// registry files read it (and the store writes it) in this one form.

#include <cstdint>
#include <string>

namespace vexorel {

// Registry value types, numbered as Windows numbers them.
enum RegistryType : std::uint32_t {
  RegNone = 0,
  RegSz = 1,
  RegExpandSz = 2,
  RegBinary = 3,
  RegDword = 4,
  RegMultiSz = 7,
};

struct RegistryData {
  std::uint32_t type = RegNone;
  std::string bytes;  // the raw data; a text value includes its terminating NUL when stored with one
};

}  // namespace vexorel

#pragma once
// The private-profile engine as pure functions on a file's bytes: one read of a key by the Windows
// rules, and one key write that returns the new bytes, changing nothing but the key's own line (or
// adding only its own lines). No file access here, so every rule can be tested on byte strings.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vexorel::ini {

// The value of `key` in the first section named `section` (both compared without regard to ASCII
// letter case, both trimmed), trimmed, quotes still on. nullopt when the section or key is missing or
// the key's line has no '='.
std::optional<std::string_view> findValue(std::string_view content, std::string_view section, std::string_view key);

// What GetPrivateProfileString returns for a value findValue found (nullopt: none): the value without its
// matching quotes, or the default without its trailing blanks, cut to bufferSize - 1 characters. A NUL
// byte ends the text, as it ends the text of the C call's buffer.
std::string returnedValue(const std::optional<std::string_view>& found, std::string_view defaultValue,
                          std::size_t bufferSize);

// GetPrivateProfileString on the file's content (nullopt: the file could not be read): findValue, then
// returnedValue.
std::string readValue(const std::optional<std::string_view>& content, std::string_view section, std::string_view key,
                      std::string_view defaultValue, std::size_t bufferSize);

// Why the three texts cannot be written into a line-based file, or an empty text when they can.
std::string whyNotWritable(std::string_view section, std::string_view key, std::string_view value);

// A write as one change of the file's bytes: content[0, keep) stays, `text` takes the place of
// content[keep, resume), and content[resume, end) stays. So a writer can send the untouched head and
// tail straight from the bytes it read.
struct Edit {
  std::size_t keep = 0;
  std::size_t resume = 0;
  std::string text;
  // False when the write would leave the bytes as they are (the value is already there).
  bool changes(std::string_view content) const;
};

// The change writing key=value into the section makes. The caller checks whyNotWritable first.
Edit planWrite(std::string_view content, std::string_view section, std::string_view key, std::string_view value);

// The file's bytes after writing key=value into the section (planWrite applied).
std::string applyWrite(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace vexorel::ini

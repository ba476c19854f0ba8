#pragma once
// The cache size the program proposes from the machine's physical memory. Pure arithmetic, no
// widgets: megabytes and the suggestion are rounded to the nearest whole number, halves to the even
// neighbour, and the byte count is capped at the largest signed 32-bit number, as the 32-bit memory
// call reports on machines with 2 GB and more (which also fits the 32-bit game's address space).

#include <cstdint>
#include <string>

namespace vexorel {

inline constexpr std::uint64_t kMemoryByteCap = 2147483647;  // 2^31 - 1

// numerator / denominator rounded to the nearest whole number, halves to the even neighbour.
std::uint64_t roundHalfEven(std::uint64_t numerator, std::uint64_t denominator);

// Total physical memory in megabytes, after the cap.
int detectedMegabytes(std::uint64_t totalBytes);

// Half of the memory below 64 MB, three quarters from 64 MB on (exactly 64 gives 48).
int suggestedCacheMegabytes(int detectedMegs);

// Text1 after detection: the number behind one blank, as the number-to-text conversion writes it.
std::string cacheSuggestionText(int suggestedMegs);

// Status bar panel 4: " " + megabytes + "Mb".
std::string memoryPanelText(int detectedMegs);

}  // namespace vexorel

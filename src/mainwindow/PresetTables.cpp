#include "mainwindow/PresetTables.h"

#include <algorithm>

#include "core/GameFiles.h"

namespace vexorel {

namespace {

std::string valueFor(const PresetRow& row, Preset preset) {
  return std::string(preset == Preset::Slow ? row.slowValue : row.fastValue);
}

std::string sectionFor(const PresetRow& row, const std::string& deviceSection) {
  switch (row.section) {
    case PresetSection::Device:
      return deviceSection;
    case PresetSection::Sound:
      return std::string(kGalaxySection);
    case PresetSection::Client:
      break;
  }
  return std::string(kClientSection);
}

}  // namespace

std::vector<PresetEntry> presetPreview(Preset preset) {
  std::vector<PresetEntry> rows;
  rows.reserve(kPresetRows.size());
  for (const PresetRow& row : kPresetRows) rows.push_back({"", std::string(row.key), valueFor(row, preset)});
  return rows;
}

std::vector<PresetEntry> presetWrites(Preset preset, const std::string& deviceSection) {
  std::vector<const PresetRow*> ordered;
  ordered.reserve(kPresetRows.size());
  for (const PresetRow& row : kPresetRows) ordered.push_back(&row);
  std::sort(ordered.begin(), ordered.end(),
            [](const PresetRow* a, const PresetRow* b) { return a->writeOrder < b->writeOrder; });
  std::vector<PresetEntry> writes;
  writes.reserve(ordered.size());
  for (const PresetRow* row : ordered) {
    writes.push_back({sectionFor(*row, deviceSection), std::string(row->key), valueFor(*row, preset)});
  }
  return writes;
}

std::string_view presetCaption(Preset preset) {
  return preset == Preset::Slow ? "Slow system configuration" : "Fast system configuration";
}

std::string_view presetBackupName(Preset preset) {
  return preset == Preset::Slow ? kSlowPresetBackupName : kFastPresetBackupName;
}

}  // namespace vexorel

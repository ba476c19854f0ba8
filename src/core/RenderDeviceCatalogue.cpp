#include "core/RenderDeviceCatalogue.h"

namespace vexorel {

namespace {
template <typename From, typename To>
std::optional<std::string> lookUp(std::string_view text, From from, To to) {
  for (const RenderDevice& device : kRenderDevices) {
    if (device.*from == text) return std::string(device.*to);
  }
  return std::nullopt;
}
}  // namespace

std::optional<std::string> ClassNameForListName(std::string_view listName) {
  return lookUp(listName, &RenderDevice::listName, &RenderDevice::className);
}

std::optional<std::string> ShortNameForClassName(std::string_view className) {
  return lookUp(className, &RenderDevice::className, &RenderDevice::shortName);
}

std::optional<std::string> ClassNameForShortName(std::string_view shortName) {
  return lookUp(shortName, &RenderDevice::shortName, &RenderDevice::className);
}

std::string ShortNameOrClassName(std::string_view className) {
  return ShortNameForClassName(className).value_or(std::string(className));
}

}  // namespace vexorel

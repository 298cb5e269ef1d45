// Device path mapping.
#include "platform/foundation/DeviceFiles.h"

namespace {
std::string& root() {
  static std::string* value = new std::string;
  return *value;
}
}  // namespace

void setDeviceRoot(const std::string& newRoot) {
  root() = newRoot;
  while (!root().empty() && root().back() == '/') root().pop_back();
}

std::string deviceFilePath(const std::string& devicePath) {
  if (root().empty() || devicePath.empty() || devicePath[0] != '/') return devicePath;
  return root() + devicePath;
}

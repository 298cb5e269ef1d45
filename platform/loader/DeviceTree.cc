// Finding the installed device tree from the running executable.
#include "platform/loader/DeviceTree.h"

#include <cstdlib>
#include <filesystem>

#include "platform/loader/SubstrateLoader.h"

std::string installedDeviceRoot() {
  if (const char* root = std::getenv("MIREL_DEVICE_ROOT"); root && *root) return root;
  std::error_code ec;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "device";
  // The nearest folder above the executable that holds a device tree (the
  // studio lives a folder deeper than the other tools).
  for (std::filesystem::path folder = executable.parent_path(); folder.has_relative_path();
       folder = folder.parent_path())
    if (std::filesystem::is_directory(folder / "device" / std::string(kSubstrateLibrariesPath).substr(1), ec))
      return (folder / "device").string();
  return (executable.parent_path().parent_path() / "device").string();
}

std::string installedLibrariesFolder() { return installedDeviceRoot() + kSubstrateLibrariesPath; }

bool linkInstalledLibraries(const std::string& launchRoot, std::string* error) {
  std::filesystem::path link = launchRoot + kSubstrateLibrariesPath;
  std::error_code ec;
  std::filesystem::create_directories(link.parent_path(), ec);
  if (!ec) std::filesystem::create_directory_symlink(installedLibrariesFolder(), link, ec);
  if (ec) *error = "cannot link the installed libraries into " + launchRoot + ": " + ec.message();
  return !ec;
}

// Device paths: the extension and the hosts name files by their paths on a
// device ("/var/mobile/Library/Preferences/..."). The model maps them under
// a device root folder, as a simulator does, so that tests and the preview
// can give each launch its own files. With no root set, paths are used as
// they are.
//
//   setDeviceRoot("/tmp/launch-1");
//   deviceFilePath("/var/mobile/x.plist");  // "/tmp/launch-1/var/mobile/x.plist"
#pragma once

#include <string>

void setDeviceRoot(const std::string& root);
std::string deviceFilePath(const std::string& devicePath);

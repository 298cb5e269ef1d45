// Saving the studio's document without ever leaving a torn file: the bytes
// go to a new file in the same folder, are flushed to disk, and the new
// file is renamed over the old one, so a studio killed at any moment
// leaves the previous file or the new one.
//
//   std::string error;
//   if (!saveFileAtomically("prefs.plist", bytes, &error)) report(error);
#pragma once

#include <functional>
#include <string>

// Runs between the flushed write and the rename, with the new file's path:
// where tests stop a save as a crash would.
using BeforeRename = std::function<void(const std::string& temporaryPath)>;

// False and a reason naming the file when any step fails; the old file is
// then untouched and the temporary file removed. A new file takes the old
// one's permissions (or those a new file gets).
bool saveFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                        const BeforeRename& beforeRename = {});

// Removes what an interrupted save left beside `path` (only files named as
// saveFileAtomically names its temporary files). Returns how many.
int removeInterruptedSaves(const std::string& path);

// The whole file, or false (with errno's reason) when it cannot be read; a
// missing file is no error and reads as nothing, with *missing set.
bool readWholeFile(const std::string& path, std::string* bytes, bool* missing, std::string* error);

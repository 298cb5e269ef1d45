// Property list files (XML and binary) read into Foundation objects through
// libplist, with limits that keep hostile files from exhausting the stack,
// memory or time. The entry points are NSDictionary::withContentsOfFile and
// +[NSDictionary dictionaryWithContentsOfFile:].
//
//   NSDictionary* info = NSDictionary::withContentsOfFile("/app/Info.plist"_ns);
#pragma once

#include <cstddef>
#include <cstdint>

// Larger files are not read at all.
inline constexpr size_t kPropertyListMaxFileSize = 16u << 20;
// Arrays and dictionaries nested deeper than this (the top dictionary is
// level 1) make the whole file unreadable.
inline constexpr int kPropertyListMaxDepth = 128;
// Values a binary file may expand to once shared references are followed
// (a few hundred bytes can otherwise describe billions of values).
inline constexpr uint64_t kPropertyListMaxValues = 1u << 20;

// Adds +dictionaryWithContentsOfFile: to NSDictionary; part of registerFoundation().
void registerPropertyList();

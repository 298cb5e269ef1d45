// A saved preferences file as the studio's tests look at it: its format and
// each top-level key's value written as a property list of its own (XML),
// so values of any type compare as text ("<string>FFF</string>").
//
//   PlistEntries file = plistEntries(fileText(path));
//   EXPECT_EQ(file.entries["Enabled"], plistXmlOf("<false/>"));
#pragma once

#include <plist/plist.h>

#include <cstdlib>
#include <map>
#include <string>

struct PlistEntries {
  bool parsed = false, binary = false;
  std::map<std::string, std::string> entries;
};

// The XML libplist writes for a value alone: how a value given as XML
// ("<true/>") reads in PlistEntries.
inline std::string plistXmlOfNode(plist_t node) {
  char* xml = nullptr;
  uint32_t length = 0;
  plist_to_xml(node, &xml, &length);
  std::string text(xml ? xml : "", length);
  plist_to_xml_free(xml);
  return text;
}

inline PlistEntries plistEntries(const std::string& bytes) {
  PlistEntries out;
  plist_t root = nullptr;
  plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
  if (!root || plist_get_node_type(root) != PLIST_DICT) {
    if (root) plist_free(root);
    return out;
  }
  out.parsed = true;
  out.binary = bytes.starts_with("bplist00");
  plist_dict_iter it = nullptr;
  plist_dict_new_iter(root, &it);
  while (true) {
    char* key = nullptr;
    plist_t value = nullptr;
    plist_dict_next_item(root, it, &key, &value);
    if (!key) break;
    out.entries[key] = plistXmlOfNode(value);
    free(key);
  }
  free(it);
  plist_free(root);
  return out;
}

inline std::string plistXmlOf(const std::string& valueXml) {
  const std::string wrapped = "<?xml version=\"1.0\"?><plist version=\"1.0\">" + valueXml + "</plist>";
  plist_t node = nullptr;
  plist_from_memory(wrapped.data(), static_cast<uint32_t>(wrapped.size()), &node);
  std::string text = node ? plistXmlOfNode(node) : "";
  if (node) plist_free(node);
  return text;
}

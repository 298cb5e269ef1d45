// mirel.dylib exports exactly the plain symbols of its interface: the
// defined names of its dynamic symbol table, as binutils' nm reads them.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

// The sanitizers' instrumentation adds names of its own to any library.
bool sanitizerName(const std::string& name) {
  for (const char* prefix : {"__asan", "__ubsan", "__lsan", "__sanitizer", "__odr_asan", "__sancov"})
    if (name.rfind(prefix, 0) == 0) return true;
  return false;
}

TEST(ExtensionLibrary, ExportsExactlyItsInterface) {
  FILE* nm = popen("nm -D --defined-only --format=posix '" MIREL_DYLIB "'", "r");
  ASSERT_NE(nm, nullptr);
  std::set<std::string> exported;
  char line[1024];
  while (std::fgets(line, sizeof line, nm)) {
    std::string name;
    std::istringstream(line) >> name;  // "name type value size"
    if (!sanitizerName(name)) exported.insert(name);
  }
  ASSERT_EQ(pclose(nm), 0) << "nm could not read " << MIREL_DYLIB;
  const std::set<std::string> interface = {
      "integerForSetting", "CGFloatForSetting", "boolForSetting", "stringForSetting",
      "squareDistanceInRGBSpaceBetweenColor", "freeImageData", "Vertices", "Indices",
      "kDominantVertexShaderString", "kDominantFragmentShaderString", "ADDCornerInsetZero",
      "NSStringFromADDCornerInset", "readableTextColorAgainstBackground",
  };
  EXPECT_EQ(exported, interface);
}

}  // namespace

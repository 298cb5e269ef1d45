// mirel.dylib exports exactly the plain symbols of its interface: the
// defined names of its dynamic symbol table, read from the ELF file itself.
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The defined global and weak names of an ELF64 file's .dynsym.
std::set<std::string> definedDynamicSymbols(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  if (file.size() < sizeof(Elf64_Ehdr) || std::memcmp(file.data(), ELFMAG, SELFMAG) != 0) {
    ADD_FAILURE() << path << " is not an ELF file";
    return names;
  }
  auto at = [&](size_t offset, size_t size) -> const char* {
    if (offset > file.size() || size > file.size() - offset) throw std::runtime_error("truncated ELF file");
    return file.data() + offset;
  };
  Elf64_Ehdr header;
  std::memcpy(&header, at(0, sizeof header), sizeof header);
  EXPECT_EQ(header.e_ident[EI_CLASS], ELFCLASS64);
  EXPECT_EQ(header.e_type, ET_DYN) << "a shared object";
  std::vector<Elf64_Shdr> sections(header.e_shnum);
  for (size_t i = 0; i < sections.size(); ++i)
    std::memcpy(&sections[i], at(header.e_shoff + i * header.e_shentsize, sizeof(Elf64_Shdr)), sizeof(Elf64_Shdr));
  for (const Elf64_Shdr& section : sections) {
    if (section.sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr& strings = sections.at(section.sh_link);
    for (size_t offset = 0; offset + sizeof(Elf64_Sym) <= section.sh_size; offset += sizeof(Elf64_Sym)) {
      Elf64_Sym symbol;
      std::memcpy(&symbol, at(section.sh_offset + offset, sizeof symbol), sizeof symbol);
      unsigned char binding = ELF64_ST_BIND(symbol.st_info);
      if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
      names.insert(at(strings.sh_offset + symbol.st_name, 1));
    }
  }
  return names;
}

// The sanitizers' instrumentation adds names of its own to any library.
bool sanitizerName(const std::string& name) {
  for (const char* prefix : {"__asan", "__ubsan", "__lsan", "__sanitizer", "__odr_asan", "__sancov"})
    if (name.rfind(prefix, 0) == 0) return true;
  return false;
}

TEST(ExtensionLibrary, ExportsExactlyItsInterface) {
  std::set<std::string> exported;
  for (const std::string& name : definedDynamicSymbols(MIREL_DYLIB))
    if (!sanitizerName(name)) exported.insert(name);
  const std::set<std::string> interface = {
      "integerForSetting", "CGFloatForSetting", "boolForSetting", "stringForSetting",
      "squareDistanceInRGBSpaceBetweenColor", "freeImageData", "Vertices", "Indices",
      "kDominantVertexShaderString", "kDominantFragmentShaderString", "ADDCornerInsetZero",
      "NSStringFromADDCornerInset",
      // TODO(readable colour): "readableTextColorAgainstBackground", with the map.
  };
  EXPECT_EQ(exported, interface);
}

}  // namespace

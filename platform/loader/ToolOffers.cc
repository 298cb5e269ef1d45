// The process-wide table of what mapped libraries offer tools.
#include "platform/loader/ToolOffers.h"

#include <map>
#include <string>

namespace {

std::map<std::string, const void*>& offers() {
  static std::map<std::string, const void*> table;
  return table;
}

}  // namespace

void offerToTools(const char* name, const void* thing) { offers()[name] = thing; }

const void* toolOffer(const char* name) {
  auto found = offers().find(name);
  return found == offers().end() ? nullptr : found->second;
}

// A form's first part that names a file wins; without one, its first part.
#include "tools/studio/upload_body.h"

#include <vector>

bool readUploadBody(const httplib::Request& req, const httplib::ContentReader& reader, size_t limit,
                    std::string* bytes, std::string* error) {
  bytes->clear();
  size_t total = 0;
  bool tooLarge = false;
  // Past the limit the bytes are read and dropped, so the reply can still
  // be sent on this connection.
  auto keep = [&](std::string& into, const char* data, size_t length) {
    total += length;
    if (total > limit) tooLarge = true;
    if (!tooLarge) into.append(data, length);
    return true;
  };
  bool read;
  if (req.is_multipart_form_data()) {
    struct Part {
      bool namesFile;
      std::string content;
    };
    std::vector<Part> parts;
    read = reader(
        [&](const httplib::MultipartFormData& header) {
          parts.push_back({!header.filename.empty(), {}});
          return true;
        },
        [&](const char* data, size_t length) { return parts.empty() || keep(parts.back().content, data, length); });
    if (read && !tooLarge) {
      if (parts.empty()) return *error = "the form holds no file", false;
      const Part* chosen = &parts.front();
      for (const Part& part : parts)
        if (part.namesFile) {
          chosen = &part;
          break;
        }
      *bytes = chosen->content;
    }
  } else {
    read = reader([&](const char* data, size_t length) { return keep(*bytes, data, length); });
  }
  if (tooLarge) return *error = "the upload is too large: at most " + std::to_string(limit >> 20) + " MiB", false;
  if (!read) return *error = "the upload ended early", false;
  return true;
}

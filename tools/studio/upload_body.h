// The bytes of an upload, as the studio takes them: the request's body
// itself whatever Content-Type it names (curl --data-binary sends a form
// type), or the first file of multipart form data (curl -F, a browser's
// form). Read through httplib's content reader, so the library never tries
// to parse the bytes as a form.
//
//   server.Post("/api/artwork", [](const Request& req, Response& res, const ContentReader& reader) {
//     std::string bytes, error;
//     if (!readUploadBody(req, reader, 8 << 20, &bytes, &error)) ...
//   });
#pragma once

#include <httplib.h>

#include <string>

// False and a reason when the upload is larger than `limit` bytes (the rest
// is read and dropped) or no part of a form holds anything.
bool readUploadBody(const httplib::Request& req, const httplib::ContentReader& reader, size_t limit,
                    std::string* bytes, std::string* error);

// The files the host's port serves over HTTPS besides the table (the browser's page, its script
// and style, the sound files), by name from the folders it is given. Only a plain name of known
// kind is looked up (no folders, no "..", nothing hidden), only a regular file is opened, never
// through a link, and never one larger than the limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct StaticFile {
  int status = 404;         // 200, or 404 when there is no such file to serve
  std::string contentType;  // with 200
  std::string body;         // with 200
};

// The file a GET of `target` ("/" is "index.html"; a query is ignored) asks for, from the first
// folder (each ending in "/") that holds it: the exact name, else the first in name order of those
// that differ from it only in the case of ASCII letters.
StaticFile FindStaticFile(const std::vector<std::string>& folders, std::string_view target,
                          std::size_t largest);

// The content type of a file name's ending; empty for a kind that is not served.
std::string_view ContentTypeOf(std::string_view name);

}  // namespace corvane

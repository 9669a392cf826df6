#include "data/data_file_hash.h"

#include "data/curation.h"
#include "platform/file_read.h"

namespace orniva {

std::string DataFileSha256(const std::string& path) {
  std::string bytes;
  ReadFileInChunks(path, [&bytes](std::string_view chunk) {
    bytes.append(chunk);
    return true;
  });
  return Sha256Hex(bytes);
}

}  // namespace orniva

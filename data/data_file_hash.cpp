#include "data/data_file_hash.h"

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

#include "platform/file_read.h"

namespace orniva {

namespace {

// One SHA-256 in progress.
class Sha256 {
 public:
  Sha256() : context_(EVP_MD_CTX_new(), EVP_MD_CTX_free) {
    if (!context_ || EVP_DigestInit_ex(context_.get(), EVP_sha256(), nullptr) != 1)
      throw std::runtime_error("SHA-256 is not available");
  }

  void Add(std::string_view bytes) {
    if (EVP_DigestUpdate(context_.get(), bytes.data(), bytes.size()) != 1)
      throw std::runtime_error("SHA-256 failed");
  }

  std::string Hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(context_.get(), digest, &size) != 1)
      throw std::runtime_error("SHA-256 failed");
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < size; ++i) {
      hex += kHex[digest[i] >> 4];
      hex += kHex[digest[i] & 15];
    }
    return hex;
  }

 private:
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context_;
};

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
  Sha256 sha;
  sha.Add(bytes);
  return sha.Hex();
}

std::string DataFileSha256(const std::string& path) {
  Sha256 sha;
  ReadFileInChunks(path, [&sha](std::string_view chunk) {
    sha.Add(chunk);
    return true;
  });
  return sha.Hex();
}

}  // namespace orniva

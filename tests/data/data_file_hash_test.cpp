// The data file's SHA-256, read a chunk at a time: the standard vectors and
// files that end on either side of a chunk's end.
#include "data/data_file_hash.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_error.h"
#include "platform/file_read.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

TEST(DataFileHashTest, FileHashIsTheSha256OfItsBytes) {
  static_assert(kFileChunkBytes == 65536, "the sizes below straddle a chunk's end");
  // clang-format off
  const std::pair<std::size_t, std::string> cases[] = {  // so many 'a's
      {0, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {65535, "6e1bebca6a8229364a162a72ef064826c4cd7457bf54f190ef782bd9deff3e42"},
      {65536, "bf718b6f653bebc184e1479f1935b8da974d701b893afcf49e701f3e2f9f9c5a"},
      {65537, "008ffc88d3c96a9f307524eb361e47c5222a887fc45fa0c1fb8d429c5c23b430"},
      {1000000, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  // clang-format on
  const test::TempDir dir;
  for (const auto& [size, hex] : cases) {
    SCOPED_TRACE(size);
    test::WriteFile(dir.File("d.fdt"), std::string(size, 'a'));
    EXPECT_EQ(DataFileSha256(dir.File("d.fdt")), hex);
    EXPECT_EQ(Sha256Hex(std::string(size, 'a')), hex);
  }
  EXPECT_EQ(test::FileErrorOf([&] { DataFileSha256(dir.File("none.fdt")); }).path(),
            dir.File("none.fdt"));
}

}  // namespace
}  // namespace orniva

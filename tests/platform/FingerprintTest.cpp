// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "platform/Fingerprint.h"

namespace movrand::test {
namespace {

// 100 kB of bytes that repeat only every 251, so that no two of XXH3's 1 kB blocks are alike.
std::string Pattern() {
    std::string bytes(100000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 31 + 7) % 251);
    return bytes;
}

// A kept copy is recognised by its fingerprint years later, on whatever processor: the vector
// path a processor takes and the pieces a file is read in never change it. The values are what
// `xxh128sum` prints for the same bytes.
TEST(Fingerprint, IsXxh3Of128BitsWhateverThePieces) {
    EXPECT_EQ(platform::Fingerprint::Of(""), "99aa06d3014798d86001c324468d497f");
    const std::string bytes = Pattern();
    EXPECT_EQ(platform::Fingerprint::Of(bytes), "bc2117116c93a45dddc565585fab0e61");
    // Pieces smaller than the internal buffer, across its edge, and larger than a block.
    for (const std::size_t piece : {1u, 63u, 64u, 255u, 1000u, 1024u, 4097u, 65536u}) {
        platform::Fingerprint print;
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            print.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
        EXPECT_EQ(print.Hex(), "bc2117116c93a45dddc565585fab0e61") << piece;
    }
}

}  // namespace
}  // namespace movrand::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>

namespace movrand::bench {

// A complete car folder: the seven team folders with `files` files shared out among them, each
// of `bytes` bytes. Sparse files take no room on the disk (for folder moves and deletes, which
// never read them); otherwise the bytes are random, as the game's textures are.
void MakeBigCarFolder(const std::filesystem::path& folder, int files, std::size_t bytes,
                      bool sparse);

// `files` files of `bytes` random bytes directly in `folder` (part0.mip, part1.mip ...).
void MakeFiles(const std::filesystem::path& folder, int files, std::size_t bytes);

}  // namespace movrand::bench

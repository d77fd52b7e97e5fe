#pragma once
#include <cstddef>
#include <filesystem>

namespace movrand::bench {

// A complete car folder: the seven team folders with `files` files shared out among them, each
// of `bytes` bytes. Sparse files take no room on the disk (for folder moves and deletes, which
// never read them); otherwise the bytes are random, as the game's textures are.
void MakeBigCarFolder(const std::filesystem::path& folder, int files, std::size_t bytes,
                      bool sparse);

// The names of a folder's entries are all the benchmarks need of it; this counts its files.
std::size_t CountFiles(const std::filesystem::path& folder);

}  // namespace movrand::bench

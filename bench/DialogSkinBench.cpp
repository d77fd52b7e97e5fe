// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "dialogs/PaintSkin.h"
#include "dialogs/RegionFromPicture.h"

namespace {

// The tile plan of the message window at 15 twips per pixel: 5 rows of 130 tiles.
void BM_SkinTilesMessageWindow(benchmark::State& state) {
    movrand::platform::Random rnd(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(movrand::dialogs::SkinTiles(
            3930, 1755, 450, 405, movrand::dialogs::SkinExtent::Full, rnd));
}
BENCHMARK(BM_SkinTilesMessageWindow)->Unit(benchmark::kMicrosecond);

// The outline of a 32 x 31 help book: a white ground around a solid block with a hole.
void BM_RegionFromPictureHelpBook(benchmark::State& state) {
    const auto pixel = [](int x, int y) -> movrand::dialogs::ColourValue {
        const bool book = x >= 3 && x < 29 && y >= 1 && y < 29 && !(x >= 12 && x < 20 && y == 14);
        return book ? 0x00B45426 : 0x00FFFFFF;
    };
    for (auto _ : state) {
        movrand::dialogs::ColourValue colour = 0;
        benchmark::DoNotOptimize(
            movrand::dialogs::RegionFromPicture(480, 465, 15, 15, pixel, colour));
    }
}
BENCHMARK(BM_RegionFromPictureHelpBook)->Unit(benchmark::kMicrosecond);

}  // namespace

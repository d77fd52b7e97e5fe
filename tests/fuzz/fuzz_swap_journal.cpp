// SPDX-License-Identifier: GPL-3.0-or-later
// The swap journal as a crash, a bit flip or an edit may leave it: the reader never crashes, and
// what it accepts is exactly what the writer makes of it, so nothing damaged is acted on.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "folders/SwapJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto journal = movrand::ParseSwapJournal(text);
    if (journal && movrand::SwapJournalText(*journal) != text) std::abort();
    return 0;
}

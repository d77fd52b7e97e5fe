// The car folder swap's journal as a disk may hold it after a crash, a bit flip or an edit: the
// reader never crashes, and a text it accepts is exactly what the writer makes of the journal it
// read, so nothing damaged is ever acted on.
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fingerprint.h"

// xxHash compiled into this file: no library of its own to load at every start. On x86 the
// program is built for every processor of the family, whose common vector instructions take
// 128 bits at a time; where the processor has 256-bit ones (AVX2) the long inputs go through
// them, about twice as fast: the installation's history fingerprints every byte it keeps or puts
// back. Every path gives the same fingerprint.
#if defined(__x86_64__) || defined(__i386__)
#define MOVRAND_XXH3_AVX2 1
#define XXH_DISPATCH_AVX2 1
#define XXH_TARGET_AVX2 __attribute__((__target__("avx2")))
#include <immintrin.h>
#endif
// The 256-bit routine reads and writes the running sums as aligned 32-byte values: they stay in
// the state, which is aligned for it, not in a copy on the stack aligned for 128-bit ones only.
#define XXH3_STREAM_USE_STACK 0
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace movrand::platform {

struct Fingerprint::State {
    XXH3_state_t Xxh3;
};

namespace {

std::string HexOf(const XXH128_hash_t& hash) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[static_cast<std::size_t>(15 - i)] = kDigits[(hash.high64 >> (4 * i)) & 15];
        text[static_cast<std::size_t>(31 - i)] = kDigits[(hash.low64 >> (4 * i)) & 15];
    }
    return text;
}

#ifdef MOVRAND_XXH3_AVX2
XXH_TARGET_AVX2 void AddWithAvx2(XXH3_state_t* state, const char* bytes, std::size_t size) {
    XXH3_update(state, reinterpret_cast<const xxh_u8*>(bytes), size, XXH3_accumulate_512_avx2,
                XXH3_scrambleAcc_avx2);
}

bool HasAvx2() {
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return has;
}
#endif

}  // namespace

Fingerprint::Fingerprint() : state_(std::make_unique<State>()) {
    XXH3_128bits_reset(&state_->Xxh3);
}

Fingerprint::~Fingerprint() = default;

void Fingerprint::Add(const char* bytes, std::size_t size) {
#ifdef MOVRAND_XXH3_AVX2
    if (HasAvx2()) return AddWithAvx2(&state_->Xxh3, bytes, size);
#endif
    XXH3_128bits_update(&state_->Xxh3, bytes, size);
}

std::string Fingerprint::Hex() const {
    return HexOf(XXH3_128bits_digest(&state_->Xxh3));
}

std::string Fingerprint::Of(std::string_view bytes) {
    Fingerprint print;
    print.Add(bytes.data(), bytes.size());
    return print.Hex();
}

}  // namespace movrand::platform

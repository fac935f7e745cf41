#include "model/CipherKey.h"

#include <array>
#include <cstring>

namespace {

// Two periods of the key stream, so that the 512 keys from any offset inside the first period
// lie side by side.
constexpr std::array<unsigned char, 2 * RunningKey::kPeriod> MakeKeyStream() {
    std::array<unsigned char, 2 * RunningKey::kPeriod> stream{};
    unsigned char key = DECIPHER_SEED;
    for (std::size_t k = 1; k <= stream.size(); ++k) {
        key = static_cast<unsigned char>(key + static_cast<unsigned char>(k) * DECIPHER_STEP);
        stream[k - 1] = key;
    }
    return stream;
}

constexpr std::array<unsigned char, 2 * RunningKey::kPeriod> kKeyStream = MakeKeyStream();

// 64 bytes at a time, in whatever vector registers the processor has (the widest of them where
// the processor offers AVX2 or AVX-512).
using Block = unsigned char __attribute__((vector_size(64)));

__attribute__((target_clones("avx512f", "avx2", "default"))) void
XorKeys(char* data, const unsigned char* keys, std::size_t size) {
    std::size_t i = 0;
    for (; i + sizeof(Block) <= size; i += sizeof(Block)) {
        Block bytes;
        Block key;
        std::memcpy(&bytes, data + i, sizeof bytes);
        std::memcpy(&key, keys + i, sizeof key);
        bytes ^= key;
        std::memcpy(data + i, &bytes, sizeof bytes);
    }
    for (; i < size; ++i) {
        data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) ^ keys[i]);
    }
}

} // namespace

void RunningKey::Apply(char* data, std::size_t size) {
    const unsigned char* keys = kKeyStream.data() + offset_;
    // A whole period leaves the offset where it was.
    for (; size >= kPeriod; size -= kPeriod, data += kPeriod) {
        XorKeys(data, keys, kPeriod);
    }
    XorKeys(data, keys, size);
    offset_ = (offset_ + size) % kPeriod;
}

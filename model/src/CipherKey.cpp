#include "model/CipherKey.h"
#include "model/KeyXorBodies.h"

#include <array>
#include <cstring>
#include <vector>

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

// 64 bytes at a time, in whatever vector registers the body's instruction set has, then the
// rest byte by byte. Inlined into each body below, so that each is compiled for its own set.
using Block = unsigned char __attribute__((vector_size(64)));

__attribute__((always_inline)) inline void XorKeysLoop(char* data, const unsigned char* keys,
                                                       std::size_t size) {
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

void XorKeysPlain(char* data, const unsigned char* keys, std::size_t size) {
    XorKeysLoop(data, keys, size);
}

__attribute__((target("avx2"))) void XorKeysAvx2(char* data, const unsigned char* keys,
                                                 std::size_t size) {
    XorKeysLoop(data, keys, size);
}

__attribute__((target("avx512f"))) void XorKeysAvx512(char* data, const unsigned char* keys,
                                                      std::size_t size) {
    XorKeysLoop(data, keys, size);
}

using XorKeys = void (*)(char* data, const unsigned char* keys, std::size_t size);

// The widest body the processor runs. Asked at the first call, not while the program is loaded
// (as a target_clones resolver would be): a sanitiser's runtime is not up that early.
XorKeys WidestXorKeys() {
    const std::vector<KeyXorBody> bodies = KeyXorBodies();
    for (auto body = bodies.rbegin(); body != bodies.rend(); ++body) {
        if (body->available) {
            return body->apply;
        }
    }
    return XorKeysPlain;
}

} // namespace

std::vector<KeyXorBody> KeyXorBodies() {
    // The features are known once libgcc's constructor has run; this makes them known also
    // when a static object's constructor comes first.
    __builtin_cpu_init();
    // Plain first and then ever wider, as WidestXorKeys expects.
    return {
        {"plain", true, XorKeysPlain},
        {"avx2", __builtin_cpu_supports("avx2") != 0, XorKeysAvx2},
        {"avx512f", __builtin_cpu_supports("avx512f") != 0, XorKeysAvx512},
    };
}

void RunningKey::Apply(char* data, std::size_t size) {
    static const XorKeys xorKeys = WidestXorKeys();
    const unsigned char* keys = kKeyStream.data() + offset_;
    // A whole period leaves the offset where it was.
    for (; size >= kPeriod; size -= kPeriod, data += kPeriod) {
        xorKeys(data, keys, kPeriod);
    }
    xorKeys(data, keys, size);
    offset_ = (offset_ + size) % kPeriod;
}

#pragma once

#include <cstddef>
#include <cstdint>

// The running key that enciphers the data tables and deciphers them again: byte k (from 1) is
// XORed with key_k, where key_0 = seed and key_k = (key_(k-1) + k * step) mod 256. Applying it
// twice gives the original bytes back.
constexpr unsigned char DECIPHER_SEED = 0x6B;
constexpr unsigned char DECIPHER_STEP = 0x3D;

class RunningKey {
public:
    // key_k = seed + step * k (k + 1) / 2 (mod 256), and k (k + 1) / 2 mod 256 depends only on
    // k mod 512: the key stream repeats every 512 bytes.
    static constexpr std::size_t kPeriod = 512;

    // Transforms the next `size` bytes of a stream in place; call it block by block.
    void Apply(char* data, std::size_t size);

private:
    std::size_t offset_ = 0; // position of the next byte within the key stream's period
};

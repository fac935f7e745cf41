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
    // Transforms the next `size` bytes of a stream in place; call it block by block.
    void Apply(char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            ++position_;
            key_ = static_cast<unsigned char>(key_ + static_cast<unsigned char>(position_) *
                                                         DECIPHER_STEP);
            data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) ^ key_);
        }
    }

private:
    unsigned char key_ = DECIPHER_SEED;
    std::uint64_t position_ = 0;
};

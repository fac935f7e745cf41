#include "model/CipherKey.h"
#include "model/KeyXorBodies.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// The key as defined, one byte after the other.
std::string ByteByByte(std::string bytes) {
    unsigned char key = DECIPHER_SEED;
    for (std::size_t k = 1; k <= bytes.size(); ++k) {
        key = static_cast<unsigned char>(key + (k % 256) * DECIPHER_STEP);
        bytes[k - 1] = static_cast<char>(static_cast<unsigned char>(bytes[k - 1]) ^ key);
    }
    return bytes;
}

struct Chunking {
    const char* name;
    std::vector<std::size_t> sizes; // applied in turn, repeated until the text is used up
};

void PrintTo(const Chunking& chunking, std::ostream* out) {
    *out << chunking.name;
}

class RunningKeyChunkTest : public testing::TestWithParam<Chunking> {};

// The key stream goes on where the last block ended, whatever the block sizes: short ones,
// ones that end inside a period, whole periods and blocks that span several.
TEST_P(RunningKeyChunkTest, EveryChunkingGivesTheByteByByteResult) {
    std::string text;
    for (int i = 0; i < 70000; ++i) {
        text += static_cast<char>((i * 131 + i / 7) % 256);
    }
    std::string applied = text;
    RunningKey key;
    std::size_t at = 0;
    for (std::size_t turn = 0; at < applied.size(); ++turn) {
        const std::vector<std::size_t>& sizes = GetParam().sizes;
        const std::size_t size = std::min(sizes[turn % sizes.size()], applied.size() - at);
        key.Apply(applied.data() + at, size);
        at += size;
    }
    const std::string expected = ByteByByte(text);
    ASSERT_EQ(applied.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(applied[i], expected[i]) << "byte " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chunkings, RunningKeyChunkTest,
    testing::Values(Chunking{"Whole", {70000}}, Chunking{"OneByte", {1}},
                    Chunking{"Odd", {7, 3, 15, 17}}, Chunking{"PeriodLess1", {511}},
                    Chunking{"Period", {512}}, Chunking{"PeriodPlus1", {513}},
                    Chunking{"ReadBlocks", {65536}}, Chunking{"Mixed", {0, 1000, 24, 2049, 5}}),
    [](const testing::TestParamInfo<Chunking>& info) { return std::string(info.param.name); });

// Every body this processor runs XORs exactly the bytes it is given and no other: sizes on and
// around the 64-byte blocks, data and keys at offsets that no block is aligned to.
TEST(KeyXorBodiesTest, EveryBodyGivesTheByteByByteXor) {
    constexpr std::size_t kSpace = 1200;
    std::vector<unsigned char> keys(kSpace);
    std::string text(kSpace, '\0');
    for (std::size_t i = 0; i < kSpace; ++i) {
        keys[i] = static_cast<unsigned char>(i * 97 + 13);
        text[i] = static_cast<char>(i * 131 + i / 7);
    }
    const std::vector<KeyXorBody> bodies = KeyXorBodies();
    ASSERT_FALSE(bodies.empty());
    EXPECT_STREQ(bodies.front().name, "plain");
    EXPECT_TRUE(bodies.front().available);
    for (const KeyXorBody& body : bodies) {
        if (!body.available) {
            continue;
        }
        for (const std::size_t size :
             {0, 1, 31, 63, 64, 65, 127, 128, 129, 191, 511, 512, 513, 1023}) {
            for (const std::size_t dataAt : {0, 1, 3, 17, 32, 63}) {
                for (const std::size_t keysAt : {0, 1, 5, 33, 64}) {
                    std::string expected = text;
                    for (std::size_t i = 0; i < size; ++i) {
                        expected[dataAt + i] = static_cast<char>(
                            static_cast<unsigned char>(text[dataAt + i]) ^ keys[keysAt + i]);
                    }
                    std::string applied = text;
                    body.apply(applied.data() + dataAt, keys.data() + keysAt, size);
                    ASSERT_TRUE(applied == expected)
                        << body.name << ", size " << size << ", data at " << dataAt << ", keys at "
                        << keysAt;
                }
            }
        }
    }
}

} // namespace

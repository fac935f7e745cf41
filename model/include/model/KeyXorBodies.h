#pragma once

#include <cstddef>
#include <vector>

// The loops that XOR a run of key bytes into data, one for each instruction set: the running key
// uses the widest that the processor runs, chosen once on first use. Listed so that tests can
// hold every body the processor runs against the plain one.
struct KeyXorBody {
    const char* name;
    // Whether this processor runs the body.
    bool available;
    // data[i] ^= keys[i] for i in [0, size); any alignment of either pointer, any size.
    void (*apply)(char* data, const unsigned char* keys, std::size_t size);
};

// Every body, the plain one (which every x86-64 processor runs) first.
std::vector<KeyXorBody> KeyXorBodies();

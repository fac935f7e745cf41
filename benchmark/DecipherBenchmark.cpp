// Deciphering a table against copying the same bytes with memcpy: a 64 KiB block (what the
// decipherer reads at a time, held in cache) and 16 MiB (memory speed).
#include "model/CipherKey.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

std::vector<char> Bytes(std::size_t size) {
    std::vector<char> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 131 + 7);
    }
    return bytes;
}

void Decipher(benchmark::State& state) {
    std::vector<char> bytes = Bytes(static_cast<std::size_t>(state.range(0)));
    RunningKey key;
    for (auto _ : state) {
        key.Apply(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Memcpy(benchmark::State& state) {
    const std::vector<char> source = Bytes(static_cast<std::size_t>(state.range(0)));
    std::vector<char> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(Decipher)->Arg(64 << 10)->Arg(16 << 20);
BENCHMARK(Memcpy)->Arg(64 << 10)->Arg(16 << 20);

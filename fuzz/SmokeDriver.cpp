// SPDX-License-Identifier: GPL-3.0-or-later
// Deterministic stand-in for libFuzzer where it is missing (gcc): the target's own entry
// point gets its seed corpus, then random inputs and mutations of the seeds from a fixed
// seed. A broken invariant aborts the run. Usage: <target>_smoke CORPUS_DIR RUNS
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t seed = 20240305;
constexpr std::size_t longestRandomInput = 512;

std::vector<Bytes> readCorpus(const QString& dir) {
    std::vector<Bytes> seeds;
    const QDir corpus(dir);
    for (const QString& name : corpus.entryList(QDir::Files, QDir::Name)) {
        QFile file(corpus.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        seeds.emplace_back(bytes.begin(), bytes.end());
    }
    return seeds;
}

// A seed with a few bytes changed, inserted or cut, the way a fuzzer starts.
Bytes mutate(Bytes input, std::mt19937& rng) {
    const auto below = [&](std::size_t n) { return n == 0 ? 0 : std::size_t(rng() % n); };
    for (std::size_t n = 1 + below(4); n > 0; --n) {
        switch (below(4)) {
        case 0:
            if (!input.empty())
                input[below(input.size())] = std::uint8_t(rng());
            break;
        case 1:
            input.insert(input.begin() + long(below(input.size() + 1)), std::uint8_t(rng()));
            break;
        case 2:
            if (!input.empty())
                input.erase(input.begin() + long(below(input.size())));
            break;
        default:
            input.resize(below(input.size() + 1));
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR RUNS\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    const std::vector<Bytes> seeds = readCorpus(QString::fromLocal8Bit(argv[1]));
    if (seeds.empty()) {
        std::fprintf(stderr, "no seed inputs in %s\n", argv[1]);
        return 1;
    }
    const long runs = std::atol(argv[2]);
    std::mt19937 rng(seed);
    for (const Bytes& input : seeds)
        LLVMFuzzerTestOneInput(input.data(), input.size());
    for (long i = 0; i < runs; ++i) {
        Bytes input;
        if (rng() % 4 == 0) {
            input.resize(rng() % longestRandomInput);
            for (std::uint8_t& b : input)
                b = std::uint8_t(rng());
        } else {
            input = mutate(seeds[rng() % seeds.size()], rng);
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu seeds and %ld generated inputs kept every invariant\n", seeds.size(), runs);
    return 0;
}

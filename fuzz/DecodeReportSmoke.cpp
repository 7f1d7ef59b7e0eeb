// Deterministic stand-in for the fuzzer where libFuzzer is missing (gcc): random and
// mutated reads of every length class go to the decoder, each checked against the decode
// invariants. Reads end right before an inaccessible page, so touching a byte past the
// given length crashes the run instead of passing unnoticed.
#include "DecodeInvariants.h"
#include "ReadingFields.h"
#include "ReportLayout.h"

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int iterations = 200000;
constexpr std::uint32_t seed = 20240305;
// Each kind must come up this often, or the run proved little about it.
constexpr int minimumPerKind = 10000;

// Marker offsets are mutated more often than others: that is where the kinds part.
constexpr std::array<int, 6> markerOffsets{0, 1, 2, 3, 62, 63};

class GuardedBuffer {
public:
    GuardedBuffer() : pageSize(std::size_t(sysconf(_SC_PAGESIZE))) {
        void* mapping =
            mmap(nullptr, 2 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapping == MAP_FAILED ||
            mprotect(static_cast<unsigned char*>(mapping) + pageSize, pageSize, PROT_NONE) != 0) {
            std::perror("guard page");
            std::abort();
        }
        base = static_cast<unsigned char*>(mapping);
    }
    ~GuardedBuffer() { munmap(base, 2 * pageSize); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // The bytes copied so that the last one sits just before the guard page.
    const unsigned char* place(const std::vector<unsigned char>& bytes) {
        unsigned char* start = base + pageSize - bytes.size();
        std::memcpy(start, bytes.data(), bytes.size());
        return start;
    }

private:
    std::size_t pageSize;
    unsigned char* base = nullptr;
};

class Generator {
public:
    unsigned below(unsigned n) { return unsigned(rng() % n); }
    unsigned char byte() { return static_cast<unsigned char>(rng()); }

    // Random bytes, possibly shaped as one of the two reports, then a few bytes mutated.
    std::vector<unsigned char> report() {
        std::vector<unsigned char> bytes(ReportLayout::reportLength);
        for (unsigned char& b : bytes)
            b = byte();
        switch (below(3)) {
        case 0:
            stamp(bytes, ReportLayout::Measurement::markers);
            break;
        case 1:
            stamp(bytes, ReportLayout::Settings::markers);
            break;
        default:
            break;
        }
        for (unsigned n = below(4); n > 0; --n) {
            const int offset = below(2) ? markerOffsets[below(markerOffsets.size())]
                                        : int(below(ReportLayout::reportLength));
            bytes[offset] = byte();
        }
        return bytes;
    }

private:
    template <std::size_t N>
    static void stamp(std::vector<unsigned char>& bytes,
                      const std::array<ReportLayout::Marker, N>& markers) {
        for (const ReportLayout::Marker& marker : markers)
            bytes[marker.offset] = marker.value;
    }

    std::mt19937 rng{seed};
};

struct Read {
    const unsigned char* buf;
    int length;
};

// One read of a random length class; the buffer holds exactly the bytes the length allows.
Read makeRead(Generator& gen, GuardedBuffer& guarded, std::vector<unsigned char> bytes) {
    switch (gen.below(10)) {
    case 0: // a short read: only its bytes exist
        bytes.resize(gen.below(ReportLayout::reportLength));
        return {guarded.place(bytes), int(bytes.size())};
    case 1: // longer than a report
        bytes.push_back(gen.byte());
        return {guarded.place(bytes), int(bytes.size())};
    case 2: // a failed read
        return {guarded.place(bytes), gen.below(2) ? -1 : INT_MIN};
    case 3: // no buffer at all
        return {nullptr, gen.below(2) ? ReportLayout::reportLength : 0};
    default:
        return {guarded.place(bytes), int(bytes.size())};
    }
}

QString hex(const Read& read) {
    if (read.buf == nullptr || read.length <= 0)
        return QStringLiteral("(no bytes)");
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(read.buf), read.length).toHex(' '));
}

} // namespace

int main() {
    Generator gen;
    GuardedBuffer guarded;
    MeterReading state = ReadingFields::distinctReading();
    std::array<int, 3> kindCounts{};

    for (int i = 0; i < iterations; ++i) {
        const Read read = makeRead(gen, guarded, gen.report());
        const bool pendingBefore = gen.below(2) != 0;

        const QString violation = decodeViolation(state, pendingBefore, read.buf, read.length);
        if (!violation.isEmpty()) {
            std::fprintf(stderr, "iteration %d, length %d: %s\nbytes: %s\n", i, read.length,
                         qPrintable(violation), qPrintable(hex(read)));
            return 1;
        }
        ++kindCounts[std::size_t(reportKindOf(read.buf, read.length))];

        // Carry the state on, so later reads meet values left by earlier reports.
        bool pending = pendingBefore;
        decodeReportInto(state, pending, read.buf, read.length);
    }

    std::printf("%d reads: %d unrecognised, %d measurement, %d settings\n", iterations,
                kindCounts[0], kindCounts[1], kindCounts[2]);
    for (const int count : kindCounts) {
        if (count < minimumPerKind) {
            std::fprintf(stderr, "a report kind came up fewer than %d times\n", minimumPerKind);
            return 1;
        }
    }
    return 0;
}

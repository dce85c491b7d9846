// CompressString / DecompressString on 1 MB of picture-like data, against calling zlib's
// compress / uncompress directly. Prints the ratio of the two at the end (goal: within 1.1x).
#include "genlib40.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

namespace {

// A 1024 x 1024 8-bit picture: smooth gradients, a few flat areas, lines and sensor noise.
const std::string& picture()
{
    static const std::string bytes = [] {
        std::mt19937 rng(42);
        std::string s(1024 * 1024, '\0');
        for (int y = 0; y < 1024; ++y)
            for (int x = 0; x < 1024; ++x) {
                int v = (x / 4 + y / 8) & 0xFF;
                if ((x / 128 + y / 128) % 5 == 0)
                    v = 255; // white paper
                if (x % 97 == 0 || y % 131 == 0)
                    v = 0; // drawn lines
                if (rng() % 4 == 0)
                    v += int(rng() % 7) - 3; // sensor noise on some pixels
                s[size_t(y) * 1024 + size_t(x)] = char(std::clamp(v, 0, 255));
            }
        return s;
    }();
    return bytes;
}

std::string compressedPicture()
{
    BSTR b = SysAllocStringByteLen(picture().data(), unsigned(picture().size()));
    CompressString(&b);
    std::string out(reinterpret_cast<const char*>(b), SysStringByteLen(b));
    SysFreeString(b);
    return out;
}

void GenlibCompress(benchmark::State& state)
{
    const std::string& in = picture();
    for (auto _ : state) {
        BSTR b = SysAllocStringByteLen(in.data(), unsigned(in.size()));
        int status = CompressString(&b);
        benchmark::DoNotOptimize(status);
        SysFreeString(b);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void ZlibCompress(benchmark::State& state)
{
    const std::string& in = picture();
    for (auto _ : state) {
        // The least a caller does: a copy of the input (the string it passes), a new output
        // buffer, one zlib call.
        std::string copy = in;
        uLongf len = compressBound(uLong(in.size()));
        auto* out = static_cast<Bytef*>(std::malloc(len));
        int status = compress(out, &len, reinterpret_cast<const Bytef*>(copy.data()), uLong(copy.size()));
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(out);
        std::free(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void GenlibDecompress(benchmark::State& state)
{
    const std::string packed = compressedPicture();
    for (auto _ : state) {
        BSTR b = SysAllocStringByteLen(packed.data(), unsigned(packed.size()));
        int status = DecompressString(&b);
        benchmark::DoNotOptimize(status);
        SysFreeString(b);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture().size()));
}

void ZlibUncompress(benchmark::State& state)
{
    const std::string packed = compressedPicture();
    for (auto _ : state) {
        std::string copy = packed;
        uLongf len = uLongf(picture().size());
        auto* out = static_cast<Bytef*>(std::malloc(len));
        int status = uncompress(out, &len, reinterpret_cast<const Bytef*>(copy.data()) + 4,
                                uLong(copy.size() - 4));
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(out);
        std::free(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture().size()));
}

BENCHMARK(GenlibCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(GenlibDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibUncompress)->Unit(benchmark::kMillisecond);

// Keeps the console output and remembers each benchmark's CPU time per iteration (the CPU
// time, not the wall clock, so other load on the machine does not skew the ratio).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "mean")
                times[r.run_name.function_name] = r.GetAdjustedCPUTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* ours, const char* zlib) {
        if (reporter.times.count(ours) && reporter.times.count(zlib) && reporter.times[zlib] > 0)
            std::printf("%s / %s: %.3fx\n", ours, zlib, reporter.times[ours] / reporter.times[zlib]);
    };
    std::printf("compressed size: %zu of %zu bytes\n", compressedPicture().size(), picture().size());
    ratio("GenlibCompress", "ZlibCompress");
    ratio("GenlibDecompress", "ZlibUncompress");
    benchmark::Shutdown();
    return 0;
}

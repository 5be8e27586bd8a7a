#include "bench/BenchFiles.h"
#include "core/CharacterSheet.h"
#include "storage/CharacterFile.h"
#include "storage/CharacterRecord.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <unistd.h>

// The floor for a save is what any durable write of one record must do:
// open (creating the file or truncating the old one, as a plain save
// would), write 4012 bytes, fsync, close. The safe save does more on purpose: a new file, a
// rename and an fsync of the directory, so that a crash never leaves a
// damaged character. The floor for a load is open, read 4012 bytes, close.

namespace kestrix::bench {
namespace {

CharacterSheet fullSheet() {
    CharacterSheet sheet;
    sheet.setName("Guerreiro de Teste");
    sheet.setAttribute(Attribute::Forca, "3");
    sheet.setMagicPath(MagicPath::Fogo, "2");
    for (int i = 0; i < CharacterSheet::kMaxItems; ++i) {
        sheet.addAdvantage("2", "Ataque Especial " + std::to_string(i));
        sheet.addDisadvantage("-1", "M\xE1 Fama " + std::to_string(i));
    }
    sheet.setObservations(std::vector<std::string>(10, std::string(200, 'o')));
    sheet.setPicturePath("modelo.bmp");
    return sheet;
}

void failOn(benchmark::State& state, bool failed, const char* what) {
    if (failed)
        state.SkipWithError(what);
}

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool rawWrite(const std::string& path, const std::array<char, CharacterRecord::kSize>& bytes) {
    const int fd = openRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

bool rawRead(const std::string& path, std::array<char, CharacterRecord::kSize>& bytes) {
    const int fd = openRetrying(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return close(fd) == 0 && ok;
}

void BM_SaveCharacter(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("heroi.QsZ");
    const CharacterSheet sheet = fullSheet();
    CharacterFile file;
    for (auto _ : state)
        failOn(state, file.SaveCharacter(path, sheet).has_value(), "save failed");
}

void BM_LoadCharacter(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("heroi.QsZ");
    CharacterFile file;
    CharacterSheet sheet = fullSheet();
    failOn(state, file.SaveCharacter(path, sheet).has_value(), "save failed");
    for (auto _ : state) {
        failOn(state, file.LoadCharacter(path, sheet).has_value(), "load failed");
        benchmark::DoNotOptimize(sheet.totals());
    }
}

// A load and a save of the same file, what opening a character, editing it
// and saving it costs in file work; compared against BM_RawReadWrite.
void BM_LoadAndSaveCharacter(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("heroi.QsZ");
    CharacterFile file;
    CharacterSheet sheet = fullSheet();
    failOn(state, file.SaveCharacter(path, sheet).has_value(), "save failed");
    for (auto _ : state) {
        failOn(state, file.LoadCharacter(path, sheet).has_value(), "load failed");
        failOn(state, file.SaveCharacter(path, sheet).has_value(), "save failed");
    }
}

void BM_RawWrite(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("raw.QsZ");
    std::array<char, CharacterRecord::kSize> bytes{};
    for (auto _ : state)
        failOn(state, !rawWrite(path, bytes), "raw write failed");
}

void BM_RawRead(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("raw.QsZ");
    std::array<char, CharacterRecord::kSize> bytes{};
    failOn(state, !rawWrite(path, bytes), "raw write failed");
    for (auto _ : state) {
        failOn(state, !rawRead(path, bytes), "raw read failed");
        benchmark::DoNotOptimize(bytes);
    }
}

void BM_RawReadWrite(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("raw.QsZ");
    std::array<char, CharacterRecord::kSize> bytes{};
    failOn(state, !rawWrite(path, bytes), "raw write failed");
    for (auto _ : state) {
        failOn(state, !rawRead(path, bytes), "raw read failed");
        failOn(state, !rawWrite(path, bytes), "raw write failed");
    }
}

// The comparison that counts: every iteration does a load and a save of the
// character and then the raw read and write of the same number of bytes, so
// both halves see the same load on a shared machine. The counters give each
// half's mean time and their ratio.
void BM_LoadSaveAgainstRawFloor(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const TempDir dir;
    const std::string path = dir.file("heroi.QsZ");
    const std::string rawPath = dir.file("raw.QsZ");
    CharacterFile file;
    CharacterSheet sheet = fullSheet();
    std::array<char, CharacterRecord::kSize> bytes{};
    failOn(state, file.SaveCharacter(path, sheet).has_value(), "save failed");
    failOn(state, !rawWrite(rawPath, bytes), "raw write failed");
    Clock::duration program{};
    Clock::duration floor{};
    for (auto _ : state) {
        const auto start = Clock::now();
        failOn(state, file.LoadCharacter(path, sheet).has_value(), "load failed");
        failOn(state, file.SaveCharacter(path, sheet).has_value(), "save failed");
        const auto middle = Clock::now();
        failOn(state, !rawRead(rawPath, bytes), "raw read failed");
        failOn(state, !rawWrite(rawPath, bytes), "raw write failed");
        const auto end = Clock::now();
        program += middle - start;
        floor += end - middle;
    }
    const double iterations = static_cast<double>(state.iterations());
    const auto microseconds = [&](Clock::duration total) {
        return std::chrono::duration<double, std::micro>(total).count() / iterations;
    };
    state.counters["program_us"] = microseconds(program);
    state.counters["floor_us"] = microseconds(floor);
    state.counters["ratio"] = microseconds(program) / microseconds(floor);
}

BENCHMARK(BM_LoadSaveAgainstRawFloor)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_LoadAndSaveCharacter)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RawReadWrite)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SaveCharacter)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_LoadCharacter)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RawRead)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
} // namespace kestrix::bench

BENCHMARK_MAIN();

#include "engine/PXFileSystem.h"

#include <benchmark/benchmark.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr int kTopDirectories = 10;
constexpr int kSubdirectoriesEach = 9;
constexpr int kFilesPerDirectory = 20;

// A data-like tree of 100 directories holding 2000 files, removed when the benchmark ends.
class GeneratedDataTree {
public:
    GeneratedDataTree() {
        std::string pattern = (fs::temp_directory_path() / "corvane-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw fs::filesystem_error("mkdtemp", std::error_code(errno, std::generic_category()));
        }
        _root = pattern;
        for (int top = 0; top < kTopDirectories; top++) {
            const fs::path topDirectory = _root / ("set" + std::to_string(top));
            fillWithFiles(topDirectory);
            for (int sub = 0; sub < kSubdirectoriesEach; sub++) {
                fillWithFiles(topDirectory / ("part" + std::to_string(sub)));
            }
        }
    }
    GeneratedDataTree(const GeneratedDataTree&) = delete;
    GeneratedDataTree& operator=(const GeneratedDataTree&) = delete;
    ~GeneratedDataTree() { fs::remove_all(_root); }

    std::string root() const { return _root.string(); }

private:
    static void fillWithFiles(const fs::path& directory) {
        fs::create_directories(directory);
        for (int file = 0; file < kFilesPerDirectory; file++) {
            std::ofstream(directory / ("sprite" + std::to_string(file) + ".png")) << "x";
        }
    }

    fs::path _root;
};

// A resource-manager miss: the whole tree is walked and nothing is found.
void BM_NameSearchMiss(benchmark::State& state) {
    const GeneratedDataTree tree;
    const std::string root = tree.root();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PXFindFile(root.c_str(), "missing.png"));
        PXFindFileCleanup();
    }
}
BENCHMARK(BM_NameSearchMiss)->Unit(benchmark::kMicrosecond);

} // namespace

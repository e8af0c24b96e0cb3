// Feeds every file of the folders given on the command line to a fuzz target, without
// libFuzzer, so that the test suite replays each corpus on every build. With
// --rss-limit-mb=N, an input after which the process's peak resident memory has passed N MiB
// fails the run, as libFuzzer's limit of the same name does.
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

long peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    constexpr const char* kLimitOption = "--rss-limit-mb=";
    long limitMb = 0;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kLimitOption, std::strlen(kLimitOption)) == 0) {
            limitMb = std::stol(argv[i] + std::strlen(kLimitOption));
            continue;
        }
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(argv[i], error)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        if (error) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.message().c_str());
            return 1;
        }
    }
    // In the same order on every machine, so that a peak is always charged to the same input.
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        // Named before it runs: a crash shows which input it was.
        std::fprintf(stderr, "%s\n", file.c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        if (limitMb > 0 && peakResidentMb() > limitMb) {
            std::fprintf(stderr, "%s: the peak resident memory reached %ld MiB, more than %ld\n",
                         file.c_str(), peakResidentMb(), limitMb);
            return 1;
        }
    }
    std::printf("%zu inputs replayed\n", files.size());
    // An empty corpus replays nothing and proves nothing.
    return files.empty() ? 1 : 0;
}

// The main of a fuzz target in the normal build: runs the target once over an
// empty input, then over every file of the directories and files named on the
// command line, so CTest keeps each target compiling and clean under the
// sanitizers without libFuzzer. A missing path, or no input at all, fails:
// a target whose seeds were never written must not pass unnoticed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    // Exactly the file's size, so a read past its end is the sanitizer's to see.
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<uint8_t> exact(bytes.begin(), bytes.end());
    std::printf("%s\n", file.c_str());
    std::fflush(stdout);
    static const uint8_t none = 0;
    LLVMFuzzerTestOneInput(exact.empty() ? &none : exact.data(), exact.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    static const uint8_t none = 0;
    LLVMFuzzerTestOneInput(&none, 0);

    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::error_code ec;
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path, ec)) {
            for (const auto& entry : std::filesystem::directory_iterator(path, ec))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else if (std::filesystem::is_regular_file(path, ec)) {
            files.push_back(path);
        } else {
            std::fprintf(stderr, "no such file or directory: %s\n", argv[i]);
            return 1;
        }
        for (const auto& f : files) {
            if (!replay(f))
                return 1;
            ++count;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "no inputs to replay (were the seeds written?)\n");
        return 1;
    }
    std::printf("%zu inputs replayed\n", count);
    return 0;
}

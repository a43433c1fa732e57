// Runs a fuzz target over saved inputs without libFuzzer, so that every build
// replays the corpus as an ordinary test.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i)
        for (const auto& entry : fs::recursive_directory_iterator(argv[i]))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        // Exactly the input's size, as libFuzzer gives it: a read past the end shows.
        std::puts(file.c_str()), std::fflush(stdout);  // named before a crash
        LLVMFuzzerTestOneInput(std::vector<std::uint8_t>(bytes).data(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return files.empty();  // an empty or mistyped corpus must not pass
}

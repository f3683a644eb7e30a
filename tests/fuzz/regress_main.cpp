// Runs a fuzz target over its seeds without libFuzzer, so that the normal test builds (and their
// sanitizers) replay every seed and every input that once found a fault:
//   fuzz_regress_<target> PATH...   every regular file under each PATH (a file or a folder, walked
//                                   in name order), once each, after the empty input
// A folder that does not exist adds nothing (the binary seeds are written for some targets
// only), but a run over no file at all fails: a mistyped corpus path must not pass unnoticed.
// A fault ends the run as it would end the fuzzer: a trap, a sanitizer report or an escaped
// exception; the name printed last is the input that caused it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(const fs::path& path) {
  std::vector<fs::path> files;
  if (fs::is_regular_file(path)) {
    files.push_back(path);
  } else if (fs::is_directory(path)) {
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(path))
      if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
  }
  return files;
}

// The input in a buffer of exactly its size, so that a read past its end is caught by the
// address sanitizer as libFuzzer's own copy would let it be.
void Run(const std::string& bytes) {
  const std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), copy.get());
  LLVMFuzzerTestOneInput(copy.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  Run(std::string());
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    for (const fs::path& file : Inputs(argv[i])) {
      std::printf("%s\n", file.c_str());
      std::fflush(stdout);
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
      if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
      }
      Run(bytes);
      ++count;
    }
  }
  std::printf("%d inputs\n", count);
  return count > 0 ? 0 : 1;
}

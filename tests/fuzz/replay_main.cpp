// Runs a fuzz driver on every file of the folders (or on the files) given, in name order, the way
// libFuzzer runs a kept input; a crash, a sanitizer report or an abort of the driver fails the
// test. Fails as well when no input was found, which means a wrong folder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& place) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(place)) {
    for (const auto& entry : std::filesystem::directory_iterator(place)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
  } else if (std::filesystem::is_regular_file(place)) {
    inputs.push_back(place);
  }
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const std::filesystem::path& input : inputsOf(argv[i])) {
      std::ifstream file(input, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
      // libFuzzer never passes a null pointer, not even for an empty input.
      const std::uint8_t empty = 0;
      const std::uint8_t* data =
          bytes.empty() ? &empty : reinterpret_cast<const std::uint8_t*>(bytes.data());
      LLVMFuzzerTestOneInput(data, bytes.size());
      ++replayed;
    }
  }
  std::cout << replayed << " inputs replayed\n";
  return replayed > 0 ? 0 : 1;
}

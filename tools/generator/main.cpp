// mellowdex-gen: writes a synthetic disc/track database for demos and
// load testing.
//
//   mellowdex-gen <folder> <trackCount> [seed]

#include "db_generator.h"

#include <charconv>
#include <cstdint>
#include <exception>
#include <iostream>
#include <string_view>

namespace {

template <typename T>
bool parseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

int usage() {
  std::cerr << "usage: mellowdex-gen <folder> <trackCount> [seed]\n"
               "  Writes watdi.bxl and watka.bxl into an existing <folder>.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) return usage();

  std::size_t trackCount = 0;
  if (!parseNumber(std::string_view(argv[2]), trackCount)) {
    std::cerr << "mellowdex-gen: bad track count '" << argv[2] << "'\n";
    return usage();
  }
  std::uint32_t seed = 1;
  if (argc == 4 && !parseNumber(std::string_view(argv[3]), seed)) {
    std::cerr << "mellowdex-gen: bad seed '" << argv[3] << "'\n";
    return usage();
  }

  try {
    const tools::GeneratedDatabase db = tools::generateDatabase(argv[1], trackCount, seed);
    std::cout << "discs: " << db.discs << "\ntracks: " << db.tracks << '\n';
  } catch (const std::exception& e) {
    std::cerr << "mellowdex-gen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

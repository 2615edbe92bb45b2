#include "db_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits CR LF lines; a bare LF or an unterminated last line fails the test.
std::vector<std::string> crlfLines(const fs::path& path) {
  const std::string bytes = readBytes(path);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < bytes.size(); at = end + 2) {
    end = bytes.find("\r\n", at);
    if (end == std::string::npos) {
      ADD_FAILURE() << path << ": unterminated line at byte " << at;
      break;
    }
    lines.push_back(bytes.substr(at, end - at));
    EXPECT_EQ(lines.back().find('\n'), std::string::npos) << lines.back();
  }
  return lines;
}

std::string code(const std::string& line) { return line.substr(1, tools::kCodeWidth); }

class GeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = fs::temp_directory_path() / ("mellowdex-gen-" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

}  // namespace

TEST(TrackRecordTest, PadsCutsAndProtectsTheQuoting) {
  EXPECT_EQ(tools::trackRecord("SC8123", 1, "MOONLIGHT ON THE HARBOUR", "THE VELVET LANTERNS"),
            "\"SC8123     \",\"01\",\"MOONLIGHT ON THE HARBOUR            \","
            "\"THE VELVET LANTERNS           \"");
  EXPECT_EQ(tools::discRecord("SC8123"), "\"SC8123     \"");

  const std::string cut = tools::trackRecord(std::string(15, 'C'), 123, std::string(50, 'T'), std::string(40, 'A'));
  EXPECT_EQ(
      cut, "\"" + std::string(11, 'C') + "\",\"99\",\"" + std::string(36, 'T') + "\",\"" + std::string(30, 'A') + "\"");
  EXPECT_EQ(tools::trackRecord("X", -4, "", "").substr(15, 2), "00");

  // A quote or comma inside a field would split the record.
  const std::string odd = tools::trackRecord("A,B", 7, "SAY \"HI\", BYE", "X,\"Y\"");
  EXPECT_EQ(odd.size() + 2, tools::kTrackLineBytes);
  EXPECT_EQ(std::count(odd.begin(), odd.end(), '"'), 8);
  EXPECT_EQ(std::count(odd.begin(), odd.end(), ','), 3);
}

class GeneratorCountTest : public GeneratorTest, public ::testing::WithParamInterface<std::size_t> {};

// 0 and 1 give degenerate files; 7 a single short disc; 21 a full disc plus
// a remainder; the large size checks the fixed layout on every line.
INSTANTIATE_TEST_SUITE_P(Sizes, GeneratorCountTest, ::testing::Values(0, 1, 7, 21, 3000));

TEST_P(GeneratorCountTest, ExactTrackCountInWholeDiscsWithFixedLayout) {
  const std::size_t wanted = GetParam();
  const tools::GeneratedDatabase db = tools::generateDatabase(dir_.string(), wanted, 3);
  const std::vector<std::string> tracks = crlfLines(dir_ / "watka.bxl");
  const std::vector<std::string> discs = crlfLines(dir_ / "watdi.bxl");

  EXPECT_EQ(db.tracks, wanted);
  EXPECT_EQ(fs::file_size(dir_ / "watka.bxl"), wanted * tools::kTrackLineBytes);
  EXPECT_EQ(db.discs, discs.size());

  // Each disc's tracks are contiguous, numbered 01.., in disc-file order;
  // all discs but the last hold 8..20.
  std::size_t disc = 0;
  int number = 0;
  for (const std::string& line : tracks) {
    ASSERT_EQ(line.size() + 2, tools::kTrackLineBytes) << line;
    ASSERT_EQ(std::count(line.begin(), line.end(), '"'), 8) << line;
    ASSERT_EQ(std::count(line.begin(), line.end(), ','), 3) << line;
    ASSERT_NE(line[20], ' ') << "title must be left-aligned: " << line;
    if (number > 0 && code(line) != code(discs[disc])) {
      EXPECT_TRUE(number >= 8 && number <= 20) << code(discs[disc]) << ": " << number;
      ++disc;
      number = 0;
    }
    ASSERT_LT(disc, discs.size());
    ASSERT_EQ(code(line), code(discs[disc]));
    ASSERT_EQ(std::stoi(line.substr(15, 2)), ++number) << line;
  }
  EXPECT_EQ(disc + (tracks.empty() ? 0 : 1), discs.size()) << "disc without tracks";
}

TEST_F(GeneratorTest, DiscCodesAreUniqueAndShort) {
  tools::generateDatabase(dir_.string(), 20000, 11);
  std::set<std::string> seen;
  for (const std::string& line : crlfLines(dir_ / "watdi.bxl")) {
    ASSERT_EQ(line.size() + 2, tools::kDiscLineBytes) << line;
    const std::string c = code(line).substr(0, code(line).find(' '));
    const std::size_t letters = c.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ASSERT_TRUE(letters >= 2 && letters <= 4) << c;
    ASSERT_EQ(c.find_first_not_of("0123456789", letters), std::string::npos) << c;
    ASSERT_TRUE(seen.insert(c).second) << "duplicate disc " << c;
  }
}

TEST_F(GeneratorTest, OutputDependsOnlyOnCountAndSeed) {
  for (const char* sub : {"a", "b", "c"}) fs::create_directory(dir_ / sub);
  tools::generateDatabase((dir_ / "a").string(), 1500, 42);
  tools::generateDatabase((dir_ / "b").string(), 1500, 42);
  tools::generateDatabase((dir_ / "c").string(), 1500, 43);
  EXPECT_EQ(readBytes(dir_ / "a/watka.bxl"), readBytes(dir_ / "b/watka.bxl"));
  EXPECT_EQ(readBytes(dir_ / "a/watdi.bxl"), readBytes(dir_ / "b/watdi.bxl"));
  EXPECT_NE(readBytes(dir_ / "a/watka.bxl"), readBytes(dir_ / "c/watka.bxl"));

  // Regenerating in place must truncate, not leave old records behind.
  tools::generateDatabase((dir_ / "a").string(), 10);
  EXPECT_EQ(fs::file_size(dir_ / "a/watka.bxl"), 10 * tools::kTrackLineBytes);
}

TEST_F(GeneratorTest, MissingFolderThrows) {
  EXPECT_THROW(tools::generateDatabase((dir_ / "no/such").string(), 10), std::runtime_error);
}

TEST_F(GeneratorTest, ContentHasTheAwkwardCases) {
  tools::generateDatabase(dir_.string(), 5000, 5);
  std::size_t fullWidth = 0, vocal = 0, accented = 0, repeats = 0;
  std::map<std::string, std::set<std::string>> discsBySong;
  for (const std::string& line : crlfLines(dir_ / "watka.bxl")) {
    const std::string title = line.substr(20, tools::kTitleWidth);
    fullWidth += title.back() != ' ';
    vocal += title.find("(VOCAL)") != std::string::npos || title.find("(Vocal Version)") != std::string::npos;
    accented += std::any_of(line.begin(), line.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
    auto& discs = discsBySong[title + line.substr(59, tools::kArtistWidth)];
    repeats += !discs.empty();
    EXPECT_TRUE(discs.insert(code(line)).second) << "song twice on one disc: " << title;
  }
  EXPECT_GT(fullWidth, 50U);
  EXPECT_GT(vocal, 50U);
  EXPECT_GT(accented, 50U);
  // About one track in twenty repeats an earlier song.
  EXPECT_GT(repeats, 150U);
  EXPECT_LT(repeats, 600U);
}

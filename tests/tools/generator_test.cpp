#include "db_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Byte offsets of the fields inside one padded watka.bxl line.
constexpr std::size_t kCodeAt = 1;
constexpr std::size_t kTrackAt = 15;
constexpr std::size_t kTitleAt = 20;
constexpr std::size_t kArtistAt = 59;

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits on CR LF; fails the test if the text has a bare CR or LF or does
// not end with a complete line.
std::vector<std::string> crlfLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "unterminated last line at byte " << start;
            break;
        }
        std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break: " << line;
        lines.push_back(std::move(line));
        start = end + 2;
    }
    return lines;
}

std::string trimmed(const std::string& s)
{
    const auto last = s.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : s.substr(0, last + 1);
}

struct Track {
    std::string code;
    int number;
    std::string title;   // as stored, padded
    std::string artist;  // as stored, padded
};

class GeneratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("mellowdex-gen-") + info->test_suite_name() + "-" +
                           info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        dir_ = fs::temp_directory_path() / name;
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path subdir(const std::string& name)
    {
        const fs::path p = dir_ / name;
        fs::create_directories(p);
        return p;
    }

    std::vector<std::string> discLines(const fs::path& folder)
    {
        return crlfLines(readBytes(folder / "watdi.bxl"));
    }

    std::vector<Track> tracks(const fs::path& folder)
    {
        std::vector<Track> out;
        for (const std::string& line : crlfLines(readBytes(folder / "watka.bxl"))) {
            EXPECT_EQ(line.size() + 2, tools::kTrackLineBytes) << line;
            if (line.size() + 2 != tools::kTrackLineBytes)
                continue;
            out.push_back({line.substr(kCodeAt, tools::kCodeWidth),
                           std::stoi(line.substr(kTrackAt, tools::kTrackWidth)),
                           line.substr(kTitleAt, tools::kTitleWidth),
                           line.substr(kArtistAt, tools::kArtistWidth)});
        }
        return out;
    }

    fs::path dir_;
};

}  // namespace

TEST(TrackRecordTest, PadsShortFieldsAndMatchesTheDocumentedLayout)
{
    EXPECT_EQ(tools::trackRecord("SC8123", 1, "MOONLIGHT ON THE HARBOUR", "THE VELVET LANTERNS"),
              "\"SC8123     \",\"01\",\"MOONLIGHT ON THE HARBOUR            \","
              "\"THE VELVET LANTERNS           \"");
    EXPECT_EQ(tools::trackRecord("", 0, "", "").size() + 2, tools::kTrackLineBytes);
    EXPECT_EQ(tools::discRecord("SC8123"), "\"SC8123     \"");
    EXPECT_EQ(tools::discRecord("").size() + 2, tools::kDiscLineBytes);
}

TEST(TrackRecordTest, CutsLongFieldsToTheirColumns)
{
    const std::string code(15, 'C');
    const std::string title(50, 'T');
    const std::string artist(40, 'A');
    const std::string line = tools::trackRecord(code, 12, title, artist);
    ASSERT_EQ(line.size() + 2, tools::kTrackLineBytes);
    EXPECT_EQ(line.substr(kCodeAt, tools::kCodeWidth), std::string(11, 'C'));
    EXPECT_EQ(line.substr(kTrackAt, 2), "12");
    EXPECT_EQ(line.substr(kTitleAt, tools::kTitleWidth), std::string(36, 'T'));
    EXPECT_EQ(line.substr(kArtistAt, tools::kArtistWidth), std::string(30, 'A'));
}

TEST(TrackRecordTest, ClampsTrackNumberAndKeepsTheQuotingIntact)
{
    EXPECT_EQ(tools::trackRecord("X", 7, "T", "A").substr(kTrackAt, 2), "07");
    EXPECT_EQ(tools::trackRecord("X", 123, "T", "A").substr(kTrackAt, 2), "99");
    EXPECT_EQ(tools::trackRecord("X", -4, "T", "A").substr(kTrackAt, 2), "00");

    // A quote or comma inside a field would break the record apart.
    const std::string line = tools::trackRecord("A,B", 1, "SAY \"HI\", BYE", "X,\"Y\"");
    EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 8);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 3);
    EXPECT_EQ(trimmed(line.substr(kTitleAt, tools::kTitleWidth)), "SAY 'HI'  BYE");
}

TEST_F(GeneratorTest, EveryLineHasTheExactFixedLayout)
{
    tools::generateDatabase(dir_.string(), 3000, 7);

    const std::string trackBytes = readBytes(dir_ / "watka.bxl");
    EXPECT_EQ(trackBytes.size(), 3000 * tools::kTrackLineBytes);
    for (const std::string& line : crlfLines(trackBytes)) {
        ASSERT_EQ(line.size() + 2, tools::kTrackLineBytes) << line;
        // Quotes and commas only where the layout puts them.
        for (std::size_t i = 0; i < line.size(); ++i) {
            const bool quote = i == 0 || i == 12 || i == 14 || i == 17 || i == 19 || i == 56 ||
                               i == 58 || i == 89;
            const bool comma = i == 13 || i == 18 || i == 57;
            ASSERT_EQ(line[i] == '"', quote) << "byte " << i << " of " << line;
            ASSERT_EQ(line[i] == ',', comma) << "byte " << i << " of " << line;
        }
        ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(line[kTrackAt])) &&
                    std::isdigit(static_cast<unsigned char>(line[kTrackAt + 1])))
            << line;
        ASSERT_NE(line[kCodeAt], ' ') << "code must be left-aligned: " << line;
        ASSERT_NE(line[kTitleAt], ' ') << "title must be left-aligned: " << line;
    }

    for (const std::string& line : discLines(dir_)) {
        ASSERT_EQ(line.size() + 2, tools::kDiscLineBytes) << line;
        ASSERT_EQ(line.front(), '"');
        ASSERT_EQ(line.back(), '"');
    }
}

class GeneratorCountTest : public GeneratorTest,
                           public ::testing::WithParamInterface<std::size_t> {};

TEST_P(GeneratorCountTest, WritesExactlyTheRequestedTracksInWholeDiscs)
{
    const std::size_t wanted = GetParam();
    const tools::GeneratedDatabase db = tools::generateDatabase(dir_.string(), wanted, 3);
    const std::vector<Track> all = tracks(dir_);
    const std::vector<std::string> discs = discLines(dir_);

    EXPECT_EQ(db.tracks, wanted);
    EXPECT_EQ(all.size(), wanted);
    EXPECT_EQ(db.discs, discs.size());

    // Tracks of one disc are contiguous and numbered 01, 02, ...; every disc
    // but the last holds 8..20 tracks.
    std::vector<std::pair<std::string, int>> runs;
    for (const Track& t : all) {
        if (runs.empty() || runs.back().first != t.code)
            runs.emplace_back(t.code, 0);
        ASSERT_EQ(t.number, ++runs.back().second) << "disc " << t.code;
    }
    ASSERT_EQ(runs.size(), discs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ("\"" + runs[i].first + "\"", discs[i]) << "disc order differs";
        EXPECT_LE(runs[i].second, 20);
        if (i + 1 < runs.size()) {
            EXPECT_GE(runs[i].second, 8) << runs[i].first;
        }
    }
}

// 0 and 1 are the degenerate files; 7 forces a single short disc; 21 must
// split into a full disc plus a remainder.
INSTANTIATE_TEST_SUITE_P(Sizes, GeneratorCountTest, ::testing::Values(0, 1, 7, 8, 21, 2500));

TEST_F(GeneratorTest, DiscCodesAreUniqueShortAndMatchBetweenFiles)
{
    tools::generateDatabase(dir_.string(), 20000, 11);

    std::set<std::string> listed;
    for (const std::string& line : discLines(dir_)) {
        const std::string code = trimmed(line.substr(1, tools::kCodeWidth));
        ASSERT_FALSE(code.empty());
        ASSERT_LE(code.size(), tools::kCodeWidth);
        // 2-4 capitals followed by digits.
        const std::size_t letters = code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        ASSERT_TRUE(letters >= 2 && letters <= 4) << code;
        ASSERT_EQ(code.find_first_not_of("0123456789", letters), std::string::npos) << code;
        ASSERT_TRUE(listed.insert(code).second) << "duplicate disc " << code;
    }

    std::set<std::string> used;
    for (const Track& t : tracks(dir_))
        used.insert(trimmed(t.code));
    EXPECT_EQ(used, listed);
}

TEST_F(GeneratorTest, SameSeedGivesIdenticalFilesAndOtherSeedsDiffer)
{
    const fs::path a = subdir("a");
    const fs::path b = subdir("b");
    const fs::path c = subdir("c");
    tools::generateDatabase(a.string(), 1500, 42);
    tools::generateDatabase(b.string(), 1500, 42);
    tools::generateDatabase(c.string(), 1500, 43);

    EXPECT_EQ(readBytes(a / "watka.bxl"), readBytes(b / "watka.bxl"));
    EXPECT_EQ(readBytes(a / "watdi.bxl"), readBytes(b / "watdi.bxl"));
    EXPECT_NE(readBytes(a / "watka.bxl"), readBytes(c / "watka.bxl"));
}

TEST_F(GeneratorTest, RegeneratingReplacesLongerFiles)
{
    tools::generateDatabase(dir_.string(), 1000);
    const tools::GeneratedDatabase db = tools::generateDatabase(dir_.string(), 10);
    EXPECT_EQ(fs::file_size(dir_ / "watka.bxl"), 10 * tools::kTrackLineBytes);
    EXPECT_EQ(fs::file_size(dir_ / "watdi.bxl"), db.discs * tools::kDiscLineBytes);
}

TEST_F(GeneratorTest, MissingFolderIsReported)
{
    EXPECT_THROW(tools::generateDatabase((dir_ / "no" / "such").string(), 10),
                 std::runtime_error);
}

TEST_F(GeneratorTest, ContentExercisesTheAwkwardCases)
{
    tools::generateDatabase(dir_.string(), 5000, 5);
    const std::vector<Track> all = tracks(dir_);

    std::size_t fullWidth = 0, vocal = 0, highBytes = 0, mixedCase = 0;
    std::map<std::pair<std::string, std::string>, std::set<std::string>> discsBySong;
    std::size_t repeats = 0;
    for (const Track& t : all) {
        if (t.title.back() != ' ')
            ++fullWidth;
        if (t.title.find("(VOCAL)") != std::string::npos ||
            t.title.find("(Vocal Version)") != std::string::npos)
            ++vocal;
        for (char ch : t.title + t.artist)
            if (static_cast<unsigned char>(ch) >= 0x80) {
                ++highBytes;
                break;
            }
        if (t.title.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos)
            ++mixedCase;
        auto& discs = discsBySong[{t.title, t.artist}];
        if (!discs.empty()) {
            ++repeats;
            EXPECT_EQ(discs.count(t.code), 0U) << "song repeated on one disc: " << t.title;
        }
        discs.insert(t.code);
    }

    EXPECT_GT(fullWidth, 50U);
    EXPECT_GT(vocal, 50U);
    EXPECT_GT(highBytes, 50U);
    EXPECT_GT(mixedCase, 200U);
    // Roughly one track in twenty repeats an earlier song; chance collisions
    // between freshly made titles add a little on top.
    EXPECT_GT(repeats, all.size() * 3 / 100);
    EXPECT_LT(repeats, all.size() * 12 / 100);
}

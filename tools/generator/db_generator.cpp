#include "db_generator.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace tools {
namespace {

// splitmix64: tiny, well mixed and identical everywhere, unlike the
// standard distributions whose output differs between library vendors.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform-enough value in [0, n); n must be > 0.
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

  // Value in [lo, hi] inclusive.
  std::size_t between(std::size_t lo, std::size_t hi) { return lo + below(hi - lo + 1); }

  // True with probability percent/100.
  bool chance(unsigned percent) { return below(100) < percent; }

  template <typename Container>
  const auto& pick(const Container& items) {
    return items[below(std::size(items))];
  }

 private:
  std::uint64_t state_;
};

// Words are stored in mixed case; most generated names are upper-cased, as
// karaoke song lists usually are. Accented letters are Windows-1252 bytes.
constexpr std::string_view kAdjectives[] = {
    "Blue",    "Golden", "Broken",  "Silver", "Midnight", "Lonely",   "Crazy",  "Electric", "Sweet",   "Wild",
    "Velvet",  "Paper",  "Crimson", "Hollow", "Lucky",    "Neon",     "Quiet",  "Restless", "Summer",  "Winter",
    "Burning", "Frozen", "Honey",   "Little", "Faded",    "Shining",  "Secret", "Rusty",    "Endless", "Tender",
    "Dizzy",   "Mellow", "Stolen",  "Easy",   "Holy",     "Southern", "Jolly",  "Sleepy",   "Brave",   "Caf\xE9"};

constexpr std::string_view kNouns[] = {"Heart",
                                       "Moon",
                                       "River",
                                       "Highway",
                                       "Rain",
                                       "Harbour",
                                       "Lantern",
                                       "Diamond",
                                       "Window",
                                       "Train",
                                       "Garden",
                                       "Mirror",
                                       "Thunder",
                                       "Angel",
                                       "Ocean",
                                       "Rose",
                                       "Dancer",
                                       "Shadow",
                                       "Letter",
                                       "Sunrise",
                                       "Jukebox",
                                       "Cowboy",
                                       "Radio",
                                       "Candle",
                                       "Feather",
                                       "Valley",
                                       "Bridge",
                                       "Echo",
                                       "Carousel",
                                       "Lullaby",
                                       "Ballroom",
                                       "Hurricane",
                                       "Satellite",
                                       "Orchard",
                                       "Telephone",
                                       "Saturday",
                                       "Cinnamon",
                                       "Compass",
                                       "Mountain",
                                       "Sparrow",
                                       "Whisper",
                                       "Fiesta",
                                       "Ma\xF1"
                                       "ana",
                                       "Se\xF1orita",
                                       "Caf\xE9",
                                       "Souffl\xE9",
                                       "Gl\xFC"
                                       "ckspiel",
                                       "Smile"};

constexpr std::string_view kVerbs[] = {"Dance", "Hold",   "Call",     "Kiss",   "Leave", "Love",  "Take",  "Save",
                                       "Chase", "Follow", "Remember", "Forget", "Wake",  "Carry", "Touch", "Find",
                                       "Shake", "Tell",   "Meet",     "Walk",   "Miss",  "Trust", "Rock",  "Sing"};

constexpr std::string_view kPlaces[] = {"Tonight", "Forever", "Again", "Tomorrow", "Downtown", "Away",
                                        "Home",    "Slowly",  "Baby",  "Darling",  "Now",      "All Night Long"};

constexpr std::string_view kSuffixes[] = {" (Live)",         " (Remix)",    " [Radio Edit]", " (Reprise)",
                                          " (Acoustic)",     " (Take Two)", " [Extended]",   " (Duet)",
                                          " (Slow Version)", " (Key of G)", " (Encore)",     " [Medley]"};

constexpr std::string_view kFirstNames[] = {"Johnny",
                                            "Maisie",
                                            "Rosa",
                                            "Billy",
                                            "Delia",
                                            "Frankie",
                                            "Tessa",
                                            "Marco",
                                            "Lulu",
                                            "Gus",
                                            "Nina",
                                            "Otis",
                                            "Peggy",
                                            "Ray",
                                            "Sadie",
                                            "Vince",
                                            "Wanda",
                                            "Hank",
                                            "Ivy",
                                            "Jasper",
                                            "Kitty",
                                            "Lenny",
                                            "Mabel",
                                            "Ned",
                                            "Opal",
                                            "Rudy",
                                            "Sonny",
                                            "Trixie",
                                            "Zelda",
                                            "Jos\xE9",
                                            "Ren\xE9"
                                            "e",
                                            "Zo\xEB",
                                            "Ines",
                                            "Ambrose",
                                            "Dot",
                                            "Clem"};

constexpr std::string_view kLastNames[] = {"Harlow",
                                           "Quill",
                                           "Brennan",
                                           "Castillo",
                                           "Dunmore",
                                           "Everly",
                                           "Fairweather",
                                           "Gallant",
                                           "Honeycutt",
                                           "Iverson",
                                           "Jessop",
                                           "Kettering",
                                           "Larkspur",
                                           "Moody",
                                           "Nightingale",
                                           "Ostrander",
                                           "Pike",
                                           "Rainey",
                                           "Starling",
                                           "Thistle",
                                           "Underwood",
                                           "Valance",
                                           "Winslow",
                                           "Yardley",
                                           "Pe\xF1"
                                           "a",
                                           "M\xFCller",
                                           "Ib\xE1\xF1"
                                           "ez",
                                           "O'Malley",
                                           "Fitz-Gerald",
                                           "Delacroix",
                                           "McKinnon",
                                           "Sorrento"};

constexpr std::string_view kBandNouns[] = {"Lanterns",   "Comets",       "Drifters", "Sparrows",    "Jaguars",
                                           "Satellites", "Rebels",       "Dreamers", "Tumbleweeds", "Magpies",
                                           "Strangers",  "Gamblers",     "Voyagers", "Ramblers",    "Heartbeats",
                                           "Mavericks",  "Hummingbirds", "Outlaws",  "Poets",       "Wildcats"};

constexpr std::string_view kCodePrefixes[] = {"MDX", "SK",   "PKR", "VT",  "ZEN", "HBK",
                                              "LM",  "QRTZ", "ML",  "KDX", "SNG", "AB"};

// Windows-1252 upper-casing: ASCII plus the Latin-1 letter block
// (0xE0..0xFE except the division sign 0xF7), and y-diaeresis (0xFF -> 0x9F).
std::string toUpper1252(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 'a' && b <= 'z') ch = static_cast<char>(b - 0x20);
    else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) ch = static_cast<char>(b - 0x20);
    else if (b == 0xFF) ch = static_cast<char>(0x9F);
  }
  return out;
}

// Pads with blanks or cuts to exactly `width` bytes, dropping characters the
// quoted, comma-separated layout cannot carry.
std::string fitField(std::string_view text, std::size_t width) {
  std::string out;
  out.reserve(width);
  for (char ch : text) {
    if (out.size() == width) break;
    if (ch == '"') ch = '\'';
    else if (ch == ',' || ch == '\r' || ch == '\n') ch = ' ';
    out.push_back(ch);
  }
  out.resize(width, ' ');
  return out;
}

// Joins the parts in order. Callers pass random picks inside the braces:
// a braced list is evaluated left to right, whereas the operands of a chain
// of operator+ may be evaluated in any order, which would make the output
// differ between compilers.
std::string concat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view part : parts) out.append(part);
  return out;
}

std::string makeTitleCore(Rng& rng) {
  std::string t;
  const auto add = [&t](std::initializer_list<std::string_view> parts) { t = concat(parts); };
  switch (rng.below(10)) {
    case 0: add({rng.pick(kAdjectives), " ", rng.pick(kNouns)}); break;
    case 1: add({rng.pick(kVerbs), " Me ", rng.pick(kPlaces)}); break;
    case 2: add({rng.pick(kNouns), " of the ", rng.pick(kAdjectives), " ", rng.pick(kNouns)}); break;
    case 3: add({"Don't ", rng.pick(kVerbs), " My ", rng.pick(kNouns)}); break;
    case 4: add({rng.pick(kNouns), "-", rng.pick(kNouns), " ", rng.pick(kVerbs)}); break;
    case 5:
      add({"(", rng.pick(kVerbs), " ", rng.pick(kPlaces), ") ", rng.pick(kAdjectives), " ", rng.pick(kNouns)});
      break;
    case 6: add({rng.pick(kNouns)}); break;
    case 7: add({"I'll ", rng.pick(kVerbs), " You ", rng.pick(kPlaces)}); break;
    case 8: add({"When the ", rng.pick(kNouns), " ", rng.pick(kVerbs), "s"}); break;
    default:
      add({rng.pick(kAdjectives), " ", rng.pick(kAdjectives), " ", rng.pick(kNouns), "'s ", rng.pick(kNouns)});
      break;
  }
  return t;
}

// A title that fills the 36-character column exactly, cut mid-word the way
// long titles are in real lists, but never ending in a blank (which a reader
// would trim away).
std::string makeFullWidthTitle(Rng& rng) {
  for (;;) {
    std::string t = makeTitleCore(rng);
    while (t.size() < kTitleWidth) {
      t += ' ';
      t += rng.pick(kNouns);
    }
    t.resize(kTitleWidth);
    if (t.back() != ' ') return t;
  }
}

std::string makeTitle(Rng& rng) {
  if (rng.chance(5)) return toUpper1252(makeFullWidthTitle(rng));

  std::string t = makeTitleCore(rng);
  const std::size_t roll = rng.below(100);
  if (roll < 5) t += " (VOCAL)";
  else if (roll < 8) t += " (Vocal Version)";
  else if (roll < 14) t += rng.pick(kSuffixes);

  // Most lists are all capitals; leave a minority in mixed case so the
  // "All Capitals" view has something to change.
  if (!rng.chance(20)) t = toUpper1252(t);
  return t;
}

std::string makeArtist(Rng& rng) {
  std::string a;
  switch (rng.below(7)) {
    case 0:
    case 1: a = concat({rng.pick(kFirstNames), " ", rng.pick(kLastNames)}); break;
    case 2: a = concat({"The ", rng.pick(kAdjectives), " ", rng.pick(kBandNouns)}); break;
    case 3: a = concat({rng.pick(kFirstNames), " & the ", rng.pick(kBandNouns)}); break;
    case 4: a = concat({"DJ ", rng.pick(kLastNames)}); break;
    case 5: a = concat({rng.pick(kLastNames), " Brothers"}); break;
    default: a = concat({rng.pick(kFirstNames), " ", rng.pick(kLastNames), " ft. ", rng.pick(kFirstNames)}); break;
  }
  if (!rng.chance(15)) a = toUpper1252(a);
  if (a.size() > kArtistWidth) a.resize(kArtistWidth);
  return a;
}

std::ofstream openForWrite(const std::string& folder, const char* name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot create " + path);
  return out;
}

}  // namespace

std::string trackRecord(const std::string& code, int track, const std::string& title, const std::string& artist) {
  const int n = std::clamp(track, 0, 99);
  const char number[2] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};

  std::string line;
  line.reserve(kTrackLineBytes - 2);
  line += '"';
  line += fitField(code, kCodeWidth);
  line += "\",\"";
  line.append(number, 2);
  line += "\",\"";
  line += fitField(title, kTitleWidth);
  line += "\",\"";
  line += fitField(artist, kArtistWidth);
  line += '"';
  return line;
}

std::string discRecord(const std::string& code) {
  std::string line(1, '"');
  line += fitField(code, kCodeWidth);
  line += '"';
  return line;
}

GeneratedDatabase generateDatabase(const std::string& folder, std::size_t trackCount, std::uint32_t seed) {
  Rng rng(0x6D656C6C6F776478ULL ^ (static_cast<std::uint64_t>(seed) * 0x100000001B3ULL));

  // A shared pool of performers, so the same artist turns up on many discs.
  const std::size_t artistCount = std::max<std::size_t>(12, trackCount / 12);
  std::vector<std::string> artists;
  artists.reserve(artistCount);
  for (std::size_t i = 0; i < artistCount; ++i) artists.push_back(makeArtist(rng));

  std::ofstream discFile = openForWrite(folder, "watdi.bxl");
  std::ofstream trackFile = openForWrite(folder, "watka.bxl");

  // Every (title, artist) written so far; repeats are drawn from earlier
  // discs only, so each duplicate lands on a different disc.
  std::vector<std::pair<std::string, std::string>> songs;
  songs.reserve(trackCount);

  // Catalogue numbers run on from a seed-dependent start and are never
  // reused; the letters in front do not affect uniqueness because the
  // digit run alone already differs between discs.
  std::size_t catalogueNumber = 1000 + rng.below(8000);

  GeneratedDatabase result{0, 0};
  while (result.tracks < trackCount) {
    const std::size_t discSize = std::min(rng.between(8, 20), trackCount - result.tracks);
    const std::size_t earlierSongs = songs.size();

    std::string digits = std::to_string(catalogueNumber++);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    std::string prefix(rng.pick(kCodePrefixes));
    if (prefix.size() + digits.size() > kCodeWidth)
      prefix.resize(kCodeWidth > digits.size() ? kCodeWidth - digits.size() : 0);
    const std::string code = prefix + digits;

    discFile << discRecord(code) << "\r\n";

    // Each disc leans on a handful of performers, like a themed release.
    const std::size_t mainArtist = rng.below(artists.size());
    for (std::size_t t = 1; t <= discSize; ++t) {
      std::string title;
      std::string artist;
      // A disc never carries the same song twice; redraw on a clash.
      do {
        if (earlierSongs > 0 && rng.chance(5)) {
          const auto& repeat = songs[rng.below(earlierSongs)];
          title = repeat.first;
          artist = repeat.second;
        } else {
          title = makeTitle(rng);
          artist = rng.chance(30) ? artists[mainArtist] : rng.pick(artists);
        }
      } while (std::find(songs.begin() + static_cast<std::ptrdiff_t>(earlierSongs), songs.end(),
                         std::pair{title, artist}) != songs.end());
      trackFile << trackRecord(code, static_cast<int>(t), title, artist) << "\r\n";
      songs.emplace_back(std::move(title), std::move(artist));
    }

    ++result.discs;
    result.tracks += discSize;
  }

  discFile.close();
  trackFile.close();
  if (!discFile || !trackFile) throw std::runtime_error("error while writing the database in " + folder);
  return result;
}

}  // namespace tools

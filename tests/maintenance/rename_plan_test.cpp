// The renamer's track lines, name formats, file lists and the check of a set of renames.
#include "maintenance/rename_plan.h"

#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using maintenance::RenameProblem;
using maintenance::RenameStep;

// Texts show as text in failure messages.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {
const QString kItem = maintenance::renameListItem("ZX1001", "07", "MOON OVER THE HARBOUR", "THE NIGHT FERRY");

// Three tracks of one artist, and the track the renamer gives each file for them in the format
// Disc-Track, with its new name after a colon when `withNames`.
const QStringList kThreeTracks = {maintenance::renameListItem("ZX1001", "01", "ONE", "X"),
                                  maintenance::renameListItem("ZX1001", "02", "TWO", "X"),
                                  maintenance::renameListItem("ZX1001", "03", "THREE", "X")};
QStringList plannedTracks(const QStringList& files, bool withNames = false, const QStringList& lines = kThreeTracks) {
  QStringList out;
  for (const RenameStep& s : maintenance::planRenames(lines, files, 7).steps)
    out << (withNames ? s.track + ":" + s.to : s.track);
  return out;
}
}  // namespace

TEST(RenamePlan, TrackLinesHaveFixedColumns) {
  EXPECT_EQ(kItem,
            QStringLiteral("07    MOON OVER THE HARBOUR               THE NIGHT FERRY               ZX1001     "));
  EXPECT_EQ(kItem.size(), 83);
}

TEST(RenamePlan, TitleCaseCapitalisesOnlyAfterBlanks) {
  EXPECT_EQ(maintenance::Title_Case("WE DON'T WAIT"), "We Don't Wait");
  EXPECT_EQ(maintenance::Title_Case("UP/DOWN"), "Up/down");
  EXPECT_EQ(maintenance::Title_Case("HALF-TIME"), "Half-time");
  EXPECT_EQ(maintenance::Title_Case("SONG (V)"), "Song (v)");
  EXPECT_EQ(maintenance::Title_Case("A  B "), "A  B ");
  EXPECT_EQ(maintenance::Title_Case(""), "");
  EXPECT_EQ(maintenance::Title_Case(QStringLiteral("ÉTÉ À PARIS")), QStringLiteral("Été À Paris"));
}

TEST(RenamePlan, EveryFormatBuildsItsName) {
  const auto f = maintenance::nameFields(kItem);
  EXPECT_EQ(f.disc, "ZX1001");
  const QStringList expected = {"ZX1001-07 - The Night Ferry - Moon Over The Harbour",
                                "ZX1001-07 - Moon Over The Harbour - The Night Ferry",
                                "The Night Ferry - Moon Over The Harbour",
                                "Moon Over The Harbour - The Night Ferry",
                                "The Night Ferry - Moon Over The Harbour - ZX1001-07",
                                "Moon Over The Harbour - The Night Ferry - ZX1001-07",
                                "ZX1001-07",
                                "ZX1001-07 - Moon Over The Harbour"};
  for (int option = 1; option <= 8; ++option) EXPECT_EQ(maintenance::patternName(option, f), expected[option - 1]);
}

TEST(RenamePlan, TheExtensionIsEverythingAfterTheLastDot) {
  const auto renamed = [](const QString& file, int option) {
    return maintenance::planRenames({kItem}, {file}, option).steps.front().to;
  };
  EXPECT_EQ(renamed("track07.mp3", 1), "ZX1001-07 - The Night Ferry - Moon Over The Harbour.mp3");
  EXPECT_EQ(renamed("07.flac", 7), "ZX1001-07.flac");
  EXPECT_EQ(renamed("a.b.cdg", 7), "ZX1001-07.cdg");
  EXPECT_EQ(renamed("07", 7), "ZX1001-07");
}

TEST(RenamePlan, RenamesThatWouldOverwriteOrLoseAFileAreRefused) {
  const QSet<QString> folder = {"a.mp3", "b.mp3", "c.mp3", "taken.mp3"};
  const auto check = [&](std::vector<RenameStep> steps) { return maintenance::checkRenames(steps, folder); };

  EXPECT_FALSE(check({{"a.mp3", "x.mp3"}, {"b.mp3", "a.mp3"}}));  // a is gone by then
  EXPECT_FALSE(check({{"a.mp3", "a.mp3"}, {"b.mp3", "y.mp3"}}));  // already named: left alone

  auto problem = check({{"a.mp3", "taken.mp3"}});
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::TargetExists);

  problem = check({{"a.mp3", "b.mp3"}, {"b.mp3", "c2.mp3"}});  // b is still there
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::TargetExists);
  EXPECT_EQ(problem->from, "a.mp3");

  problem = check({{"a.mp3", "same.mp3"}, {"b.mp3", "same.mp3"}});
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::SameTarget);
  EXPECT_EQ(problem->from, "b.mp3");

  problem = check({{"a.mp3", "a.mp3"}, {"b.mp3", "a.mp3"}});
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::SameTarget);

  problem = check({{"a.mp3", "x.mp3"}, {"b.mp3", "Xy/zw - Tin Bells.mp3"}});
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::BadName);
  EXPECT_EQ(problem->from, "b.mp3");
  // The characters that FAT and NTFS disks refuse, and a name that would hide its file.
  for (const QString bad : {"?", ":", "*", "<", ">", "|", "\\", "\"", "\t"}) {
    problem = check({{"a.mp3", "x.mp3"}, {"b.mp3", "Why" + bad + " Not.mp3"}});
    ASSERT_TRUE(problem) << bad.toStdString();
    EXPECT_EQ(problem->kind, RenameProblem::Kind::BadName);
  }
  ASSERT_TRUE(check({{"a.mp3", ".x.mp3"}}));

  // A file system that ignores letter case: a change of case alone is the file's own name,
  // another file's name in other letters is taken.
  const auto folded = [&](std::vector<RenameStep> steps) { return maintenance::checkRenames(steps, folder, true); };
  EXPECT_FALSE(folded({{"a.mp3", "A.mp3"}, {"b.mp3", "x.mp3"}}));
  problem = folded({{"a.mp3", "TAKEN.mp3"}});
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::TargetExists);
  problem = folded({{"a.mp3", "x.mp3"}, {"b.mp3", "X.MP3"}});
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::SameTarget);

  // A track's mp3 and cdg files share a name before the run and after it.
  EXPECT_FALSE(check({{"a.mp3", "X-01.mp3", "01"}, {"A.cdg", "X-01.cdg", "01"}}));
  problem = check({{"a.mp3", "X-01.mp3", "01"}, {"b.mp3", "X-02.mp3", "02"}, {"a.cdg", "X-02.cdg", "02"}});
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::SplitPair);
  EXPECT_EQ(problem->from, "a.mp3");
  EXPECT_EQ(problem->to, "a.cdg");
  EXPECT_EQ(problem->track, "01 and 02");
  problem = check({{"a.cdg", "a.cdg"}, {"a.mp3", "X-01.mp3", "01"}});  // the cdg file is left as it is
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::SplitPair);
  EXPECT_EQ(problem->from, "a.mp3");
  EXPECT_EQ(problem->track, "");

  // There a change of case goes through a name in between and leaves nothing else behind.
  testsupport::TempHome home;
  home.writeBytes("song.mp3", "x");
  home.writeBytes("other.mp3", "y");
  EXPECT_FALSE(maintenance::foldsCase(home.path()));
  EXPECT_EQ(maintenance::moveName(home.path(), "song.mp3", "Song.mp3", true), "");
  EXPECT_EQ(maintenance::moveName(home.path(), "Song.mp3", "other.mp3", true), "File exists");
  EXPECT_EQ(QDir(home.path()).entryList(QDir::Files, QDir::Name), (QStringList{"Song.mp3", "other.mp3"}));
  EXPECT_EQ(home.readBytes("Song.mp3"), "x");
  // The name in between stays within the 255 bytes a name may have.
  const QString longest = QString(251, 'l') + ".mp3";
  home.writeBytes(longest, "long");
  EXPECT_EQ(maintenance::moveName(home.path(), longest, "L" + longest.mid(1), true), "");
  EXPECT_EQ(home.readBytes("L" + longest.mid(1)), "long");

  // A rename is never a copy: a name the system refuses, here a link that leads nowhere, stops
  // it with the system's reason, and no byte goes through the link.
  ASSERT_TRUE(QFile::link(home.path("elsewhere.mp3"), home.path("link.mp3")));
  EXPECT_EQ(maintenance::moveName(home.path(), "Song.mp3", "link.mp3", false), "File exists");
  EXPECT_EQ(home.readBytes("Song.mp3"), "x");
  EXPECT_FALSE(QFileInfo::exists(home.path("elsewhere.mp3")));
}

TEST(RenamePlan, AFileThatBearsATracksNameKeepsThatTrack) {
  EXPECT_EQ(plannedTracks({"X - Three.mp3", "a.mp3", "b.mp3"}, true),
            (QStringList{"03:ZX1001-03.mp3", "01:ZX1001-01.mp3", "02:ZX1001-02.mp3"}));
  EXPECT_EQ(plannedTracks({"ZX1001-02 - Two.cdg", "ZX1001-02.mp3", "X - One - ZX1001-01.mp3"}, true),
            (QStringList{"02:ZX1001-02.cdg", "02:ZX1001-02.mp3", "01:ZX1001-01.mp3"}));

  // Two files that bear one track's name, in one type, and a third that bears none: one track
  // is left for it but two are free.
  auto problem = maintenance::planRenames(kThreeTracks, {"ZX1001-01.cdg", "ZX1001-01.mp3", "c.mp3"}, 7).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::UnpairedFiles);
  EXPECT_EQ(problem->files, 1);
  EXPECT_EQ(problem->tracks, 2);
  // Two tracks that give one name.
  const QStringList twins = {maintenance::renameListItem("ZX1001", "01", "SAME", "X"),
                             maintenance::renameListItem("ZX1001", "02", "SAME", "X")};
  problem = maintenance::planRenames(twins, {"X - Same.mp3", "b.mp3"}, 7).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::SeveralTracks);
  EXPECT_EQ(problem->track, "01 and 02");
  // Nor does a name that holds their song, nor its place.
  problem =
      maintenance::planRenames(twins, {"Same (In the Style of Y).mp3", "Same (In the Style of X).mp3"}, 7).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::UnplacedFiles);
}

TEST(RenamePlan, ANameKeepsItsTrackAfterTheCodeOrOneFieldIsCorrected) {
  const QStringList items = {maintenance::renameListItem("ZX1001", "01", "ONE", "ANN"),
                             maintenance::renameListItem("ZX1001", "02", "TWO", "BEA"),
                             maintenance::renameListItem("ZX1001", "03", "THREE", "CAL")};
  const auto plan = [&](const QStringList& files, const QStringList& lines = {}) {
    return maintenance::planRenames(lines.isEmpty() ? items : lines, files, 7);
  };
  const auto tracks = [&](const QStringList& files, const QStringList& lines = {}) {
    QStringList out;
    for (const RenameStep& s : plan(files, lines).steps) out << s.track;
    return out;
  };
  // The disc and track a name holds, whatever the code: at its start or at its end.
  EXPECT_EQ(tracks({"Cal - Three - OLD9-03.mp3", "OLD9-01 - Ann - One.mp3", "OLD9-02.mp3"}),
            (QStringList{"03", "01", "02"}));
  // A song that ends in a number is no code beside the one a name holds.
  const QStringList catchSongs = {maintenance::renameListItem("ZX1001", "01", "CATCH-22", "ANN"),
                                  maintenance::renameListItem("ZX1001", "02", "CATCH-22", "BEA"), items[2]};
  EXPECT_EQ(tracks({"Catch-22 - Bea - OLD9-02.mp3", "Catch-22 - Ann - OLD9-01.mp3", "OLD9-03.mp3"}, catchSongs),
            (QStringList{"02", "01", "03"}));
  // The song or the artist corrected since, in either order of the two.
  EXPECT_EQ(tracks({"Cal - Threes.mp3", "Anne - One.mp3", "Two - Bee.mp3"}), (QStringList{"03", "01", "02"}));

  // One artist's two titles corrected: a name fits both tracks until one of them has its file.
  const QStringList sameArtist = {items[0], maintenance::renameListItem("ZX1001", "02", "TWO", "ANN"), items[2]};
  EXPECT_EQ(tracks({"Ann - Two.mp3", "b.mp3", "Ann - Uno.mp3"}, sameArtist), (QStringList{"02", "03", "01"}));
  auto problem = plan({"Ann - Dos.mp3", "Ann - Uno.mp3", "Cal - Three.mp3"}, sameArtist).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::UnplacedFiles);
  EXPECT_EQ(problem->names, (QStringList{"Ann - Dos.mp3", "Ann - Uno.mp3"}));
  // A name in a format that fits no track leaves the others no order to pair by.
  problem = plan({"a.mp3", "Cal - Three.mp3", "Zed - Q.mp3"}).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->names, (QStringList{"a.mp3", "Zed - Q.mp3"}));
  EXPECT_EQ(plan({"ZX1001-07.mp3", "b.mp3", "c.mp3"}).problem->names, (QStringList{"ZX1001-07.mp3", "b.mp3", "c.mp3"}));
  // A track's number borne by two files.
  problem = plan({"OLD9-01.mp3", "ZX1001-01.mp3", "c.mp3"}).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::SharedTrack);
  EXPECT_EQ(problem->from, "ZX1001-01.mp3");
  EXPECT_EQ(problem->to, "OLD9-01.mp3");
  // A part whose number is no track's holds no code: the name fits no track, of this disc or another.
  problem = plan({"Sum-41 - Intro.mp3", "Ann - One.mp3", "Bea - Two.mp3"}).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::UnplacedFiles);
  EXPECT_EQ(problem->names, QStringList{"Sum-41 - Intro.mp3"});
  // Tracks stored without their zero ("2"): a name's "02" is track 2, and names it so.
  const QStringList unpadded = {maintenance::renameListItem("ZX1001", "1", "ONE", "ANN"),
                                maintenance::renameListItem("ZX1001", "2", "TWO", "BEA"),
                                maintenance::renameListItem("ZX1001", "3", "THREE", "CAL")};
  EXPECT_EQ(tracks({"ZX1001-03 - Cal - Three.mp3", "ZX1001-01.mp3", "ZX1001-02.mp3"}, unpadded),
            (QStringList{"03", "01", "02"}));
  // A disc's whole code that ends in a hyphen and two digits holds no track.
  const QStringList hyphened = {maintenance::renameListItem("GLD-01", "01", "ONE", "ANN"),
                                maintenance::renameListItem("GLD-01", "02", "TWO", "BEA")};
  EXPECT_EQ(tracks({"GLD-01 - 02 - Two.mp3", "GLD-01 - 01 - One.mp3"}, hyphened), (QStringList{"02", "01"}));
  // A code of 12 characters is a disc of its own: names carry it whole, and one with the code of
  // its first 11 is that other disc's.
  const QStringList longCode = {maintenance::renameListItem("LONGCODE12AB", "01", "ONE", "ANN")};
  EXPECT_EQ(maintenance::planRenames(longCode, {"a.mp3"}, 7).steps.front().to, "LONGCODE12AB-01.mp3");
  problem = maintenance::planRenames(longCode, {"LONGCODE12A-01.mp3"}, 7, {"LONGCODE12A", "LONGCODE12AB"}).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::OtherDisc);
  EXPECT_EQ(problem->discs, QStringList{"LONGCODE12A"});
  // Another held disc's code before a song of this disc ("Disc-Track - Song") is that disc's file.
  problem = maintenance::planRenames(items, {"AA101-03 - Three.mp3", "Ann - One.mp3", "Bea - Two.mp3"}, 7,
                                     {"AA101", "ZX1001"})
                .problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::OtherDisc);

  // Another disc of the disc's one artist: a name that fits by that artist alone is this disc's
  // only when it keeps its song too.
  const QStringList oneArtist = {maintenance::renameListItem("AA100", "01", "SONG 01", "KB"),
                                 maintenance::renameListItem("AA100", "02", "SONG 02", "KB"),
                                 maintenance::renameListItem("AA100", "03", "SONG 03", "KB")};
  problem =
      maintenance::planRenames(
          oneArtist, {"Kb - Song 01 - AA101-01.mp3", "Kb - Tune 02 - AA101-02.mp3", "Kb - Tune 03 - AA101-03.mp3"}, 5)
          .problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::ChangedSince);
  EXPECT_EQ(problem->names, (QStringList{"Kb - Tune 02 - AA101-02.mp3", "Kb - Tune 03 - AA101-03.mp3"}));
  EXPECT_EQ(problem->discs, QStringList{"AA101"});
  // Another disc of that artist named with its titles and no code: the artist is every track's, so
  // only a song would make a name this disc's.
  problem = maintenance::planRenames(
                oneArtist, {"01 - Kb - Morning Tide.mp3", "02 - Kb - Copper Rain.mp3", "03 - Kb - Paper Sky.mp3"}, 5)
                .problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::OtherTitles);
  // The album of an artist with one track here: the artist makes one name this disc's, not three.
  problem = plan({"01 - Ann - Morning Tide.mp3", "02 - Ann - Copper Rain.mp3", "03 - Ann - Paper Sky.mp3"}).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::OtherTitles);
  EXPECT_EQ(problem->names, (QStringList{"02 - Ann - Copper Rain.mp3", "03 - Ann - Paper Sky.mp3"}));
  // Another disc's names that share a song, or only an artist, with one track: the file that one
  // field places proves nothing of the others.
  for (const QStringList& other : {QStringList{"01 - Dee - Uno.mp3", "02 - Dee - Dos.mp3", "03 - Dee - Three.mp3"},
                                   QStringList{"01 - Uno - Dee.mp3", "02 - Dos - Dee.mp3", "03 - Tres - Cal.mp3"}}) {
    problem = plan(other).problem;
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, RenameProblem::Kind::OtherTitles);
  }
  // A name whose song is another held disc's and none of this disc's but within it is that disc's,
  // however few, though its artist would place it.
  // So is a name of this disc's song with the artist of another disc's track of it, not this track's.
  const QByteArray held =
      "\"ZX1001\",\"01\",\"RAIN\",\"X\"\r\n\"AA101\",\"04\",\"RAIN\",\"DEE\"\r\n"
      "\"AA101\",\"05\",\"22\",\"CAL\"\r\n\"AA101\",\"06\",\"THREE LITTLE BIRDS\",\"DEE\"\r\n"
      "\"AA101\",\"7\",\"THREE\",\"DEE\"\r\n\"AA101\",\"09\",\"CAN'T WON'T\",\"CAL\"\r\n";
  const auto withHeld = [&](const QString& other) {
    return maintenance::planRenames(
               items, {"Ann - One.mp3", "Two (Bea).mp3", other}, 7, {},
               [&](const QSet<QString>& keys) { return maintenance::songsOfOtherDiscs(held, "ZX1001", keys); })
        .problem;
  };
  for (const QString other :
       {"Rain (Dee).mp3", "Cal - 22.mp3", "Three Little Birds (Dee).mp3", "Can't Won't (Cal).mp3", "Three (Dee).mp3"}) {
    problem = withHeld(other);
    ASSERT_TRUE(problem) << other.toStdString();
    EXPECT_EQ(problem->kind,
              other == "Three (Dee).mp3" ? RenameProblem::Kind::OtherArtist : RenameProblem::Kind::OtherDiscsSongs);
    EXPECT_EQ(problem->names, QStringList{other});
    EXPECT_EQ(problem->discs, QStringList{"AA101"});
  }
  EXPECT_EQ(problem->discTracks, std::vector<QStringList>{{"07"}});
  for (const QString same : {"Three (Cal).mp3", "Three.mp3"}) EXPECT_FALSE(withHeld(same)) << same.toStdString();
  // Another artist's disc of the same songs, which the database lacks: each name fits by its
  // song, but none keeps both.
  const QStringList cover = {"Kc - Song 01 - AA101-01.mp3", "Kc - Song 02 - AA101-02.mp3",
                             "Kc - Song 03 - AA101-03.mp3"};
  problem = maintenance::planRenames(oneArtist, cover, 5).problem;
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->kind, RenameProblem::Kind::ChangedSince);
  EXPECT_EQ(problem->names, cover);
}

TEST(RenamePlan, ALoneTrackNumberIsReadWhereRippersPutIt) {
  EXPECT_EQ(plannedTracks({"03. c.mp3", "01_a.mp3", "Unknown - Track-02.mp3"}), (QStringList{"03", "01", "02"}));
  EXPECT_EQ(plannedTracks({"2-b.mp3", "track3.mp3", "1 a.mp3"}), (QStringList{"02", "03", "01"}));
  // A number that begins a song is the song's: a store's names pair by the songs they hold.
  const QStringList numberSongs = {maintenance::renameListItem("ZX1001", "01", "7 SECONDS", "X"),
                                   maintenance::renameListItem("ZX1001", "02", "3 AM", "Y"), kThreeTracks[2]};
  EXPECT_EQ(plannedTracks({"3 AM (In the Style of Y).mp3", "7 Seconds (In the Style of X).mp3", "Three.mp3"}, false,
                          numberSongs),
            (QStringList{"02", "01", "03"}));
  // A song that is a number is no title in a ripper's name: "Karaoke 1" keeps its place.
  const QStringList oneSong = {kThreeTracks[0], kThreeTracks[1], maintenance::renameListItem("ZX1001", "03", "1", "X")};
  EXPECT_EQ(plannedTracks({"Karaoke 1.mp3", "Karaoke 2.mp3", "Karaoke 3.mp3"}, false, oneSong),
            (QStringList{"01", "02", "03"}));
  // A number inside a word, or two numbers that differ, is no track's: that file is named.
  const auto unplaced = [&](const QStringList& files) {
    const auto problem = maintenance::planRenames(kThreeTracks, files, 7).problem;
    return problem && problem->kind == RenameProblem::Kind::UnplacedFiles ? problem->names : QStringList{"none"};
  };
  EXPECT_EQ(unplaced({"1.mp3", "Soundtrack 3.mp3", "3.mp3"}), QStringList{"Soundtrack 3.mp3"});
  EXPECT_EQ(unplaced({"01 - Track 02.mp3", "2.mp3", "3.mp3"}), QStringList{"01 - Track 02.mp3"});
  EXPECT_EQ(unplaced({"1.mp3", "01 - a.mp3", "3.mp3"}), (QStringList{"1.mp3", "01 - a.mp3"}));
}

TEST(RenamePlan, ATitledNameIsTheTrackItsTitleFitsMostNearly) {
  QStringList store;
  for (const auto& [song, artist] :
       std::vector<std::pair<QString, QString>>{{"HOLLOW LANTERNS", "BELLAMY ROWE"},
                                                {"AMBER STREET", "CORA FINCH"},
                                                {"DON'T WAIT", "IVO LARK"},
                                                {"SALT AND IRON", "EDIE STONE"},
                                                {"1999", "KB"},
                                                {"7 SECONDS", "MILO GRANT"},
                                                {"7", "KB"},
                                                {"SHE'S GOT A TICKET TO THE SUMMER FESTIVAL", "KB"},
                                                {"THE RAINY JAMBOREE", "KB"}})
    store << maintenance::renameListItem("AA100", "0" + QString::number(store.size() + 1), song, artist);
  // Songs spelled otherwise (a plural, a letter, an apostrophe, "&", no "The"), songs that are
  // numbers, and a song cut where its field ends.
  EXPECT_EQ(
      plannedTracks({"1999 (Karaoke).mp3", "7 (Karaoke).mp3", "7 Seconds (Karaoke).mp3", "Amber Streat (Karaoke).mp3",
                     "Dont Wait (Karaoke).mp3", "Hollow Lantern (Karaoke).mp3", "Rainy Jamboree (Karaoke).mp3",
                     "Salt & Iron (Karaoke).mp3", "She's Got A Ticket To The Summer Festival (Karaoke).mp3"},
                    false, store),
      (QStringList{"05", "07", "06", "02", "03", "01", "09", "04", "08"}));
  // A song's accents left out of a store's name, and a plural in "es".
  EXPECT_EQ(plannedTracks(
                {"Cafe Del Sol (Karaoke).mp3", "Amber Street (Karaoke).mp3", "Crossword Crushes (Karaoke).mp3"}, false,
                {maintenance::renameListItem("AA100", "01", "CAFÉ DEL SOL", "X"), store[1],
                 maintenance::renameListItem("AA100", "03", "CROSSWORD CRUSH", "X")}),
            (QStringList{"01", "02", "03"}));
  // Names that are songs alone: a number that is no track's is its song.
  EXPECT_EQ(plannedTracks({"1999.mp3", "7 Seconds.mp3", "Amber Street.mp3"}, false, {store[4], store[5], store[1]}),
            (QStringList{"05", "06", "02"}));
  // Two tracks as near one name, and two names nearest one track, are refused.
  store = QStringList{maintenance::renameListItem("AA100", "01", "SILVER ROAD", "X"),
                      maintenance::renameListItem("AA100", "02", "SILVER ROADE", "X"),
                      maintenance::renameListItem("AA100", "03", "RED LETTER", "X")};
  const QStringList untold = {"Red Letter (Karaoke).mp3", "Red Letters (Karaoke).mp3", "Silver Roads (Karaoke).mp3"};
  EXPECT_EQ(maintenance::planRenames(store, untold, 7).problem->names, untold);
  // One track's artist and its song spelled nearly fit no better than another's song as written.
  const QStringList roads = {maintenance::renameListItem("AA100", "01", "SILVER ROAD", "DEE"),
                             maintenance::renameListItem("AA100", "02", "SILVER ROADS", "EVE")};
  EXPECT_TRUE(maintenance::planRenames(roads, {"Silver Road (Eve).mp3", "Silver Roads (Dee).mp3"}, 7).problem);
  // A lone file shares its words with no other name: its title is its own.
  const QStringList lone = {"Hollow Lanterns (Karaoke).mp3"};
  EXPECT_EQ(maintenance::planRenames({store[2]}, lone, 7).problem.value_or(RenameProblem{}).names, lone);
  EXPECT_EQ(plannedTracks({"Karaoke 1.mp3"}, false, {store[2]}), QStringList{"03"});  // a ripper's name holds none
}

TEST(RenamePlan, FileListsMatchTheirPatternInNameOrder) {
  testsupport::TempHome home;
  for (int i = 1; i <= 12; ++i) home.writeBytes(QString::number(i) + ".mp3", "x");
  for (const char* name : {"Loud.MP3", "x.cdg", ".hidden.mp3", "update.kup", "update.kup.2", "kup"})
    home.writeBytes(name, "x");
  ASSERT_TRUE(QDir(home.path()).mkdir("folder.mp3"));

  EXPECT_EQ(maintenance::listMatchingFiles(home.path(), "*.mp3"),
            (QStringList{"1.mp3", "10.mp3", "11.mp3", "12.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3", "6.mp3", "7.mp3",
                         "8.mp3", "9.mp3", "Loud.MP3"}));
  EXPECT_EQ(maintenance::listMatchingFiles(home.path(), "*.kup;*.kup.*"), (QStringList{"update.kup", "update.kup.2"}));
  EXPECT_EQ(maintenance::listMatchingFiles(home.path(), "?.cdg"), QStringList{"x.cdg"});
  EXPECT_EQ(maintenance::listMatchingFiles(home.path(), "*").size(), 17);
  EXPECT_EQ(maintenance::listMatchingFiles(home.path(), "*.*").size(), 17);  // "kup" too, as the old lists had it
  EXPECT_TRUE(maintenance::namesInFolder(home.path()).contains(".hidden.mp3"));
  EXPECT_TRUE(maintenance::namesInFolder(home.path()).contains("folder.mp3"));
}

// The disc's track list for the renamer, the "Rename Files" window and its rename commands.
#include "main_window_fixture.h"

#include "maintenance/rename_plan.h"
#include "platform/core/files.h"
#include "platform/ui/prompts.h"
#include "windows/database/File_Rename.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMap>

#include <cerrno>
#include <fstream>
#include <functional>

using platform::msg::OK;
using testsupport::clickOn;

// Texts show as text in failure messages.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString item(int track, const QString& song = {}, const QString& artist = {}) {
  const QString n = QString::number(track).rightJustified(2, '0');
  return maintenance::renameListItem("ZX1001", n, song.isEmpty() ? "SONG " + n : song,
                                     artist.isEmpty() ? "ARTIST " + n : artist);
}

QStringList items(int count) {
  QStringList out;
  for (int i = 1; i <= count; ++i) out << item(i);
  return out;
}

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

QByteArray hashOf(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Every file of a folder, hidden ones too, by name, each as the hash of its bytes: a rename
// moves names and never a byte.
QMap<QString, QByteArray> contentsOf(const QString& folder) {
  QMap<QString, QByteArray> out;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
    QFile file(QDir(folder).filePath(name));
    out[name] = file.open(QIODevice::ReadOnly) ? hashOf(file.readAll()) : QByteArray();
  }
  return out;
}

// The user's click on an option button's circle or on a button.
void press(platform::Control& control) {
  QWidget* w = control.widget();
  clickOn(w, qobject_cast<QPushButton*>(w) ? QPoint(-1, -1) : QPoint(8, w->height() / 2));
}

QString two(int n) { return QString::number(n).rightJustified(2, '0'); }

// The closing message of a rename after a disc's tracks, and its words on names without a title.
QString renamed(const QString& files, const QString& disc = "ZX1001") {
  return files + " have been renamed after disc " + disc + "'s tracks";
}
const QString kNoTitle = "; their names held no title: check they are this disc's";

// The line that tells, under a refusal of names that fit no track, what the user can do.
const QString kNumberTheFiles =
    "To rename them, give each file its track number alone as its name, as in 01.mp3, and rename again.";

// A disc whose artists run in another order than its tracks: song and artist of each track as
// the renamer's names show them.
const char* const kDisc[12][2] = {
    {"Morning Tide", "Kestrel Bay"}, {"Copper Rain", "Dorian Vale"},     {"Paper Sky", "Aster Lane"},
    {"Silver Road", "Milo Grant"},   {"Hollow Lantern", "Bellamy Rowe"}, {"North Wind", "Cora Finch"},
    {"Stone Bridge", "Juno Marsh"},  {"Late Train", "Edie Stone"},       {"Glass Harbour", "Hugo Pike"},
    {"Red Letter", "Fenn Odell"},    {"Quiet Field", "Greta Lund"},      {"Wild Orchard", "Ivo Lark"}};
QString song(int track) { return kDisc[track - 1][0]; }
QString artist(int track) { return kDisc[track - 1][1]; }
QStringList discTracks(const QString& code, const QMap<int, QString>& songs = {}) {
  QStringList out;
  for (int i = 1; i <= 12; ++i)
    out << maintenance::renameListItem(code, two(i), songs.value(i, song(i)).toUpper(), artist(i).toUpper());
  return out;
}
// The file t<n> that the first rename of t1 to t12 gives each track: t1, t2, ..., t10, as a file
// manager shows them, though the file list runs t1, t10, t11, t12, t2, ...
QString firstFileOf(int track, const QString& ext) { return "t" + QString::number(track) + "." + ext; }

}  // namespace

class RenameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(home.path()).mkpath("audio"));
    folder = home.path("audio");
    window.Load();
  }
  void fill(const QStringList& lines) {
    window.List3.addItems(lines);
    window.Show();
    ASSERT_TRUE(window.Dir1.setPath(folder));
  }
  void files(const QString& ext, int count) {
    for (int i = 1; i <= count; ++i) home.writeBytes("audio/t" + QString::number(i) + "." + ext, ext.toLatin1());
  }
  // Files t1 to t<count> whose bytes differ, so that each can be followed by its hash.
  void distinctFiles(const QString& ext, int count) {
    for (int i = 1; i <= count; ++i)
      home.writeBytes("audio/t" + QString::number(i) + "." + ext, ext.toLatin1() + " of file " + QByteArray::number(i));
  }
  // Presses Rename Files and answers its one message; the message's text.
  QString renameFiles(platform::Control& button) {
    prompts.answerMsg(OK);
    const auto before = prompts.callsOf("msgBox").size();
    press(button);
    const auto calls = prompts.callsOf("msgBox");
    EXPECT_EQ(calls.size(), before + 1);
    return calls.size() > before ? calls.back().text : QString();
  }
  testsupport::TempHome home;
  testsupport::ScriptedPrompts prompts;
  File_Rename window;
  QString folder;
};

TEST_F(RenameWindowTest, TheSampleFollowsTheChosenFormat) {
  fill({item(7, "MOON OVER THE HARBOUR", "THE NIGHT FERRY"), item(9)});
  EXPECT_EQ(window.Label4.Caption(), "ZX1001-07 - The Night Ferry - Moon Over The Harbour");
  window.Option3.setValue(true);
  EXPECT_EQ(window.Label4.Caption(), "The Night Ferry - Moon Over The Harbour");
  EXPECT_EQ(window.selectedOption(), 3);
  window.List3.Clear();
  window.Option7.setValue(true);
  EXPECT_EQ(window.Label4.Caption(), "");
}

TEST_F(RenameWindowTest, FilesNamedByTheirNumbersAloneAreRenamedByThoseNumbers) {
  // The file list runs 1, 10, 11, 12, 2, ...: each file still gets its own number's track.
  for (int i = 1; i <= 12; ++i) home.writeBytes("audio/" + QString::number(i) + ".mp3", QByteArray::number(i));
  fill(items(12));
  window.Option7.setValue(true);
  prompts.answerMsg(OK);
  press(window.Command1);
  const auto done = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(done[0].text, renamed("12 mp3 files") + kNoTitle);
  EXPECT_EQ(done[0].title, "File Rename");
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(home.readBytes("audio/ZX1001-" + two(i) + ".mp3"), QByteArray::number(i));
  EXPECT_EQ(filesIn(folder).size(), 12);
  EXPECT_EQ(window.File1.List(0), "ZX1001-01.mp3");
  EXPECT_TRUE(window.isLoaded());
  // One file numbered by hand among them.
  ASSERT_TRUE(QFile::rename(folder + "/ZX1001-05.mp3", folder + "/5.mp3"));  // the list not shown again
  EXPECT_EQ(renameFiles(window.Command1),
            "1 mp3 file has been renamed after disc ZX1001's track; its name held no title: check it is this disc's");
}

TEST_F(RenameWindowTest, AutoRenameGivesEachTracksMp3AndCdgTheSameName) {
  fill(items(12));
  files("mp3", 12);
  files("cdg", 12);
  home.writeBytes("audio/readme.txt", "x");
  prompts.answerMsg(OK);
  press(window.Command3);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, renamed("12 mp3 and 12 cdg files") + kNoTitle);
  for (int i = 1; i <= 12; ++i) {
    const QString n = QString::number(i).rightJustified(2, '0');
    const QString name = "audio/ZX1001-" + n + " - Artist " + n + " - Song " + n;
    EXPECT_EQ(home.readBytes(name + ".mp3"), "mp3") << name.toStdString();
    EXPECT_EQ(home.readBytes(name + ".cdg"), "cdg") << name.toStdString();
  }
  EXPECT_TRUE(QFile::exists(home.path("audio/readme.txt")));
  EXPECT_EQ(window.Combo1.Text(), "*");
  EXPECT_EQ(window.File1.Pattern(), "*");
  EXPECT_TRUE(window.Enabled());
}

TEST_F(RenameWindowTest, AutoRenameStopsAtAWrongMp3Count) {
  fill(items(12));
  files("mp3", 11);
  files("cdg", 12);
  const QStringList before = filesIn(folder);
  prompts.answerMsg(OK);
  press(window.Command3);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "12 --->>> 11");
  EXPECT_EQ(filesIn(folder), before);
  EXPECT_EQ(window.File1.Pattern(), "*.mp3");
}

TEST_F(RenameWindowTest, ANameThatIsTakenStopsTheRenameBeforeAnyFileMoves) {
  home.writeBytes("audio/a.mp3", "a");
  home.writeBytes("audio/ZX1001-01.mp3", "keep me");  // a file the pattern leaves out bears track 1's name
  fill(items(1));
  window.Combo1.setText("a*");
  window.Option7.setValue(true);
  prompts.answerMsg(OK);
  press(window.Command1);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "The file a.mp3 cannot be renamed to ZX1001-01.mp3: a file of that name is already in the folder.\r"
            "No file has been renamed.");
  EXPECT_EQ(home.readBytes("audio/ZX1001-01.mp3"), "keep me");
  EXPECT_EQ(home.readBytes("audio/a.mp3"), "a");
}

TEST_F(RenameWindowTest, TheTypeBoxSetsTheFileListsPatternAndAnEmptyListRenamesNothing) {
  home.writeBytes("audio/one.kar", "k");
  home.writeBytes("audio/two.mp3", "m");
  fill({});
  // Typed, then Enter, which presses no button (no folder dialog comes).
  auto* typed = static_cast<QComboBox*>(window.Combo1.widget())->lineEdit();
  typed->selectAll();
  QTest::keyClicks(typed, "*.kar");
  QTest::keyClick(typed, Qt::Key_Return);
  EXPECT_EQ(window.File1.items(), QStringList{"one.kar"});
  window.Combo1.setText("*.bin");
  EXPECT_EQ(window.File1.ListCount(), 0);
  prompts.answerMsg(OK);
  press(window.Command1);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Files have been renamed");
  EXPECT_EQ(filesIn(folder), (QStringList{"one.kar", "two.mp3"}));
}

TEST_F(RenameWindowTest, ASecondRenameInAnotherFormatKeepsEachFileWithItsTrack) {
  // The artists run backwards against the tracks: the artist-first names list the files in the
  // reverse order of their tracks.
  const auto artistSong = [](int i) {
    return "Artist " + QString(QChar(char16_t('A' + 12 - i))) + " - Song " + two(i);
  };
  QStringList lines;
  QMap<int, QByteArray> audio;
  for (int i = 1; i <= 12; ++i) {
    lines << item(i, {}, "ARTIST " + QString(QChar(char16_t('A' + 12 - i))));
    audio[i] = "audio of track " + QByteArray::number(i);
    home.writeBytes("audio/Track" + two(i) + ".mp3", audio[i]);
  }
  // A rename in "Artist - Song" that stopped after five files.
  for (int i = 1; i <= 5; ++i)
    ASSERT_TRUE(QFile::rename(folder + "/Track" + two(i) + ".mp3", folder + "/" + artistSong(i) + ".mp3"));
  fill(lines);
  press(window.Option3);
  EXPECT_EQ(renameFiles(window.Command1),
            renamed("7 mp3 files") + kNoTitle);  // the five named before are not counted
  QMap<QString, QByteArray> expected;
  for (int i = 1; i <= 12; ++i) expected[artistSong(i) + ".mp3"] = hashOf(audio[i]);
  EXPECT_EQ(contentsOf(folder), expected);

  // Then in another format, in the same window.
  press(window.Option1);
  EXPECT_EQ(renameFiles(window.Command1), renamed("12 mp3 files"));
  expected.clear();
  for (int i = 1; i <= 12; ++i) expected["ZX1001-" + two(i) + " - " + artistSong(i) + ".mp3"] = hashOf(audio[i]);
  EXPECT_EQ(contentsOf(folder), expected);

  // Two files bear track 01's name and none track 02's: which is which cannot be told.
  ASSERT_TRUE(QFile::rename(folder + "/ZX1001-02 - Artist K - Song 02.mp3", folder + "/Artist L - Song 01.mp3"));
  window.File1.Refresh();
  const auto before = contentsOf(folder);
  press(window.Option3);
  EXPECT_EQ(renameFiles(window.Command1),
            "The files Artist L - Song 01.mp3 and ZX1001-01 - Artist L - Song 01.mp3 both bear the name of track 01: "
            "which of them is that track cannot be told.\rNo file has been renamed.");
  EXPECT_EQ(contentsOf(folder), before);
}

TEST_F(RenameWindowTest, NewNamesKeepTheWholeExtensionHideNoFileAndSuitEveryDisk) {
  home.writeBytes("audio/a.mp3", "first");
  home.writeBytes("audio/b.flac", "second");
  home.writeBytes("audio/c", "third");
  const auto start = contentsOf(folder);
  const QString baby = item(1, "...BABY ONE MORE TIME", "POP STAR");
  fill({baby, item(2, "WHERE: HERE"), item(3, "WHO? ME")});
  press(window.Option4);  // Song - Artist
  // Characters that some disks refuse are left out of the file's name only.
  EXPECT_EQ(renameFiles(window.Command1), renamed("3 files") + kNoTitle +
                                              "\rCharacters that file names cannot hold were left out of the names "
                                              "Where Here - Artist 02 and Who Me - Artist 03.");
  const QMap<QString, QByteArray> expected = {{"Baby One More Time - Pop Star.mp3", start["a.mp3"]},
                                              {"Where Here - Artist 02.flac", start["b.flac"]},
                                              {"Who Me - Artist 03", start["c"]}};
  EXPECT_EQ(contentsOf(folder), expected);
  EXPECT_EQ(window.File1.items(), QStringList(expected.keys()));

  // Two titles that give one name without them.
  for (const QString& name : filesIn(folder)) ASSERT_TRUE(QFile::remove(folder + "/" + name));
  for (const QString name : {"a.mp3", "b.mp3", "c.mp3"}) home.writeBytes("audio/" + name, name.toLatin1());
  window.File1.Refresh();
  const auto before = contentsOf(folder);
  window.List3.Clear();
  window.List3.addItems({baby, item(2, "WHY?", "X"), item(3, "WHY", "X")});
  EXPECT_EQ(renameFiles(window.Command1), "Two files would both be named Why - X.mp3.\rNo file has been renamed.");
  EXPECT_EQ(contentsOf(folder), before);
  // A title made of such characters alone would be left out of the name whole.
  window.List3.Clear();
  window.List3.addItems({baby, item(2, "?"), item(3)});
  EXPECT_EQ(renameFiles(window.Command1),
            "The name \"? - Artist 02.mp3\" for the file b.mp3 (track 02) cannot be given: it holds the character ?, "
            "which file names cannot hold on every disk.\rNo file has been renamed.");
  EXPECT_EQ(contentsOf(folder), before);

  // A track's mp3 and cdg files share the shortened name, told once.
  for (const QString name : {"a.cdg", "b.cdg", "c.cdg"}) home.writeBytes("audio/" + name, name.toLatin1());
  window.List3.Clear();
  window.List3.addItems({baby, item(2, "WHY?"), item(3)});
  EXPECT_EQ(renameFiles(window.Command3), renamed("3 mp3 and 3 cdg files") + kNoTitle +
                                              "\rCharacters that file names cannot hold were left out of the name "
                                              "Why - Artist 02.");
  EXPECT_EQ(home.readBytes("audio/Why - Artist 02.mp3"), "b.mp3");
  EXPECT_EQ(home.readBytes("audio/Why - Artist 02.cdg"), "b.cdg");
  // Pressed again at once, it finds every name given: nothing is renamed, and nothing left out.
  EXPECT_EQ(renameFiles(window.Command3),
            "3 mp3 and 3 cdg files already bear the names of disc ZX1001's tracks: nothing has been renamed");
}

TEST_F(RenameWindowTest, AutoRenameChecksTheCdgNamesBeforeAnyMp3FileMoves) {
  distinctFiles("mp3", 12);
  distinctFiles("cdg", 12);
  ASSERT_TRUE(QDir(folder).mkdir("ZX1001-01 - Artist 01 - Song 01.cdg"));
  const auto start = contentsOf(folder);
  fill(items(12));
  EXPECT_EQ(renameFiles(window.Command3),
            "The file t1.cdg cannot be renamed to ZX1001-01 - Artist 01 - Song 01.cdg: a folder of that name is "
            "already in the folder.\rNo file has been renamed.");
  EXPECT_EQ(contentsOf(folder), start);
}

TEST_F(RenameWindowTest, CorrectedTitlesKeepEachTracksFilesWithIt) {
  distinctFiles("mp3", 12);
  distinctFiles("cdg", 12);
  const auto start = contentsOf(folder);
  const auto named = [&](const QMap<int, QString>& songs) {
    QMap<QString, QByteArray> out;
    for (int i = 1; i <= 12; ++i)
      for (const QString ext : {"mp3", "cdg"})
        out[artist(i) + " - " + songs.value(i, song(i)) + "." + ext] = start[firstFileOf(i, ext)];
    return out;
  };
  fill(discTracks("AA100"));
  press(window.Option3);  // Artist - Song
  EXPECT_EQ(renameFiles(window.Command3), renamed("12 mp3 and 12 cdg files", "AA100") + kNoTitle);
  EXPECT_EQ(contentsOf(folder), named({}));

  // The titles of tracks 02 and 05 corrected: the window comes with the disc's new list.
  const QMap<int, QString> corrected = {{2, "Copper Rains"}, {5, "Hollow Lanterns"}};
  window.List3.Clear();
  window.List3.addItems(discTracks("AA100", corrected));
  EXPECT_EQ(renameFiles(window.Command3), renamed("2 mp3 and 2 cdg files", "AA100"));
  EXPECT_EQ(contentsOf(folder), named(corrected));

  // Both the song and the artist of track 07 corrected: its files fit no track.
  QStringList lines = discTracks("AA100", corrected);
  lines[6] = maintenance::renameListItem("AA100", "07", "STONE ARCH", "JUNO MARSHE");
  window.List3.Clear();
  window.List3.addItems(lines);
  EXPECT_EQ(renameFiles(window.Command3),
            "The name of the file Juno Marsh - Stone Bridge.mp3 fits no single track of the list: which track it is "
            "cannot be told.\rNo file has been renamed.\r" +
                kNumberTheFiles);
  EXPECT_EQ(contentsOf(folder), named(corrected));
}

TEST_F(RenameWindowTest, AFolderFreshFromARipperIsRenamedAfterItsOwnTracks) {
  // The names rippers and other programs give a disc's files, each track's file by its number;
  // a title as a ripper may write it, in capitals unlike the program's.
  const auto rippersTitle = [](int i) { return i == 9 ? QString("Glass harbour") : song(i); };
  const std::vector<std::function<QString(int)>> shapes = {
      [](int i) { return two(i) + " - Track " + two(i); },
      [](int i) { return two(i) + " - Unknown Title"; },
      [](int i) { return "Unknown Artist - Track " + two(i); },
      [&](int i) { return two(i) + " - " + rippersTitle(i); },
      [](int i) { return (artist(i) + " - " + song(i)).toUpper(); },
      [&](int i) { return "Track " + two(i) + " - " + rippersTitle(i); },
      [](int i) { return ("AA100 " + two(i) + " - " + artist(i) + " - " + song(i)).toUpper(); },
      [](int i) { return "Track " + QString::number(i); },
      // Numbers in shapes that hold no lone number: the files pair as a file manager shows them.
      [](int i) { return QString::number(i) + ".Title"; },
      [](int i) { return "(" + QString::number(i) + ") Title"; },
      [](int i) { return "Karaoke " + QString::number(i); },
  };
  // The disc as the program stores it, and as a supplier's update file may: its tracks without
  // their zeros, which the list shows 1, 10, 11, 12, 2, ...
  QStringList unpadded = discTracks("AA100");
  for (QString& line : unpadded)
    if (line.startsWith('0')) line.replace(0, 2, line.mid(1, 1) + ' ');
  fill({});
  press(window.Option7);
  for (const QStringList& lines : {discTracks("AA100"), unpadded}) {
    window.List3.Clear();
    window.List3.addItems(lines);
    for (size_t shape = 0; shape < shapes.size(); ++shape) {
      for (const QString& name : filesIn(folder)) ASSERT_TRUE(QFile::remove(folder + "/" + name));
      QMap<QString, QByteArray> expected;
      for (int i = 1; i <= 12; ++i) {
        const QByteArray audio = "audio of track " + QByteArray::number(i);
        home.writeBytes("audio/" + shapes[shape](i) + ".mp3", audio);
        expected["AA100-" + two(i) + ".mp3"] = hashOf(audio);
      }
      window.File1.Refresh();
      EXPECT_TRUE(renameFiles(window.Command1).startsWith(renamed("12 mp3 files", "AA100")))
          << "shape " << shape << (lines == unpadded ? " of the unpadded disc" : "");
      EXPECT_EQ(contentsOf(folder), expected)
          << "shape " << shape << (lines == unpadded ? " of the unpadded disc" : "");
    }
  }

  // A number that is no track's leaves the others no order to pair by: the file is named.
  for (const QString& name : filesIn(folder)) ASSERT_TRUE(QFile::remove(folder + "/" + name));
  for (const int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13})
    home.writeBytes("audio/" + QString::number(i) + ".mp3", QByteArray::number(i));
  window.File1.Refresh();
  const auto before = contentsOf(folder);
  EXPECT_EQ(renameFiles(window.Command1),
            "The name of the file 13.mp3 fits no single track of the list: which track it is cannot be told.\r"
            "No file has been renamed.\r" +
                kNumberTheFiles);
  EXPECT_EQ(contentsOf(folder), before);

  // Track 01's name borne in two types leaves one file for two tracks.
  for (const QString& name : filesIn(folder)) ASSERT_TRUE(QFile::remove(folder + "/" + name));
  for (const QString name : {"ZX1001-01.bin", "ZX1001-01.mp3", "c.mp3"}) home.writeBytes("audio/" + name, "x");
  window.File1.Refresh();
  window.List3.Clear();
  window.List3.addItems(items(3));
  EXPECT_EQ(renameFiles(window.Command1),
            "1 file bears no track's name but 2 tracks have no file: which file is which track cannot be told.\r"
            "No file has been renamed.\r" +
                kNumberTheFiles);
}

TEST_F(RenameWindowTest, AChangedDiscCodeKeepsEachFileWithItsTrack) {
  distinctFiles("mp3", 12);
  const auto start = contentsOf(folder);
  const auto named = [&](const QString& code) {
    QMap<QString, QByteArray> out;
    for (int i = 1; i <= 12; ++i)
      out[artist(i) + " - " + song(i) + " - " + code + "-" + two(i) + ".mp3"] = start[firstFileOf(i, "mp3")];
    return out;
  };
  fill(discTracks("AA100"));
  press(window.Option5);  // Artist - Song - Disc-Track
  EXPECT_EQ(renameFiles(window.Command1), renamed("12 mp3 files", "AA100") + kNoTitle);
  EXPECT_EQ(contentsOf(folder), named("AA100"));

  window.List3.Clear();
  window.List3.addItems(discTracks("AA101"));
  EXPECT_EQ(renameFiles(window.Command1), renamed("12 mp3 files", "AA101"));
  EXPECT_EQ(contentsOf(folder), named("AA101"));

  // The code changed again and both titles of track 02 with it: the message names no disc that
  // is gone.
  QStringList lines = discTracks("AA102");
  lines[1] = maintenance::renameListItem("AA102", "02", "COPPER RAINS", "DORIAN VALES");
  window.heldDiscs = {"AA099", "AA102"};
  window.List3.Clear();
  window.List3.addItems(lines);
  EXPECT_EQ(renameFiles(window.Command1),
            "The file Dorian Vale - Copper Rain - AA101-02.mp3 bears the code AA101, which no disc in the database "
            "has, and titles that are not track 02's: its code and titles have changed since it was named.\r"
            "No file has been renamed.\rTo rename it as track 02, give it that number alone as its name, as in "
            "02.mp3, and rename again.");
  EXPECT_EQ(contentsOf(folder), named("AA101"));
}

TEST_F(RenameWindowTest, AnotherDiscsFilesKeepTheirNames) {
  // The folder holds disc AA101's files, named after its tracks; the list is AA100's, a row off.
  QStringList names;
  for (int i = 1; i <= 12; ++i) {
    names << "AA101-" + two(i) + " - Other Singer " + two(i) + " - Other Song " + two(i) + ".mp3";
    home.writeBytes("audio/" + names.back(), "audio of AA101 track " + QByteArray::number(i));
  }
  const auto start = contentsOf(folder);
  window.heldDiscs = {"AA100", "AA101"};
  fill(discTracks("AA100"));
  EXPECT_EQ(
      renameFiles(window.Command1),
      "The files " + names.mid(0, 11).join(", ") + " and " + names.last() +
          " bear the code of disc AA101, which the database holds: they are another disc's files.\r"
          "No file has been renamed.\r"
          "To rename them after their own disc's tracks, highlight AA101 in the disc list and rename from there.");
  EXPECT_EQ(contentsOf(folder), start);

  // Names that hold no title, in other letters.
  QMap<QString, QByteArray> expected;
  for (int i = 1; i <= 12; ++i) {
    ASSERT_TRUE(QFile::rename(folder + "/" + names[i - 1], folder + "/aa101-" + two(i) + ".mp3"));
    expected["aa101-" + two(i) + ".mp3"] = start[names[i - 1]];
  }
  window.File1.Refresh();
  press(window.Option7);
  EXPECT_TRUE(renameFiles(window.Command1).contains(" bear the code of disc AA101, which the database holds: "));
  EXPECT_EQ(contentsOf(folder), expected);

  // Files named after AA100's titles, with no code, while AA101, a row off, is highlighted.
  const auto titled = [&](const std::function<QString(int)>& shape) {
    for (const QString& name : filesIn(folder)) EXPECT_TRUE(QFile::remove(folder + "/" + name));
    names.clear();
    for (int i = 1; i <= 12; ++i) {
      names << shape(i) + ".mp3";
      home.writeBytes("audio/" + names.back(), "audio of AA100 track " + QByteArray::number(i));
    }
    window.File1.Refresh();
    return contentsOf(folder);
  };
  auto before = titled([](int i) { return two(i) + " - " + artist(i) + " - " + song(i); });
  window.List3.Clear();
  for (int i = 1; i <= 12; ++i)
    window.List3.AddItem(maintenance::renameListItem("AA101", two(i), "OTHER SONG " + two(i), "OTHER SINGER"));
  EXPECT_EQ(renameFiles(window.Command3),
            "The names of the files " + names.mid(0, 11).join(", ") + " and " + names.last() +
                " hold no song and no artist of disc AA101, the highlighted disc that they would be renamed after: "
                "they look like another disc's files.\rNo file has been renamed.\r"
                "To rename them after their own disc's tracks, highlight that disc in the disc list and rename "
                "from there.");
  EXPECT_EQ(contentsOf(folder), before);
  // The disc a row off shares an artist with it: the other names are still not its.
  window.List3.RemoveItem(4);
  window.List3.AddItem(maintenance::renameListItem("AA101", "05", "OTHER SONG 05", artist(1).toUpper()));
  EXPECT_TRUE(renameFiles(window.Command3).startsWith("The names of the files " + names[1] + ", "));
  EXPECT_EQ(contentsOf(folder), before);
  // And a cover of its track 03 at that number: the one file that fits is no proof.
  window.List3.RemoveItem(2);
  window.List3.AddItem(maintenance::renameListItem("AA101", "03", song(3).toUpper(), "OTHER SINGER"));
  EXPECT_TRUE(renameFiles(window.Command3).contains(" they look like another disc's files."));
  EXPECT_EQ(contentsOf(folder), before);

  // A store's names on their own disc, each file by the song it holds.
  window.List3.Clear();
  window.List3.addItems(discTracks("AA100"));
  press(window.Option7);
  for (const auto& shape : std::vector<std::function<QString(int)>>{
           [](int i) { return artist(i) + " - " + song(i) + " (Karaoke Version)"; },
           [](int i) { return song(i) + " (In the Style of " + artist(i) + ")"; },
           [](int i) { return song(i) + "s (In the Style of " + artist(i) + ")"; }}) {
    before = titled(shape);
    expected.clear();
    for (int i = 1; i <= 12; ++i) expected["AA100-" + two(i) + ".mp3"] = before[names[i - 1]];
    EXPECT_EQ(renameFiles(window.Command1), renamed("12 mp3 files", "AA100"));
    EXPECT_EQ(contentsOf(folder), expected);
  }
  // One of them a cover of track 03 on disc AA101, named with that disc's artist.
  window.otherDiscsSongs = [](const QSet<QString>& keys) {
    return maintenance::songsOfOtherDiscs("\"AA101\",\"03\",\"PAPER SKY\",\"PIPER HOLT\"\r\n", "AA100", keys);
  };
  before = titled([](int i) { return song(i) + " (In the Style of " + (i == 3 ? "Piper Holt" : artist(i)) + ")"; });
  EXPECT_EQ(renameFiles(window.Command3),
            "The name of the file Paper Sky (In the Style of Piper Holt).mp3 holds the song and artist of disc "
            "AA101's track 03, which the database holds, not the highlighted disc's artist: it is another disc's "
            "file.\rNo file has been renamed.\rTo rename it after its own disc's tracks, highlight AA101 in the disc "
            "list and rename from there.");
  EXPECT_EQ(contentsOf(folder), before);

  // A lone file of another disc: the word on it speaks of one file.
  for (const QString& name : filesIn(folder)) ASSERT_TRUE(QFile::remove(folder + "/" + name));
  home.writeBytes("audio/AA101-01.mp3", "x");
  window.File1.Refresh();
  window.List3.Clear();
  window.List3.AddItem(discTracks("AA100").front());
  EXPECT_EQ(renameFiles(window.Command1),
            "The file AA101-01.mp3 bears the code of disc AA101, which the database holds: it is another disc's "
            "file.\rNo file has been renamed.\rTo rename it after its own disc's tracks, highlight AA101 in the disc "
            "list and rename from there.");
}

TEST_F(RenameWindowTest, OnADiscOfOneArtistAChangedCodeKeepsTheFilesAndAnotherDiscsAreRefused) {
  const auto oneArtist = [](const QString& code, const QString& songWord) {
    QStringList out;
    for (int i = 1; i <= 12; ++i)
      out << maintenance::renameListItem(code, two(i), songWord + " " + two(i), "KESTREL BAY");
    return out;
  };
  distinctFiles("mp3", 12);
  const auto start = contentsOf(folder);
  const auto named = [&](const QString& code) {
    QMap<QString, QByteArray> out;
    for (int i = 1; i <= 12; ++i)
      out["Kestrel Bay - Song " + two(i) + " - " + code + "-" + two(i) + ".mp3"] = start[firstFileOf(i, "mp3")];
    return out;
  };
  fill(oneArtist("AA100", "SONG"));
  press(window.Option5);  // Artist - Song - Disc-Track
  EXPECT_EQ(renameFiles(window.Command1), renamed("12 mp3 files", "AA100") + kNoTitle);
  EXPECT_EQ(contentsOf(folder), named("AA100"));

  // The disc's code changed: each file keeps its track, though the artist fits every track.
  window.List3.Clear();
  window.List3.addItems(oneArtist("AA101", "SONG"));
  EXPECT_EQ(renameFiles(window.Command1), renamed("12 mp3 files", "AA101"));
  EXPECT_EQ(contentsOf(folder), named("AA101"));

  // Another disc of the same artist: the files are disc AA101's, though the artist fits.
  window.heldDiscs = {"AA101", "AA102"};
  window.List3.Clear();
  window.List3.addItems(oneArtist("AA102", "TUNE"));
  const QString message = renameFiles(window.Command1);
  EXPECT_TRUE(message.startsWith("The files Kestrel Bay - Song 01 - AA101-01.mp3, ")) << message.toStdString();
  EXPECT_TRUE(
      message.endsWith(" bear the code of disc AA101, which the database holds: they are another "
                       "disc's files.\rNo file has been renamed.\rTo rename them after their own disc's "
                       "tracks, highlight AA101 in the disc list and rename from there."))
      << message.toStdString();
  EXPECT_EQ(contentsOf(folder), named("AA101"));
}

TEST_F(RenameWindowTest, ATitleThatEndsInANumberIsNoDiscAndTrack) {
  // Track 05's artist has been corrected since its file was named "Song - Artist".
  QStringList lines = items(22);
  lines[4] = item(5, "CATCH-22", "ARTIST 05");
  QMap<QString, QByteArray> expected;
  for (int i = 1; i <= 22; ++i) {
    const QByteArray audio = "audio of track " + QByteArray::number(i);
    const QString song = i == 5 ? QString("Catch-22") : "Song " + two(i);
    home.writeBytes("audio/" + song + " - " + (i == 5 ? QString("Old Artist") : "Artist " + two(i)) + ".mp3", audio);
    expected[song + " - Artist " + two(i) + ".mp3"] = hashOf(audio);
  }
  fill(lines);
  press(window.Option4);  // Song - Artist
  EXPECT_EQ(renameFiles(window.Command1), "1 mp3 file has been renamed after disc ZX1001's track");
  EXPECT_EQ(contentsOf(folder), expected);

  // The song corrected since to "Catch 22": the name "Catch-22 - Artist 05" is that song's, not
  // track 22 of a disc "Catch".
  lines[4] = item(5, "CATCH 22", "ARTIST 05");
  window.List3.Clear();
  window.List3.addItems(lines);
  expected["Catch 22 - Artist 05.mp3"] = expected.take("Catch-22 - Artist 05.mp3");
  EXPECT_EQ(renameFiles(window.Command1), "1 mp3 file has been renamed after disc ZX1001's track");
  EXPECT_EQ(contentsOf(folder), expected);

  // Titles and artists that end in a number no track has, and rippers' names whose first part
  // ends in a track's number, each in a name that fits its track with one field corrected.
  for (const QString& name : filesIn(folder)) ASSERT_TRUE(QFile::remove(folder + "/" + name));
  const QString probes[4][2] = {{"Sum-41 - In Too Deep", "In Too Deep - Sum 41"},
                                {"Route-66 - Nat King Cole", "Route 66 - Nat King Cole"},
                                {"CD1-03 - a", "Song 03 - A"},
                                {"Track-04 - B", "B - Artist 04"}};
  expected.clear();
  for (const auto& [from, to] : probes) {
    home.writeBytes("audio/" + from + ".mp3", "audio of " + from.toLatin1());
    expected[to + ".mp3"] = hashOf("audio of " + from.toLatin1());
  }
  window.File1.Refresh();
  window.List3.Clear();
  window.List3.addItems(
      {item(1, "IN TOO DEEP", "SUM 41"), item(2, "ROUTE 66", "NAT KING COLE"), item(3, {}, "A"), item(4, "B")});
  EXPECT_EQ(renameFiles(window.Command1), renamed("4 mp3 files"));
  EXPECT_EQ(contentsOf(folder), expected);
}

TEST_F(RenameWindowTest, RenameFilesTakesMp3AndCdgFilesOnlyInPairsThatShareAName) {
  for (const QString name : {"x1.mp3", "x2.mp3", "x3.mp3", "y1.cdg", "y2.cdg", "y3.cdg"})
    home.writeBytes("audio/" + name, name.toLatin1());
  auto start = contentsOf(folder);
  fill(items(6));  // the type box lists every file: "*"
  EXPECT_EQ(renameFiles(window.Command1),
            "The files listed are mp3 and cdg files, and the files x1.mp3, x2.mp3, x3.mp3, y1.cdg, y2.cdg and y3.cdg "
            "share their names with no file of the other type: which tracks they are cannot be told.\r"
            "No file has been renamed.\rTo rename them, choose one type of file, or press Auto Rename CDG and MP3.");
  EXPECT_EQ(contentsOf(folder), start);

  // Pairs that share a name are each one track's.
  for (const QString& name : filesIn(folder)) ASSERT_TRUE(QFile::remove(folder + "/" + name));
  distinctFiles("mp3", 3);
  distinctFiles("cdg", 3);
  start = contentsOf(folder);
  window.File1.Refresh();
  window.List3.Clear();
  window.List3.addItems(items(3));
  EXPECT_EQ(renameFiles(window.Command1), renamed("3 mp3 and 3 cdg files") + kNoTitle);
  QMap<QString, QByteArray> expected;
  for (int i = 1; i <= 3; ++i)
    for (const QString ext : {"mp3", "cdg"})
      expected["ZX1001-" + two(i) + " - Artist " + two(i) + " - Song " + two(i) + "." + ext] =
          start["t" + QString::number(i) + "." + ext];
  EXPECT_EQ(contentsOf(folder), expected);

  // A file of another type is one more file for the count, and no unpaired mp3 or cdg file.
  home.writeBytes("audio/notes.txt", "notes");
  window.File1.Refresh();
  expected = contentsOf(folder);
  EXPECT_EQ(renameFiles(window.Command1), "3 --->>> 4");
  for (const QString ext : {"mp3", "cdg"})
    ASSERT_TRUE(QFile::remove(folder + "/ZX1001-03 - Artist 03 - Song 03." + ext));
  window.File1.Refresh();
  expected = contentsOf(folder);
  EXPECT_EQ(renameFiles(window.Command1), "3 --->>> 2");
  EXPECT_EQ(contentsOf(folder), expected);
}

TEST_F(RenameWindowTest, AutoRenameMovesNoMp3FileWithoutItsCdgFile) {
  for (const QString name : {"a.mp3", "b.mp3", "c.mp3", "a.cdg", "b.cdg"})
    home.writeBytes("audio/" + name, name.toLatin1());
  auto start = contentsOf(folder);
  fill({maintenance::renameListItem("CHN01", "01", "ONE", "X"), maintenance::renameListItem("CHN01", "02", "TWO", "X"),
        maintenance::renameListItem("CHN01", "03", "THREE", "X")});
  // Too few cdg files to be renamed with the mp3 files.
  EXPECT_EQ(renameFiles(window.Command3),
            "The files a.mp3 and a.cdg share a name, but only a.mp3 would be renamed: the cdg files are not as many "
            "as the tracks.\rNo file has been renamed.");
  EXPECT_EQ(contentsOf(folder), start);

  // CHN01-01.cdg is track 01 while a.mp3 would be by place.
  home.writeBytes("audio/CHN01-01.cdg", "CHN01-01.cdg");
  start = contentsOf(folder);
  EXPECT_EQ(renameFiles(window.Command3),
            "The files a.mp3 and a.cdg share a name but would get the names of tracks 01 and 02: which track they "
            "are cannot be told.\rNo file has been renamed.");
  EXPECT_EQ(contentsOf(folder), start);
}

TEST_F(RenameWindowTest, ANewNameMayHave255BytesAndNoMore) {
  const QString ext = "." + QString(246, 'x');  // after "ZX1001-01": 256 bytes
  home.writeBytes("audio/a" + ext, "audio");
  fill({item(1)});
  press(window.Option7);
  EXPECT_EQ(renameFiles(window.Command1), "The name \"ZX1001-01" + ext + "\" for the file a" + ext +
                                              " (track 01) cannot be given: it is longer than a file name may be.\r"
                                              "No file has been renamed.");
  EXPECT_EQ(contentsOf(folder), (QMap<QString, QByteArray>{{"a" + ext, hashOf("audio")}}));

  ASSERT_TRUE(QFile::rename(folder + "/a" + ext, folder + "/a" + ext.chopped(1)));
  window.File1.Refresh();
  EXPECT_EQ(renameFiles(window.Command1),
            "1 file has been renamed after disc ZX1001's track; its name held no title: check it is this disc's");
  EXPECT_EQ(contentsOf(folder), (QMap<QString, QByteArray>{{"ZX1001-01" + ext.chopped(1), hashOf("audio")}}));
}

TEST_F(RenameWindowTest, AStopPartWayGivesTheSystemsReasonAndTheFilesThatHaveTheirNewNames) {
  distinctFiles("mp3", 12);
  fill(items(12));
  press(window.Option7);
  // Another program takes a listed file away once the renames have begun.
  platform::refuseRenameWay = [&](int) {
    QFile::remove(folder + "/t2.mp3");
    return 0;
  };
  struct Restore {
    ~Restore() { platform::refuseRenameWay = nullptr; }
  } restore;
  auto expected = contentsOf(folder);
  expected.remove("t2.mp3");
  EXPECT_EQ(renameFiles(window.Command1),
            "The file t2.mp3 could not be renamed to ZX1001-02.mp3: No such file or directory.\r"
            "4 of 12 files have their new names; the others keep their old names.");
  // t1, t10, t11 and t12 come before t2 in the list.
  for (const int i : {1, 10, 11, 12})
    expected["ZX1001-" + two(i) + ".mp3"] = expected.take("t" + QString::number(i) + ".mp3");
  EXPECT_EQ(contentsOf(folder), expected);
}

TEST_F(RenameWindowTest, ADiskWithoutSafeRenamesTakesAPlainRenameIntoAFreeNameOnly) {
  // A disk like exFAT through FUSE: it knows neither the rename that refuses to replace nor a
  // second link to a file, and refuses each as such a disk does.
  std::function<void()> meanwhile;
  int error = EPERM;
  platform::refuseRenameWay = [&](int way) {
    if (way == 2) return error;
    if (meanwhile) meanwhile();
    return EINVAL;
  };
  struct Restore {
    ~Restore() { platform::refuseRenameWay = nullptr; }
  } restore;
  distinctFiles("mp3", 12);
  fill(items(12));
  press(window.Option7);
  auto expected = contentsOf(folder);
  EXPECT_EQ(renameFiles(window.Command1), renamed("12 mp3 files") + kNoTitle);
  for (int i = 1; i <= 12; ++i)
    expected["ZX1001-" + two(i) + ".mp3"] = expected.take("t" + QString::number(i) + ".mp3");
  EXPECT_EQ(contentsOf(folder), expected);

  // Another program gives a file the third new name after the names were checked: that file is
  // kept and the rename stops there.
  int moves = 0;
  meanwhile = [&] {
    if (++moves == 3) home.writeBytes("audio/ZX1001-03 - Song 03.mp3", "another program's");
  };
  press(window.Option8);
  EXPECT_EQ(renameFiles(window.Command1),
            "The file ZX1001-03.mp3 could not be renamed to ZX1001-03 - Song 03.mp3: File exists.\r"
            "2 of 12 files have their new names; the others keep their old names.");
  for (const int i : {1, 2})
    expected["ZX1001-" + two(i) + " - Song " + two(i) + ".mp3"] = expected.take("ZX1001-" + two(i) + ".mp3");
  expected["ZX1001-03 - Song 03.mp3"] = hashOf("another program's");
  EXPECT_EQ(contentsOf(folder), expected);

  // A link refused for a real reason is no sign of such a disk: the file keeps its name.
  ASSERT_TRUE(QFile::remove(folder + "/ZX1001-03 - Song 03.mp3"));
  expected.remove("ZX1001-03 - Song 03.mp3");
  meanwhile = nullptr;
  error = EIO;
  window.File1.Refresh();
  EXPECT_EQ(renameFiles(window.Command1),
            "The file ZX1001-03.mp3 could not be renamed to ZX1001-03 - Song 03.mp3: Input/output error.\r"
            "2 of 12 files have their new names; the others keep their old names.");
  EXPECT_EQ(contentsOf(folder), expected);
}

TEST_F(RenameWindowTest, AFileWhoseNameIsNotUtf8IsListedAndRenamed) {
  distinctFiles("mp3", 11);
  std::ofstream(QFile::encodeName(folder).toStdString() + "/Caf\xe9.mp3", std::ios::binary) << "old name";
  const auto start = contentsOf(folder);
  QStringList lines = items(12);
  lines[0] = item(1, QStringLiteral("CAF\u00c9"));  // the name is the song's
  fill(lines);
  EXPECT_EQ(window.File1.List(0), QStringLiteral("Caf\u00e9.mp3"));
  press(window.Option7);
  EXPECT_EQ(renameFiles(window.Command1),
            renamed("12 mp3 files") + "; the names of 11 of them held no title: check they are this disc's");
  QMap<QString, QByteArray> expected = {{"ZX1001-01.mp3", hashOf("old name")}};
  for (int i = 1; i <= 11; ++i) expected["ZX1001-" + two(i + 1) + ".mp3"] = start["t" + QString::number(i) + ".mp3"];
  EXPECT_EQ(contentsOf(folder), expected);
}

class RenameCommandTest : public MainWindowTest {};

TEST_F(RenameCommandTest, TheRenamerGetsTheHighlightedDiscsTracksInTrackOrder) {
  home.writeDiscs({"ZX1001", "AB200"});
  home.writeTracks({"ZX1001,03,THIRD,ARTIST C", "AB200,01,OTHER DISC,X", "ZX1001,01,FIRST," + QString(35, 'A'),
                    "zx1001,04,LOWER CASE CODE,X", "ZX1001,02," + QString(40, 'S') + ",ARTIST B",
                    "ZX1001,02,SECOND AGAIN,ARTIST B"});
  home.writeBytes("watka.bxl", home.readBytes("watka.bxl") + "\"ZX1001X\",\"05\",\"LONGER CODE\",\"X\"\r\n");
  Form1& f = start();
  f.List1.setListIndex(row("ZX1001"));
  QStringList seen, held;
  maintenance::OtherDiscsTracks songs;
  QString heading;
  prompts.onModal([&](platform::FormBase& window) {
    auto& w = static_cast<File_Rename&>(window);
    seen = w.List3.items();
    held = w.heldDiscs;
    songs = w.otherDiscsSongs({"other disc", "first"});  // FIRST is the disc's own
    heading = w.Label1.Caption();
    EXPECT_TRUE(w.List3.Visible());
  });
  choose(f.mnuRename_Files);
  const QStringList expected = {
      maintenance::renameListItem("ZX1001", "01", "FIRST", QString(30, 'A')),
      maintenance::renameListItem("ZX1001", "02", "SECOND AGAIN", "ARTIST B"),
      maintenance::renameListItem("ZX1001", "02", QString(36, 'S'), "ARTIST B"),
      maintenance::renameListItem("ZX1001", "03", "THIRD", "ARTIST C"),
  };
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(held, (QStringList{"AB200", "ZX1001"}));  // a file of another disc is that disc's
  EXPECT_EQ(songs, (maintenance::OtherDiscsTracks{{"other disc", {{"AB200", "01", "X"}}}}));
  EXPECT_EQ(heading, "Disc Listing for ZX1001");
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 0");
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_FALSE(File_Rename::isInstanceLoaded());

  // A reference number after the code changes nothing.
  f.List1.setList(row("ZX1001"), "ZX1001     0012");
  f.List1.setListIndex(row("ZX1001"));
  prompts.onModal([&](platform::FormBase& window) {
    seen = static_cast<File_Rename&>(window).List3.items();
    heading = static_cast<File_Rename&>(window).Label1.Caption();
  });
  choose(f.mnuRename_Files);
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(heading, "Disc Listing for ZX1001     0012");
}

// A code of 12 characters (only an update file makes one): the renamer names the files from the
// disc's own tracks and its whole code, not from those of the disc of its first 11 characters.
TEST_F(RenameCommandTest, ACodeLongerThanElevenCharactersGivesOnlyItsOwnTracks) {
  home.writeLines("watdi.bxl", {"\"LONGCODE12AB\"", testsupport::discLine("LONGCODE12A")});
  home.writeLines("watka.bxl", {"\"LONGCODE12AB\",\"01\",\"OWN SONG\",\"X\"",
                                testsupport::trackLine("LONGCODE12A", "01", "TWIN SONG", "Y")});
  Form1& f = start();
  f.List1.setListIndex(row("LONGCODE12AB"));
  QStringList seen;
  prompts.onModal([&](platform::FormBase& window) { seen = static_cast<File_Rename&>(window).List3.items(); });
  choose(f.mnuRename_Files);
  EXPECT_EQ(seen, QStringList{maintenance::renameListItem("LONGCODE12AB", "01", "OWN SONG", "X")});
}

TEST_F(RenameCommandTest, TheProgressBarStepsOncePerHundredEstimatedRecords) {
  QStringList records;
  for (int i = 0; i < 300; ++i) records << QString("ZX1001,%1,SONG,ARTIST").arg(i % 98 + 1, 2, 10, QChar('0'));
  home.writeDiscs({"ZX1001"});
  home.writeTracks(records);
  ASSERT_EQ(home.readBytes("watka.bxl").size(), 27600);
  Form1& f = start();
  f.List1.setListIndex(row("ZX1001"));
  int listed = 0;
  prompts.onModal([&](platform::FormBase& window) { listed = static_cast<File_Rename&>(window).List3.ListCount(); });
  choose(f.mnuRename_Files);
  EXPECT_EQ(listed, 300);
  EXPECT_EQ(f.ProgressBar1.Max(), 3);
  EXPECT_EQ(f.ProgressBar1.Value(), 0);

  home.writeTracks({"ZX1001,01,A,B", "ZX1001,02,C,D"});  // 184 bytes: the estimate counts as 100
  prompts.onModal([](platform::FormBase&) {});
  choose(f.mnuRename_Files);
  EXPECT_EQ(f.ProgressBar1.Max(), 1);
}

// An unreadable track file is told as the listing ends, the frame gone, before the window opens.
TEST_F(RenameCommandTest, AnUnreadableTrackFileIsToldBeforeTheEmptyListing) {
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  QFile::remove(home.path("watka.bxl"));
  bool frameShown = true;
  int listed = -1;
  prompts.answerMsg(OK, [&] { frameShown = f.Frame1.Visible(); }).onModal([&](platform::FormBase& window) {
    listed = static_cast<File_Rename&>(window).List3.ListCount();
  });
  prompts.answerMsg(OK);  // the main window's own word on the file as it is active again
  choose(f.mnuRename_Files);
  const auto told = prompts.expectCalls("msgBox", 2);
  EXPECT_EQ(told[0].text, "The database file " + home.path("watka.bxl") + " cannot be read.");
  EXPECT_EQ(told[0].title, "Rename Files");
  EXPECT_FALSE(frameShown);
  EXPECT_EQ(listed, 0);
}

TEST_F(RenameWindowTest, EveryButtonReachesItsHandler) {
  fill(items(2));
  window.Show();
  EXPECT_EQ(testsupport::buttonsNotWired(window.window(),
                                         {&window.cmdBrowse, &window.Command1, &window.Command2, &window.Command3}),
            "");
}

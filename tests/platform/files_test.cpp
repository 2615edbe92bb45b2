// Text files: Windows-1252 both ways, line ends, and replacing a file only when complete.
#include "platform/core/files.h"
#include "ordinary_user.h"
#include "platform/core/cp1252.h"
#include "platform/core/text_file.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

using namespace platform;

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(char(b));
  const QString text = cp1252::decode(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0x80], QChar(0x20AC));  // euro sign
  EXPECT_EQ(text[0xE9], QChar(0xE9));    // é
  EXPECT_EQ(cp1252::encode(text), all);
  EXPECT_EQ(cp1252::encode(QStringLiteral("\u4e2d")), QByteArray("?"));
}

TEST(Cp1252, CaseChangesOneCharacterForOne) {
  EXPECT_EQ(cp1252::upper(QChar(0xE9)), QChar(0xC9));      // é -> É
  EXPECT_EQ(cp1252::upper(QChar(0xDF)), QChar(0xDF));      // ß has no one-character capital
  EXPECT_EQ(cp1252::upper(QChar(0x0161)), QChar(0x0160));  // š -> Š
  EXPECT_EQ(cp1252::upper(QChar(0xFF)), QChar(0x0178));    // ÿ -> Ÿ
  EXPECT_EQ(cp1252::lower(QChar(0xD7)), QChar(0xD7));      // × is no letter
  EXPECT_EQ(cp1252::upper(QChar(0xF7)), QChar(0xF7));      // ÷ neither
}

TEST(TextFile, ReadsCrLfAndLfAndKeepsALastLineWithoutEnd) {
  EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\nc")), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(splitLines(QStringLiteral("a\r\n\r\n")), (QStringList{"a", ""}));
  EXPECT_EQ(splitLines(QString()), QStringList{});
  // A file converted to CR LF twice: any run of CRs before an LF is one line end, while CRs
  // followed by anything else each end a line.
  EXPECT_EQ(splitLines(QStringLiteral("a\r\r\nb\r\r\r\nc\r\r\n")), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(splitLines(QStringLiteral("a\r\rb\r\r")), (QStringList{"a", "", "b", ""}));
  EXPECT_EQ(joinLines({"x", ""}), QStringLiteral("x\r\n\r\n"));
  // Long lines, read many characters at a time: each kind of line end at every place, the bytes
  // of a database file split as its text is.
  const QString b(37, QLatin1Char('y'));
  for (int at = 0; at < 40; ++at) {
    const QString a(at, QLatin1Char('x'));
    for (const char* end : {"\r\n", "\n", "\r", "\r\r\n"}) {
      const QString text = a + QLatin1String(end) + b + QLatin1Char('\r') + b;
      EXPECT_EQ(splitLines(text), (QStringList{a, b, b})) << at << end;
      const QByteArray bytes = text.toLatin1();
      QStringList byteLines;
      forEachLine(bytes.constData(), bytes.size(), [&](qsizetype s, qsizetype e) {
        byteLines << QString::fromLatin1(bytes.mid(s, e - s));
        return true;
      });
      EXPECT_EQ(byteLines, (QStringList{a, b, b})) << at << end;
    }
  }
}

TEST(TextFile, WritesWindows1252WithCrLf) {
  testsupport::TempHome home;
  ASSERT_TRUE(replaceFile(home.path("a.txt"), joinLines({QStringLiteral("caf\u00e9"), "\u20ac"})));
  EXPECT_EQ(home.readBytes("a.txt"), QByteArray("caf\xe9\r\n\x80\r\n"));
  auto lines = readLines(home.path("a.txt"));
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->at(0), QStringLiteral("caf\u00e9"));
  EXPECT_FALSE(readLines(home.path("missing.txt")));
}

TEST(TextFile, FailedReplaceLeavesTheOriginalWhole) {
  testsupport::TempHome home;
  home.writeBytes("db.txt", "original\r\n");
  // A read-only file is refused and reported as such.
  QFile::setPermissions(home.path("db.txt"), QFileDevice::ReadOwner);
  {
    testsupport::OrdinaryUser user(home.path());
    ASSERT_FALSE(QFileInfo(home.path("db.txt")).isWritable());
    const WriteResult r = replaceFile(home.path("db.txt"), QStringLiteral("new"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.readOnly);
  }
  EXPECT_EQ(home.readBytes("db.txt"), QByteArray("original\r\n"));
}

TEST(TextFile, AWriteThatFailsHalfwayLeavesTheOriginalWhole) {
  testsupport::TempHome home;
  home.writeBytes("watka.bxl", "original\r\n");
  // Files may grow no larger than 1 KiB while the scratch file is written: the write fails
  // part of the way through, as it does on a full disc.
  struct rlimit before {};
  getrlimit(RLIMIT_FSIZE, &before);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = before;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const WriteResult r = replaceFile(home.path("watka.bxl"), QString(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &before);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.isEmpty());
  EXPECT_EQ(home.readBytes("watka.bxl"), QByteArray("original\r\n"));
  EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList{"watka.bxl"});
}

TEST(TextFile, ReplaceIntoAFolderNameFailsAndNoScratchFileIsLeft) {
  testsupport::TempHome home;
  QDir(home.path()).mkdir("sub");
  const WriteResult r = replaceFile(home.path("sub"), QStringLiteral("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.readOnly);
  EXPECT_EQ(QDir(home.path()).entryList(QDir::Files).size(), 0);
}

TEST(TextFile, ReplaceSwapsInTheCompleteFile) {
  testsupport::TempHome home;
  home.writeBytes("db.txt", "old\r\n");
  ASSERT_TRUE(replaceFile(home.path("db.txt"), QStringLiteral("new\r\n")));
  EXPECT_EQ(home.readBytes("db.txt"), QByteArray("new\r\n"));
  EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList{"db.txt"});
}

TEST(ProgramFolder, FollowsMellowdexHomeAndEndsWithASeparator) {
  testsupport::TempHome home;
  EXPECT_EQ(programFolder(), home.path());
  EXPECT_TRUE(programFolder().endsWith('/'));
  EXPECT_EQ(programFile("watdi.bxl"), home.path("watdi.bxl"));
  EXPECT_EQ(joinPath("/a", "b"), "/a/b");
  EXPECT_EQ(joinPath("/a/", "b"), "/a/b");
}

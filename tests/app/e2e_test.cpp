// The real program, started under the offscreen platform in a temporary program folder.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QProcess* startProgram(const QTemporaryDir& home, const QStringList& args) {
  auto* p = new QProcess;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("MELLOWDEX_HOME", home.path());
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("MELLOWDEX_CLOSE_AFTER_MS", "300");
  p->setProcessEnvironment(env);
  p->start(QStringLiteral(MELLOWDEX_EXE), args);
  return p;
}

void copyDemo(const QTemporaryDir& home) {
  const QDir demo(QStringLiteral(MELLOWDEX_DEMO_DIR));
  for (const QString& name : demo.entryList(QDir::Files)) QFile::copy(demo.filePath(name), home.filePath(name));
}

}  // namespace

TEST(Program, StartsOnTheDemoDatabaseAndClosesCleanly) {
  QTemporaryDir home;
  copyDemo(home);
  std::unique_ptr<QProcess> p(startProgram(home, {}));
  ASSERT_TRUE(p->waitForStarted(10000));
  ASSERT_TRUE(p->waitForFinished(30000)) << "the program did not close";
  EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
  QFile ini(home.filePath("mellowdex.ini"));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(), QByteArray("-2147483643\r\n0\r\n-2147483643\r\n0\r\n"));
  // The database files are the user's: shutdown leaves them as they were.
  QFile demo(QStringLiteral(MELLOWDEX_DEMO_DIR "/watka.bxl")), copy(home.filePath("watka.bxl"));
  ASSERT_TRUE(demo.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(demo.readAll(), copy.readAll());
}

TEST(Program, OpensASavedListNamedOnTheCommandLineAndClosesCleanly) {
  QTemporaryDir home;
  copyDemo(home);
  const QString list = home.filePath("My Party.mdq");
  QFile f(list);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(
      "\"MELLOWDEX CD SELECTION FILE2\"\r\n\"Party\"\r\n\"ARTIST\"\r\n\"MF TRUE\"\r\n\"REF FALSE\"\r\n"
      "\"DUP FALSE\"\r\n\"MDX1001    \"\r\n\"" +
      QByteArray(58, '-') + "\"\r\n");
  f.close();
  // The save question at closing is answered No.
  std::unique_ptr<QProcess> p(startProgram(home, {"\"" + list + "\""}));
  ASSERT_TRUE(p->waitForFinished(30000));
  EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
  QStringList mdq = QDir(home.path()).entryList({"*.mdq"});
  EXPECT_EQ(mdq, QStringList{"My Party.mdq"});
}

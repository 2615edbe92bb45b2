// The disc catalogue drop-down: its rows, the code each row types, and how choosing a row moves
// the disc list.
#include "../mainwindow/main_window_fixture.h"

#include "catalogue/disc_catalogue_rows.h"
#include "platform/sorted_list_model.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using catalogue::catalogueRows;
using catalogue::catalogueRowText;
using catalogue::firstDiscCodeFor;

namespace {
const QString kPrompt = "CLICK THIS DROP DOWN LIST TO FIND DISC CODES";
}

TEST(DiscCatalogue, EveryRowHasTheNameDotsAndPrefixShape) {
  ASSERT_EQ(catalogueRows().size(), 548u);
  const QRegularExpression name("^[A-Za-z0-9 &'()+-]{3,37}$");
  const QRegularExpression prefix("^[A-Z0-9-]{1,8}$");
  const QRegularExpression code("^[A-Z0-9-]{0,10}$");
  QSet<QString> texts;
  for (const auto& row : catalogueRows()) {
    const QString text = catalogueRowText(row);
    SCOPED_TRACE(text.toStdString());
    EXPECT_TRUE(name.match(QString::fromLatin1(row.name)).hasMatch());
    EXPECT_TRUE(prefix.match(QString::fromLatin1(row.prefix)).hasMatch());
    EXPECT_TRUE(code.match(QString::fromLatin1(row.firstDisc)).hasMatch());
    EXPECT_GE(text.size(), 39);
    EXPECT_LE(text.size(), 46);
    EXPECT_EQ(text[37], '.');  // the dots end in column 38
    EXPECT_EQ(text.mid(38), QString::fromLatin1(row.prefix));
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), 548);
}

TEST(DiscCatalogue, CodesFollowTheirPrefixesWithAFewExceptions) {
  int unchanged = 0, extended = 0, other = 0, none = 0;
  QSet<QString> codes;
  for (const auto& row : catalogueRows()) {
    const QString p = QString::fromLatin1(row.prefix), c = QString::fromLatin1(row.firstDisc);
    if (c.isEmpty()) ++none;
    else if (c == p) ++unchanged;
    else if (c.startsWith(p) && c.size() - p.size() <= 5) ++extended;
    else ++other;
    if (!c.isEmpty()) codes.insert(c);
  }
  EXPECT_EQ(unchanged, 407);
  EXPECT_EQ(extended, 131);
  EXPECT_EQ(other, 7);
  EXPECT_EQ(none, 3);
  EXPECT_EQ(codes.size(), 530);
}

TEST(DiscCatalogue, ARowTypesItsOwnCodeOnlyForItsExactText) {
  EXPECT_EQ(firstDiscCodeFor("SUPERTRAX 10 DISC SET.................CDX"), "CDX0001");
  EXPECT_EQ(firstDiscCodeFor("NIKKADO SAVC..........................SAVC"), "SAVC");
  EXPECT_EQ(firstDiscCodeFor("TAVREL................................A"), "A");
  EXPECT_EQ(firstDiscCodeFor("NOW AND THEN VOL 10 DVD...............STTW1187"), "STTW1187");
  EXPECT_EQ(firstDiscCodeFor("CHARTBUSTER ESSENTIAL PLUS 483........CBEP83"), "CBEP483");
  EXPECT_EQ(firstDiscCodeFor("CHARTBUSTER ESSENTIAL PLUS 457........CBEP57"), "CBEP457");
  EXPECT_EQ(firstDiscCodeFor("CHARTBUSTER ESSENTIAL PLUS 451........CBEP51"), "CBEP51");
  EXPECT_EQ(firstDiscCodeFor("MASTERMIX POP IDOL CDG VOL 1..........PI0006"), "PI0004");
  EXPECT_EQ(firstDiscCodeFor("SUNFLY DVD XMAS.......................SFDVXM"), "SFDVDXM");
  // Rows without a code, and texts that are no row.
  EXPECT_EQ(firstDiscCodeFor("MASTERMIX POP IDOL CDG VOL 2..........PI0005"), "");
  EXPECT_EQ(firstDiscCodeFor("MASTERMIX POP IDOL CDG VOL 3..........PI0004"), "");
  EXPECT_EQ(firstDiscCodeFor("supertrax 10 disc set.................cdx"), "");
  EXPECT_EQ(firstDiscCodeFor("SUPERTRAX 10 DISC SET.................CDX "), "");
  EXPECT_EQ(firstDiscCodeFor("CDX"), "");
  EXPECT_EQ(firstDiscCodeFor(kPrompt), "");
}

class DiscCatalogueTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    home.writeDiscs({"A1000", "AB&C1", "CBEP48", "CBEP483", "CBEP51", "CDW0099", "CDX0001", "CDX0002", "PI0004",
                     "SC8123"});
  }
  Form1& startFocused() {
    Form1& f = start();
    QApplication::setActiveWindow(f.window());
    f.Combo1.SetFocus();
    QCoreApplication::processEvents();
    return f;
  }
  // Chooses a row as the user does, with the drop-down holding the focus.
  void choose(const QString& text) {
    Form1& f = *form;
    if (!f.Combo1.hasFocus()) {
      f.Combo1.SetFocus();
      QCoreApplication::processEvents();
    }
    for (int i = 0; i < f.Combo1.ListCount(); ++i)
      if (f.Combo1.List(i) == text) {
        f.Combo1.setListIndex(i);
        return;
      }
    ADD_FAILURE() << "no row " << text.toStdString();
  }
  QString highlighted() const { return form->List1.Text(); }
};

TEST_F(DiscCatalogueTest, TheDropDownHoldsEveryRowSortedUnderItsPrompt) {
  Form1& f = start();
  EXPECT_EQ(f.Combo1.Text(), kPrompt);
  ASSERT_EQ(f.Combo1.ListCount(), 548);
  for (int i = 1; i < f.Combo1.ListCount(); ++i)
    EXPECT_LE(platform::sortKey(f.Combo1.List(i - 1)), platform::sortKey(f.Combo1.List(i))) << i;
  EXPECT_EQ(f.Combo1.List(0).left(1), "A");
  EXPECT_TRUE(f.Combo1.font().fixedPitch() || f.Combo1.font().styleHint() == QFont::TypeWriter);
}

TEST_F(DiscCatalogueTest, ChoosingARowHighlightsItsFirstDiscAndTicksNothing) {
  Form1& f = startFocused();
  choose("SUPERTRAX 10 DISC SET.................CDX");
  EXPECT_TRUE(f.List1.hasFocus());
  EXPECT_EQ(highlighted(), "CDX0001    ");
  // The chosen row stands until the focus loss is handled, after the choice.
  EXPECT_EQ(f.Combo1.Text(), "SUPERTRAX 10 DISC SET.................CDX");
  QCoreApplication::processEvents();
  EXPECT_EQ(f.Combo1.Text(), kPrompt);
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Label1.Caption(), "Discs   = 0");

  choose("CHARTBUSTER ESSENTIAL PLUS 483........CBEP83");
  EXPECT_EQ(highlighted(), "CBEP483    ");
  QCoreApplication::processEvents();
  choose("CHARTBUSTER ESSENTIAL PLUS 451........CBEP51");
  EXPECT_EQ(highlighted(), "CBEP51     ");
  QCoreApplication::processEvents();
  choose("TAVREL................................A");
  EXPECT_EQ(highlighted(), "A1000      ");
  QCoreApplication::processEvents();
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(DiscCatalogueTest, ARowWithoutACodeOnlyMovesTheFocus) {
  Form1& f = startFocused();
  f.List1.setListIndex(row("SC8123"));
  f.Combo1.SetFocus();
  QCoreApplication::processEvents();
  choose("MASTERMIX POP IDOL CDG VOL 2..........PI0005");
  EXPECT_TRUE(f.List1.hasFocus());
  EXPECT_EQ(highlighted(), "SC8123     ");
  QCoreApplication::processEvents();
  EXPECT_EQ(f.Combo1.Text(), kPrompt);
}

TEST_F(DiscCatalogueTest, TypedTextStartsNoLookupAndGivesWayToThePromptButArrowsChoose) {
  Form1& f = startFocused();
  f.List1.setListIndex(row("SC8123"));
  f.Combo1.SetFocus();
  QCoreApplication::processEvents();
  static_cast<QComboBox*>(f.Combo1.widget())->lineEdit()->clear();
  QTest::keyClicks(QApplication::focusWidget(), "CDX");
  EXPECT_EQ(f.Combo1.Text(), "CDX");
  EXPECT_EQ(highlighted(), "SC8123     ");
  EXPECT_TRUE(f.Combo1.hasFocus());
  f.List1.SetFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(f.Combo1.Text(), kPrompt);
  EXPECT_EQ(highlighted(), "SC8123     ");

  // An arrow key chooses the row above the last chosen one, as a click on it does.
  choose("CHARTBUSTER ESSENTIAL PLUS 452........CBEP52");
  QCoreApplication::processEvents();
  f.Combo1.SetFocus();
  QCoreApplication::processEvents();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  EXPECT_TRUE(f.List1.hasFocus());
  EXPECT_EQ(highlighted(), "CBEP51     ");
}

TEST_F(DiscCatalogueTest, ClearPutsThePromptBack) {
  Form1& f = start();
  f.Combo1.setText("SUPERTRAX 10 DISC SET.................CDX");
  f.cmdUntag_Click();
  EXPECT_EQ(f.Combo1.Text(), kPrompt);
}

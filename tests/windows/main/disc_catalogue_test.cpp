// The disc catalogue drop-down: how choosing a row moves the disc list.
#include "main_window_fixture.h"

#include "platform/core/sorted_list_model.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QTest>

namespace {
const QString kPrompt = "CLICK THIS DROP DOWN LIST TO FIND DISC CODES";
}

class DiscCatalogueTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    home.writeDiscs(
        {"A1000", "AB&C1", "CBEP48", "CBEP483", "CBEP51", "CDW0099", "CDX0001", "CDX0002", "PI0004", "SC8123"});
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
  // The fields show their text in the rows' fixed-pitch face, as the search box does.
  for (platform::ComboBox* c : {&f.Combo1, &f.cmbSearch_text}) {
    const QLineEdit* field = static_cast<QComboBox*>(c->widget())->lineEdit();
    EXPECT_TRUE(QFontInfo(field->font()).fixedPitch()) << c->name().toStdString();
  }
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
  press(f.cmdUntag);
  EXPECT_EQ(f.Combo1.Text(), kPrompt);
}

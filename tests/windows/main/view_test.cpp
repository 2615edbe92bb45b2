// The View menu and the list colours: colour choices, capitals, hiding vocal tracks, full size.
#include "main_window_fixture.h"

#include "platform/core/colours.h"
#include "platform/ui/prompts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QListView>
#include <QTest>

using platform::msg::OK;

namespace {
constexpr qint32 kRed = 0x0000FF;
constexpr qint32 kYellow = 0x00FFFF;
constexpr qint32 kGreen = 0x00FF00;
}  // namespace

class ViewTest : public MainWindowTest {
 protected:
  // A song list of every disc in the fixture's database.
  Form1& started() {
    Form1& f = start();
    for (const char* code : {"SC8123", "MDX1001", "zk101", "PK-0042"}) tick(code);
    press(f.cmdGet_Tracks);
    return f;
  }
};

TEST_F(ViewTest, ColourChoicesReachTheWholeGroupOfTheirList) {
  Form1& f = start();
  prompts.answerColour(kRed).answerColour(kYellow);
  choose(f.mnuL1BackColor);
  choose(f.mnuL2ForeColor);
  EXPECT_EQ(f.List1.BackColor(), kRed);
  EXPECT_EQ(f.Combo1.BackColor(), kRed);
  for (platform::Control* c :
       std::initializer_list<platform::Control*>{&f.List2, &f.Text1, &f.cmbSearch, &f.cmbSearch_text})
    EXPECT_EQ(c->ForeColor(), kYellow) << c->name().toStdString();
  // Each list keeps its other colour, and the other list is untouched.
  EXPECT_EQ(f.List1.ForeColor(), 0);
  EXPECT_EQ(f.List2.BackColor(), platform::kSystemWindowBackground);
  EXPECT_EQ(f.Combo1.ForeColor(), 0);
  // The dialog starts from the colour being changed.
  const auto dialogs = prompts.expectCalls("chooseColour", 2);
  EXPECT_EQ(dialogs[0].text, QString::number(platform::kSystemWindowBackground));
  EXPECT_EQ(dialogs[1].text, "0");

  // The drop-downs show their pair, the pick-only target box on its face too, after a resize.
  prompts.answerColour(kGreen);
  choose(f.mnuL2BackColor);
  f.window()->resize(f.window()->size() + QSize(40, 30));
  QCoreApplication::processEvents();
  const auto shown = [](platform::Control& c) {
    QWidget* w = c.widget();
    return w->grab().toImage().pixelColor(w->width() / 2, 4);
  };
  EXPECT_EQ(shown(f.Combo1), QColor(Qt::red));
  EXPECT_EQ(shown(f.cmbSearch_text), QColor(Qt::green));
  EXPECT_EQ(shown(f.cmbSearch), QColor(Qt::green));
}

// The target box takes the song list's text colour while enabled, and greys its text while
// disabled (no search text), as a disabled box does.
TEST_F(ViewTest, TheDisabledTargetBoxLooksDisabledInTheListColours) {
  Form1& f = start();
  const auto darkest = [&] {
    const QImage shot = f.cmbSearch.widget()->grab().toImage();
    int least = 255;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width() * 2 / 3; ++x) least = std::min(least, qGray(shot.pixel(x, y)));
    return least;
  };
  ASSERT_FALSE(f.cmbSearch.Enabled());
  EXPECT_GT(darkest(), 60);  // grey text, not the list's black
  QTest::keyClicks(f.cmbSearch_text.widget(), "x");
  ASSERT_TRUE(f.cmbSearch.Enabled());
  EXPECT_LT(darkest(), 40);
  prompts.answerColour(kRed);
  choose(f.mnuL2ForeColor);
  f.cmbSearch_text.setText(Form1::kSearchPrompt);
  ASSERT_FALSE(f.cmbSearch.Enabled());
  const QImage shot = f.cmbSearch.widget()->grab().toImage();
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width() * 2 / 3; ++x) ASSERT_NE(shot.pixelColor(x, y), QColor(Qt::red));
}

TEST_F(ViewTest, AColourEqualToTheSameListsOtherColourIsRefused) {
  Form1& f = start();
  // The song list's back colour as its text colour, and black as its back colour: refused.
  prompts.answerColour(platform::kSystemWindowBackground).answerMsg(OK);
  prompts.answerColour(0).answerMsg(OK);
  choose(f.mnuL2ForeColor);
  choose(f.mnuL2Bcolor);  // the entry of the other popup runs the same command
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "Text color can not be the same as Backcolor");
  EXPECT_EQ(msgs[1].text, "Backcolor can not be the same as Text color");
  EXPECT_EQ(msgs[1].title, "Color");
  EXPECT_EQ(msgs[1].style, platform::msg::OKOnly);
  EXPECT_EQ(f.List2.ForeColor(), 0);
  EXPECT_EQ(f.cmbSearch_text.BackColor(), platform::kSystemWindowBackground);

  // The song list's text colour is no concern of the disc list.
  f.List2.setForeColor(kRed);
  prompts.answerColour(kRed);
  choose(f.mnuL1BackColor);
  EXPECT_EQ(f.List1.BackColor(), kRed);

  prompts.answerColour(std::nullopt);  // cancelled: nothing changes, nothing is said
  choose(f.mnuL1ForeColor);
  EXPECT_EQ(f.List1.ForeColor(), 0);

  // A colour the other one allows: each text colour entry colours its own list's text.
  prompts.answerColour(kYellow).answerColour(kGreen);
  choose(f.mnuL1ForeColor);
  choose(f.mnul2Fcolor);  // the song list popup's entry
  EXPECT_EQ(f.List1.ForeColor(), kYellow);
  EXPECT_EQ(f.List1.BackColor(), kRed);
  EXPECT_EQ(f.List2.ForeColor(), kGreen);
  EXPECT_EQ(f.List2.BackColor(), platform::kSystemWindowBackground);
}

TEST_F(ViewTest, CapitalsFromAPopupToggleAndTwiceReturnToTheStart) {
  Form1& f = started();
  ASSERT_EQ(f.Check5.Value(), 1);
  choose(f.mnuCapitals2);
  EXPECT_EQ(f.Check5.Value(), 0);
  EXPECT_FALSE(f.mnuCapitals3.Checked());
  EXPECT_TRUE(f.List2.List(0).startsWith("Glass House (Vocal)"));
  choose(f.mnuCapitals1);
  EXPECT_EQ(f.Check5.Value(), 1);
  EXPECT_TRUE(f.mnuCapitals3.Checked());
  EXPECT_TRUE(f.List2.List(0).startsWith("GLASS HOUSE (VOCAL)"));
}

TEST_F(ViewTest, ViewMenuCapitalsFollowsItsCheckMarkAndKeepsTheBoxInStep) {
  Form1& f = started();
  choose(f.mnuCapitals3);
  EXPECT_FALSE(f.mnuCapitals3.Checked());
  EXPECT_EQ(f.Check5.Value(), 0);
  EXPECT_TRUE(f.List2.List(1).startsWith("Late Train"));
  choose(f.mnuCapitals3);
  EXPECT_TRUE(f.mnuCapitals3.Checked());
  EXPECT_EQ(f.Check5.Value(), 1);
  EXPECT_TRUE(f.List2.List(1).startsWith("LATE TRAIN"));
  // The box already ticked while the list is in word capitals: ticking it again fires
  // nothing, and the menu still converts the list.
  f.Lower_Case();  // no control leaves the box ticked over a list in word capitals
  f.mnuCapitals3.setChecked(false);
  choose(f.mnuCapitals3);
  EXPECT_EQ(f.Check5.Value(), 1);
  EXPECT_TRUE(f.mnuCapitals3.Checked());
  EXPECT_TRUE(f.List2.List(1).startsWith("LATE TRAIN"));
}

TEST_F(ViewTest, HidingVocalTracksRemovesEveryLineWithAnOpeningParenthesisAndV) {
  home.writeTracks({"AA1,01,ALPHA,SINGER", "AA1,02,ALPHA (vocal version),SINGER", "AA1,03,BRAVO (V),SINGER",
                    "AA1,04,CHARLIE,THE (VIPS)", "AA1,05,DELTA (LIVE),SINGER", "AA1,06,ECHO V,SINGER",
                    "AA1,07,ALPHA,SINGER"});
  home.writeDiscs({"AA1"});
  Form1& f = start();
  tick("AA1");
  press(f.cmdGet_Tracks);
  f.Check5.setValue(0);  // word capitals: the filter sees the case of the lines it keeps
  // Alpha 01, Alpha 07, Alpha (Vocal Version), Bravo (V), Charlie / The (Vips), Delta (Live), Echo V
  const QStringList before = f.List2.items();
  ASSERT_EQ(before.size(), 7);
  ASSERT_TRUE(before[2].startsWith("Alpha (Vocal Version)"));
  f.TabStrip1.setVisible(false);
  choose(f.mnuHide_Vocal);
  // The lines themselves, in the order they stood.
  EXPECT_EQ(f.List2.items(), (QStringList{before[0], before[1], before[5], before[6]}));
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 4");
  EXPECT_TRUE(f.TabStrip1.Visible());
  EXPECT_TRUE(f.List2.Visible());
  EXPECT_EQ(f.Temp_List.ListCount(), 0);
}

TEST_F(ViewTest, HideVocalTracksFromTheViewMenuRefusesAnEmptyList) {
  Form1& f = start();
  testsupport::clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  prompts.answerMsg(OK);
  choose(f.mnuHide_Vocal_Tracks);  // offered once a disc is ticked, before any list
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "Please create a list first");
  EXPECT_EQ(prompts.calls()[0].title, "Hide Vocal Tracks");
  choose(f.mnuhide_vocal2);  // the popup's entry filters without asking
  EXPECT_EQ(prompts.calls().size(), 1u);
  // Over a list, it takes the vocal track out.
  tick("PK-0042");
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 3);
  choose(f.mnuhide_vocal2);
  EXPECT_EQ(f.List2.ListCount(), 2);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 2");
  EXPECT_EQ(prompts.calls().size(), 1u);
}

TEST_F(ViewTest, FullSizeOnAnEmptyListLetsCreateListRefuseAndStillFillsTheWindow) {
  Form1& f = start();
  f.List3.AddItem("01    SONG");
  f.List3.setVisible(true);
  f.cmdClose.setVisible(true);
  prompts.answerMsg(OK);
  f.mnuFull_Screen_Click();  // disabled while nothing is ticked: no control reaches this refusal
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.calls()[0].title, "Create List");
  EXPECT_TRUE(f.mnuFull_Screen.Checked());
  EXPECT_FALSE(f.mnuNormal.Checked());
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_FALSE(f.cmdClose.Visible());
  EXPECT_NEAR(f.List2.Top(), 0, 0.01);
  EXPECT_NEAR(f.List2.Left(), 0, 0.01);
  EXPECT_NEAR(f.List2.Height(), 95, 0.01);
  EXPECT_NEAR(f.List2.Width(), 100, 0.01);

  choose(f.mnuNormal);
  EXPECT_NEAR(f.List2.Top(), f.List1.Top() + f.List1.Height() + 5, 0.01);
}

// The passes hide the song list while they rework it. When it held the focus it has it again
// afterwards: the next key goes to the list, not into the header box, whose text stays.
TEST_F(ViewTest, ThePassesThatHideTheFocusedSongListGiveItTheFocusBack) {
  Form1& f = started();
  QListView* view = f.List2.view();
  const auto rightClick = [&] { QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(20, 5)); };
  struct Step {
    const char* name;
    std::function<void()> run;
  } steps[] = {
      {"Capitals from the full popup",
       [&] {
         prompts.choosePopup("mnuCapitals1");
         rightClick();
       }},
      {"Capitals from the full popup again",
       [&] {
         prompts.choosePopup("mnuCapitals1");
         rightClick();
       }},
      {"Hide VOCAL tracks from the full popup",
       [&] {
         prompts.choosePopup("mnuHide_Vocal");
         rightClick();
       }},
      {"View > All Capitals", [&] { f.mnuCapitals3.action()->trigger(); }},
      {"View > Hide Vocal Tracks", [&] { f.mnuHide_Vocal_Tracks.action()->trigger(); }},
  };
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
  ASSERT_TRUE(f.List2.hasFocus());
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.run();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.List2.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q);
    EXPECT_EQ(f.Text1.Text(), Form1::kHeaderPrompt);
  }
  EXPECT_EQ(prompts.calls().size(), 3u);
}

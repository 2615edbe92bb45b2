// Clicks on the song list: the delete and edit windows filled from the line, the two popup
// menus, and hiding the selected lines.
#include "main_window_fixture.h"

#include "platform/ui/prompts.h"
#include "user_input.h"
#include "windows/database/delete_record.h"
#include "windows/database/Edit_Record.h"

using catalogue::Sort;
constexpr Qt::MouseButton Left = Qt::LeftButton, Right = Qt::RightButton;

namespace {

QString pad(const QString& s, int w) { return s.leftJustified(w, ' ', true); }

struct Fields {
  QString code, track, song, artist;
};

Fields editFields() {
  Edit_Record& e = Edit_Record::instance();
  return {e.Text1.Text(), e.Text2.Text(), e.Text3.Text(), e.Text4.Text()};
}

}  // namespace

class SongListPopupTest : public MainWindowTest {
 protected:
  // A shown song list of the given lines in the given layout.
  Form1& withLines(Sort sort, const QStringList& lines) {
    Form1& f = start();
    switch (sort) {
      case Sort::Artist: f.Option1.setValue(true); break;
      case Sort::Song: f.Option2.setValue(true); break;
      case Sort::Track: f.Option3.setValue(true); break;
      case Sort::MfCode: f.Option5.setValue(true); break;
    }
    f.List2.addItems(lines);
    f.List2.setVisible(true);
    f.Label6.setCaption("Tracks = " + QString::number(lines.size()));
    return f;
  }
  void press(int row, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    testsupport::clickRow(form->List2, row, button, mods);
  }
  // Replaces an entry's command with a probe of whether the hint entry shows meanwhile.
  void probeHintOn(platform::MenuItem& entry) {
    entry.Click = [this] { hintSeen = form->mnuMF_Code.Visible(); };
  }
  std::optional<bool> hintSeen;
};

TEST_F(SongListPopupTest, AClickFillsTheHiddenWindowsFromTheLineCutByItsLayout) {
  struct Case {
    Sort sort;
    QString line, code, track, song, artist;
  } cases[] = {
      {Sort::Artist, pad("THE BAND", 30) + pad("FIRST SONG", 36) + pad("AB1234", 11) + QString(8, ' ') + "07",
       "AB1234     ", "07", "FIRST SONG", "THE BAND"},
      // Word capitals, and no reference-number column: the track is still the last two.
      {Sort::Song, pad("river town", 36) + pad("oda bell", 30) + pad("MDX1001", 11) + QString(6, ' ') + "05",
       "MDX1001    ", "05", "RIVER TOWN", "ODA BELL"},
      {Sort::Track, "12" + QString(4, ' ') + pad("GLASS HOUSE", 36) + pad("MIRA STONE", 30) + pad("PK-0042", 11),
       "PK-0042    ", "12", "GLASS HOUSE", "MIRA STONE"},
      // Full song and artist columns arrive whole; the code keeps the case it is stored in, since
      // an upper-cased copy would be another disc's code.
      {Sort::MfCode, pad("sc8123", 11) + "02" + QString(4, ' ') + QString(36, 'S') + QString(30, 'A') + "0001",
       "sc8123     ", "02", QString(36, 'S'), QString(30, 'A')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line.toStdString());
    if (form) form.reset();
    withLines(c.sort, {c.line});
    press(0, Left);
    delete_record& d = delete_record::instance();
    EXPECT_TRUE(d.Option2.Value());
    EXPECT_EQ(d.Text1.Text(), c.code);
    EXPECT_EQ(d.Text2.Text(), c.track);
    EXPECT_EQ(d.Text1.BackColor(), 0xFFFFFF);
    EXPECT_EQ(d.Text2.BackColor(), 0xFFFFFF);
    EXPECT_FALSE(d.isVisible());
    const Fields e = editFields();
    EXPECT_EQ(e.code, c.code.left(10));  // the box holds 10 characters
    EXPECT_EQ(e.track, c.track);
    EXPECT_EQ(e.song, c.song);
    EXPECT_EQ(e.artist, c.artist);
  }
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(SongListPopupTest, ARightClickWithCodesShownFillsFromTheCurrentLineAndOpensTheFullPopup) {
  const QString a = pad("ALPHA", 36) + pad("ONE", 30) + pad("AA1", 11) + QString(8, ' ') + "01";
  const QString b = pad("BRAVO", 36) + pad("TWO", 30) + pad("BB2", 11) + QString(8, ' ') + "02";
  Form1& f = withLines(Sort::Song, {a, b});
  press(0, Left);
  prompts.choosePopup("");
  press(1, Right);  // over the second line: the first stays current
  EXPECT_EQ(prompts.expectCalls("popup", 1)[0].text, "mnuD");
  EXPECT_EQ(f.List2.ListIndex(), 0);
  EXPECT_EQ(editFields().song, "ALPHA");
  EXPECT_FALSE(f.mnuMF_Code.Visible());

  // The Menu key and Shift+F10 open the same popup at the current line.
  press(1, Left);
  for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::ShiftModifier | Qt::Key_F10}) {
    prompts.choosePopup("");
    QTest::keyClick(f.List2.view(), key.key(), key.keyboardModifiers());
    EXPECT_EQ(prompts.expectCalls("popup", key.key() == Qt::Key_Menu ? 2 : 3).back().text, "mnuD");
    const QRect line = f.List2.view()->visualRect(f.List2.model()->index(1));
    EXPECT_TRUE(line.contains(f.List2.view()->viewport()->mapFromGlobal(prompts.popupPositions.back())));
  }
}

TEST_F(SongListPopupTest, WithCodesHiddenTheSmallPopupExplainsWhyAndTheWindowsKeepTheirFields) {
  const QString a = pad("ALPHA", 36) + pad("ONE", 30) + QString(11, ' ') + QString(8, ' ') + "01";
  Form1& f = withLines(Sort::Song, {a});
  f.Check1.setValue(0);  // empties the list, as changing the box does
  f.List2.AddItem(a);
  f.List2.setVisible(true);
  Edit_Record::instance().Text3.setText("EARLIER");
  f.List2.setListIndex(0);  // a left click fills the windows whatever the box says ...
  EXPECT_EQ(editFields().song, "ALPHA");
  EXPECT_EQ(editFields().code, QString(10, ' '));
  Edit_Record::instance().Text3.setText("EARLIER");

  probeHintOn(f.mnu52);
  prompts.choosePopup("mnu52");
  press(0, Right);  // ... a right click does not
  EXPECT_EQ(prompts.expectCalls("popup", 1)[0].text, "mnuz");
  ASSERT_TRUE(hintSeen.has_value());
  EXPECT_TRUE(*hintSeen);
  EXPECT_FALSE(f.mnuMF_Code.Visible());
  EXPECT_EQ(editFields().song, "EARLIER");
}

TEST_F(SongListPopupTest, ARightClickWithNoCurrentLineOpensTheSmallPopupWithoutItsHint) {
  const QString a = pad("ALPHA", 36) + pad("ONE", 30) + pad("AA1", 11) + QString(8, ' ') + "01";
  Form1& f = withLines(Sort::Song, {a});
  Edit_Record::instance().Text3.setText("EARLIER");
  probeHintOn(f.mnuhide_vocal2);
  prompts.choosePopup("mnuhide_vocal2");
  press(-1, Right);
  EXPECT_EQ(prompts.expectCalls("popup", 1)[0].text, "mnuz");
  ASSERT_TRUE(hintSeen.has_value());
  EXPECT_FALSE(*hintSeen);
  EXPECT_EQ(editFields().song, "EARLIER");
  // Other buttons open nothing.
  press(0, Left);
  press(0, Qt::MiddleButton);
  EXPECT_EQ(prompts.callsOf("popup").size(), 1u);
}

TEST_F(SongListPopupTest, HideHighlitedTracksRemovesExactlyTheSelectedLines) {
  QStringList lines;
  for (int i = 0; i < 6; ++i)
    lines << pad(QString("SONG %1").arg(i), 36) + pad("ARTIST", 30) + pad("AA1", 11) + QString(8, ' ') +
                 QString("0%1").arg(i);
  Form1& f = withLines(Sort::Song, lines);
  press(1, Left);
  press(3, Left, Qt::ControlModifier);
  press(4, Left, Qt::ControlModifier);
  ASSERT_EQ(f.List2.SelCount(), 3);
  // Without a current line nothing happens, not even to the counter.
  f.List2.setListIndex(-1);
  choose(f.mnu51);
  EXPECT_EQ(f.List2.ListCount(), 6);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 6");
  press(4, Left, Qt::ControlModifier);
  press(4, Left, Qt::ControlModifier);
  choose(f.mnu51);
  EXPECT_EQ(f.List2.items(), (QStringList{lines[0], lines[2], lines[5]}));
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 3");
  EXPECT_EQ(f.List2.SelCount(), 0);
}

TEST_F(SongListPopupTest, HideHighlitedTracksKeepsAnUnselectedCurrentLineCurrent) {
  QStringList lines;
  for (int i = 0; i < 5; ++i)
    lines << pad(QString("SONG %1").arg(i), 36) + pad("ARTIST", 30) + pad("AA1", 11) + QString(8, ' ') +
                 QString("0%1").arg(i);
  Form1& f = withLines(Sort::Song, lines);
  press(0, Left);
  press(4, Left, Qt::ControlModifier);
  press(2, Left, Qt::ControlModifier);
  press(2, Left, Qt::ControlModifier);  // current, but no longer selected
  ASSERT_EQ(f.List2.ListIndex(), 2);
  ASSERT_EQ(f.List2.SelCount(), 2);
  Edit_Record::instance().Text3.setText("EARLIER");
  choose(f.mnu52);
  EXPECT_EQ(f.List2.items(), (QStringList{lines[1], lines[2], lines[3]}));
  EXPECT_EQ(f.List2.Text(), lines[2]);
  EXPECT_EQ(editFields().song, "EARLIER");  // nothing was clicked
}

// An edit shows its record in the current line only while that line is still the one handed over
// (its case aside): not in a line of another artist, nor in one of another record.
TEST_F(SongListPopupTest, AnEditShowsItsRecordOnlyInTheLineItWasHanded) {
  const QString line = pad("ALPHA", 36) + pad("ONE", 30) + pad("AA1", 11) + QString(8, ' ') + "01";
  Form1& f = withLines(Sort::Song, {line});
  press(0, Left);
  const catalogue::LineFields cut = catalogue::fieldsOfLine(line, Sort::Song);
  const catalogue::ListLine handed{cut.code, cut.track, std::nullopt, cut.song, cut.artist};
  const QStringList before{pad("AA1", 11), "01", pad("ALPHA", 36), pad("ONE", 30)};
  const QStringList after{pad("AA1", 11), "01", pad("ALPHA", 36), pad("TWO", 30)};
  catalogue::ListLine otherArtist = handed, otherRecord = handed;
  otherArtist.artist = pad("ONCE", 30);
  otherRecord.storedCode = "AA1";
  f.followEditedLine(otherArtist, before, after);
  f.followEditedLine(otherRecord, before, after);
  EXPECT_EQ(f.List2.List(0), line);
  f.followEditedLine(handed, before, after);
  EXPECT_EQ(f.List2.List(0), pad("ALPHA", 36) + pad("TWO", 30) + pad("AA1", 11) + QString(8, ' ') + "01");
}

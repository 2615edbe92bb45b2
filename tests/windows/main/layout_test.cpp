// The main window's layout on its 100 x 100 scale.
#include "main_window_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>

TEST_F(MainWindowTest, ResizeLaysEveryControlOutOnTheScale) {
  Form1& f = start();
  f.window()->resize(1200, 900);
  QCoreApplication::processEvents();
  const auto near = [](double a, double b) { return std::abs(a - b) < 0.01; };
  EXPECT_TRUE(near(f.cmdGet_Tracks.Left(), 70) && near(f.cmdGet_Tracks.Width(), 20));
  EXPECT_TRUE(near(f.cmdSearch.Left(), 90) && near(f.cmdSearch.Height(), 12));
  EXPECT_TRUE(near(f.Check2.Top(), 13));
  EXPECT_TRUE(near(f.Check5.Left(), 89));
  EXPECT_TRUE(near(f.Check6.Top(), 22.5));
  const double row3 = f.Check1.Top() + f.Check1.Height() + 1;
  EXPECT_TRUE(near(f.Combo1.Top(), row3) && near(f.Combo1.Width(), 51));
  EXPECT_TRUE(near(f.cmbSearch.Left(), 79) && near(f.cmbSearch_text.Width(), 28));
  EXPECT_TRUE(near(f.List1.Top(), f.Combo1.Top() + f.Combo1.Height() + 1));
  EXPECT_TRUE(near(f.List1.Height(), 30));
  const double list2Top = f.List1.Top() + f.List1.Height() + 5;
  EXPECT_TRUE(near(f.List2.Top(), list2Top));
  EXPECT_TRUE(near(f.List2.Top() + f.List2.Height(), 95));
  EXPECT_TRUE(near(f.TabStrip1.Top(), list2Top - 4) && near(f.TabStrip1.Left(), 0.5));
  EXPECT_TRUE(near(f.List3.Top(), 75) && near(f.List3.Height(), 20));
  EXPECT_TRUE(near(f.cmdClose.Top(), 75.5) && near(f.cmdClose.Left() + f.cmdClose.Width(), 100));
  EXPECT_TRUE(near(f.Label1.Top(), 95) && near(f.Label6.Left(), 1));
  EXPECT_TRUE(near(f.Label9.Left() + f.Label9.Width() / 2, 50));
  EXPECT_TRUE(near(f.Label17.Left(), 49.7 - f.Label9.Width() / 2));
  EXPECT_TRUE(near(f.Label18.Left(), 60.3) && near(f.Label18.Top(), 38.5));
  EXPECT_TRUE(near(f.Text1.Left(), 53) && near(f.Text1.Width(), 45));
  EXPECT_TRUE(near(f.Frame1.Left() + f.Frame1.Width() / 2, 50));
  EXPECT_TRUE(near(f.Frame1.Top() + f.Frame1.Height() / 2, 75));
  EXPECT_TRUE(near(f.Frame3.Top() + f.Frame3.Height() / 2, 50));
  EXPECT_TRUE(near(f.Option5.Left(), 70) && near(f.Option5.Top(), 9));
}

TEST_F(MainWindowTest, ResizeReturnsToTheNormalViewAndClosesTheDiscListing) {
  Form1& f = start();
  f.mnuFull_Screen.setChecked(true);
  f.mnuNormal.setChecked(false);
  f.List2.Move(0, 0, 100, 95);
  f.List3.AddItem("01    SONG");
  f.List3.setVisible(true);
  f.cmdClose.setVisible(true);
  f.cmbSearch.setListIndex(4);
  f.window()->resize(1100, 800);
  QCoreApplication::processEvents();
  EXPECT_TRUE(f.mnuNormal.Checked());
  EXPECT_FALSE(f.mnuFull_Screen.Checked());
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_FALSE(f.cmdClose.Visible());
  EXPECT_EQ(f.cmbSearch.Text(), "SEARCH ALL");
  EXPECT_NEAR(f.List2.Top(), f.List1.Top() + f.List1.Height() + 5, 0.01);
}

TEST_F(MainWindowTest, CatalogueDropDownShows19RowsWhileLoadingAnd30OnceShown) {
  form = std::make_unique<Form1>();
  form->Load();
  EXPECT_EQ(form->Combo1.visibleRows(), 19);
  form->Show();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->Combo1.visibleRows(), 30);
}

TEST_F(MainWindowTest, HiddenControlsStayHiddenAfterLayout) {
  Form1& f = start();
  f.window()->resize(900, 700);
  QCoreApplication::processEvents();
  EXPECT_FALSE(f.cmdCreate_Update.widget()->isVisible());
  EXPECT_FALSE(f.Check4.widget()->isVisible());
  EXPECT_FALSE(f.Option2.widget()->isVisible());
  EXPECT_TRUE(f.cmdOpen.widget()->isVisible());
}

// The window is never made smaller than its layout: the option boxes, the buttons' captions and
// the counters keep clear of each other, the header box stays below the song list and the
// catalogue drop-down shows its prompt from the first letter.
TEST_F(MainWindowTest, ANarrowWindowKeepsEveryControlClearOfTheNext) {
  Form1& f = start();
  f.Label6.setCaption("Tracks = 32731");
  f.Label1.setCaption("Discs = 1234");
  f.window()->resize(420, 300);
  QCoreApplication::processEvents();
  const std::vector<platform::Control*> rows[] = {{&f.Check2, &f.Check1, &f.chkOpen, &f.Check3, &f.Check7, &f.Check5},
                                                  {&f.Label6, &f.Label1}};
  for (const auto& row : rows)
    for (size_t i = 1; i < row.size(); ++i)
      EXPECT_FALSE(row[i - 1]->widget()->geometry().intersects(row[i]->widget()->geometry()))
          << row[i - 1]->name().toStdString() << " covers " << row[i]->name().toStdString();
  for (platform::CommandButton* b : {&f.cmdExport, &f.cmdUpdate})
    EXPECT_LE(b->widget()->fontMetrics().horizontalAdvance(QString(b->Caption()).remove('&')), b->widget()->width());

  const QRect header = f.Text1.widget()->geometry();
  EXPECT_FALSE(header.intersects(f.List2.widget()->geometry())) << "the header box covers the song list's foot";
  EXPECT_LE(header.bottom(), f.client()->rect().bottom());
  QLineEdit* field = qobject_cast<QComboBox*>(f.Combo1.widget())->lineEdit();
  ASSERT_EQ(field->text(), Form1::kCataloguePrompt);
  field->end(false);  // the field scrolls to its cursor: the text's start goes off when it does not fit
  const QRect cursor = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  EXPECT_GE(cursor.center().x() - field->fontMetrics().horizontalAdvance(field->text()), 0);
}

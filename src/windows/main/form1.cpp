// The main window's construction, its life cycle, its layout and the Clear command.
#include "windows/main/form1.h"

#include "catalogue/database.h"
#include "common/program_name.h"
#include "maintenance/track_database.h"
#include "platform/core/colours.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "platform/ui/screen.h"
#include "windows/database/delete_record.h"
#include "windows/database/Edit_Record.h"
#include "windows/database/File_Rename.h"
#include "windows/file_prompts.h"
#include "windows/main/module1.h"
#include "windows/one_line_input.h"
#include "windows/select_all.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cmath>

using platform::msg::Critical;
using platform::msg::Exclamation;
using platform::msg::OKOnly;

const QString Form1::kProductTitle = QStringLiteral("Mellowdex Pro Zendra Edition 2.3");
const QString Form1::kMessageTitle = common::programName();
const QString Form1::kHeaderPrompt = QStringLiteral("SONG LIST HEADER HERE");
const QString Form1::kSearchPrompt = QStringLiteral("TYPE SEARCH TEXT HERE ");
const QString Form1::kCataloguePrompt = QStringLiteral("CLICK THIS DROP DOWN LIST TO FIND DISC CODES");
const QString Form1::kMfCodeOffText = QStringLiteral("Show MF Code must be selected to edit or delete a track");
const QString Form1::kViewDiscTitle = QStringLiteral("View Disc");
const QString Form1::kViewNeedsCodesText = QStringLiteral("(Show MF Code) must be selected to view a disc");
const QString Form1::kCreateListFirstText = QStringLiteral("Please create a list first");
const QString Form1::kWebAddress = QStringLiteral("www.mellowdex.example");
QString Form1::tracksText(int count) { return QStringLiteral("Tracks = ") + QString::number(count); }

namespace {
Form1* g_instance = nullptr;
constexpr double kListFontSize = 9.0;
constexpr double kOptionGapPx = 6;         // between two option boxes
constexpr double kSmallestOptionFont = 6;  // points
// What a line field takes beside its text: a margin each side, the cursor and the overhang of
// the first and last letters.
constexpr int kFieldMarginsPx = 8;
}  // namespace

Form1* Form1::instance() { return g_instance; }

Form1::Form1() : FormBase(Kind::MainWindow, kProductTitle, QSize(1000, 700)) {
  g_instance = this;
  buildControls();
  buildMenus();
  wireHandlers();
}

Form1::~Form1() {
  // The windows the main window keeps filled go with it, while the application still runs.
  delete_record::release();
  Edit_Record::release();
  File_Rename::release();
  if (g_instance == this) g_instance = nullptr;
}

void Form1::buildControls() {
  // Designed sizes in pixels; the layout scale places them at every resize.
  const auto fitCaption = [](platform::Control& c, int height) {
    c.movePx(0, 0, c.widget()->sizeHint().width() + 4, height);
  };
  for (auto* b : {&cmdOpen, &cmdSave, &cmdPrint, &cmdExport, &cmdUpdate, &cmdCreate_Update, &cmdAdd, &cmdUntag,
                  &cmdGet_Tracks, &cmdSearch})
    b->movePx(0, 0, 100, 40);
  for (auto* c : {&Check1, &Check2, &Check3, &Check4, &Check5, &Check6, &Check7, &chkOpen}) fitCaption(*c, 22);
  for (auto* o : {&Option1, &Option2, &Option3, &Option4, &Option5}) {
    fitCaption(*o, 20);
    o->setVisible(false);
  }
  for (auto* c : {&cmbSearch, &cmbSearch_text, &Combo1}) c->movePx(0, 0, 200, 24);
  Text1.movePx(0, 0, 200, Text1.widget()->sizeHint().height());  // one line of text
  cmdClose.movePx(0, 0, std::max(90, cmdClose.widget()->sizeHint().width()), 24);

  List1.setFixedPitchFont(QStringLiteral("Courier"), kListFontSize);
  List2.setFixedPitchFont(QStringLiteral("Courier"), kListFontSize);
  List3.setFixedPitchFont(QStringLiteral("Courier"), kListFontSize);
  Label2.setFixedPitchFont(QStringLiteral("Courier"), kListFontSize);
  Label2.setCaption(catalogue::columnHeader(catalogue::Sort::Song));
  List2.setHeader(Label2);

  Text1.setMaxLength(kHeaderMaxLength);
  // A double quote would end the header early in a saved file: its key is dropped
  // (Text1_KeyPress), and so is one pasted.
  windows::refuseUnstorableTyping(Text1, QStringLiteral("song list header"), kMessageTitle, windows::Letters::AsPut,
                                  QStringLiteral("\""));

  List1.setToolTipText(QStringLiteral("master database, showing disc manufacture codes"));
  List2.setToolTipText(QStringLiteral("double click a track to view all tracks on same disc, right click to edit"));
  cmbSearch.setToolTipText(QStringLiteral("Select where to search"));
  cmbSearch_text.setToolTipText(QStringLiteral("Enter text to search for"));
  Check1.setToolTipText(QStringLiteral("Manufacturer codes will be displayed and printed"));
  Check2.setToolTipText(QStringLiteral("Your own unique number will be assigned to each disc"));
  Check3.setToolTipText(QStringLiteral("Duplicate tracks will be hidden from your list"));
  Check5.setToolTipText(QStringLiteral("Upper or lower case song list"));
  chkOpen.setToolTipText(QStringLiteral("List will be created after opening a file"));
  cmdUpdate.setToolTipText(QStringLiteral("click to update the master databse"));
  cmdAdd.setToolTipText(QStringLiteral("click to add a disc or track"));
  cmdUntag.setToolTipText(QStringLiteral("Click to Clear all selections"));
  cmdGet_Tracks.setToolTipText(QStringLiteral("Click to Create a song list from selected discs"));
  cmdSearch.setToolTipText(QStringLiteral("Click to Search"));
  Option1.setToolTipText(QStringLiteral("select to sort tracks by artist"));
  Option2.setToolTipText(QStringLiteral("select to sort tracks by song"));
  Option3.setToolTipText(QStringLiteral("select to sort tracks by track number"));
  Option5.setToolTipText(QStringLiteral("select to sort tracks by disc maunfacturer code"));

  // Initial values, set before the handlers are wired so that nothing runs.
  Check1.setValue(1);
  Check5.setValue(1);
  chkOpen.setValue(1);
  Option2.setValue(true);

  // Hidden at start; the hidden controls of the design are never shown.
  for (platform::Control* c :
       std::initializer_list<platform::Control*>{&List2, &List3, &Temp_List, &TabStrip1, &cmdClose, &cmdCreate_Update,
                                                 &Check4, &Check6, &Label4, &Label17, &Frame1, &Frame3, &Picture1})
    c->setVisible(false);

  // The busy frame and the printing frame.
  Frame1.movePx(0, 0, 440, 120);
  Label8.movePx(12, 18);
  ProgressBar1.movePx(12, 50, 416, 22);
  const double marks[] = {12, 112, 212, 312, 400};
  platform::Label* scale[] = {&Label12, &Label13, &Label14, &Label15, &Label16};
  for (int i = 0; i < 5; ++i) scale[i]->movePx(marks[i], 78);
  Image2.movePx(392, 12, 32, 32);
  Image3.movePx(392, 12, 32, 32);
  Image3.setVisible(false);
  Frame3.movePx(0, 0, 260, 64);
  Label19.movePx(24, 26);

  Label5.setCaption(QString());
  TabStrip1.setTabSize(23, 4);

  // Tab goes over the window as it reads: the buttons, the option boxes and the drop-downs left
  // to right, then the disc list, the sort tabs, the song list (and the matches and their close
  // button below it) and the header box.
  const platform::Control* tabOrder[] = {
      &cmdOpen,   &cmdSave, &cmdPrint,  &cmdExport, &cmdUpdate, &cmdCreate_Update, &cmdAdd, &cmdUntag, &cmdGet_Tracks,
      &cmdSearch, &Check2,  &Check1,    &chkOpen,   &Check3,    &Check7,           &Check5, &Combo1,   &cmbSearch_text,
      &cmbSearch, &List1,   &TabStrip1, &List2,     &List3,     &cmdClose,         &Text1};
  for (size_t i = 1; i < std::size(tabOrder); ++i)
    QWidget::setTabOrder(tabOrder[i - 1]->widget(), tabOrder[i]->widget());

  // Labels stand beneath every other control: the hint and the web address show only where
  // the lists leave room.
  for (platform::Label* l : {&Label1, &Label6, &Label5, &Label10, &Label4, &Label18, &Label11, &Label17, &Label9})
    l->ZOrderBottom();

  // The designed colours: the system window background behind black text.
  for (platform::Control* c :
       std::initializer_list<platform::Control*>{&List1, &Combo1, &List2, &Text1, &cmbSearch, &cmbSearch_text}) {
    c->setBackColor(platform::kSystemWindowBackground);
    c->setForeColor(0);
  }
}

void Form1::wireHandlers() {
  List1.ItemCheck = [this](int index) { List1_ItemCheck(index); };
  List1.Click = [this] { List1_Click(); };
  List1.KeyDown = [this](int& key, int shift) { List1_KeyDown(key, shift); };
  List1.MouseDown = [this](int b, int s, double x, double y) { List1_MouseDown(b, s, x, y); };
  Check2.Click = [this] { Check2_Click(); };
  Check2.GotFocus = [this] { Check2_GotFocus(); };
  Check1.Click = [this] { Check1_Click(); };
  Check1.GotFocus = [this] { Check1_GotFocus(); };
  Check3.Click = [this] { Check3_Click(); };
  Check3.GotFocus = [this] { Check3_GotFocus(); };
  Check5.Click = [this] { Check5_Click(); };
  Check7.Click = [this] { Check7_Click(); };
  Text1.GotFocus = [this] { Text1_GotFocus(); };
  Text1.KeyPress = [this](int& key) { Text1_KeyPress(key); };
  TabStrip1.Click = [this] { TabStrip1_Click(); };
  Option1.Click = [this] { Option1_Click(); };
  Option2.Click = [this] { Option2_Click(); };
  Option3.Click = [this] { Option3_Click(); };
  Option5.Click = [this] { Option5_Click(); };

  cmdOpen.Click = [this] { cmdOpen_Click(); };
  cmdSave.Click = [this] { cmdSave_Click(); };
  cmdPrint.Click = [this] { cmdPrint_Click(); };
  cmdExport.Click = [this] { cmdExport_Click(); };
  cmdUpdate.Click = [this] { cmdUpdate_Click(); };
  cmdCreate_Update.Click = [this] { cmdCreate_Update_Click(); };
  cmdAdd.Click = [this] { cmdAdd_Click(); };
  cmdUntag.Click = [this] { cmdUntag_Click(); };
  cmdGet_Tracks.Click = [this] { cmdGet_Tracks_Click(); };
  cmdSearch.Click = [this] { cmdSearch_Click(); };
  cmdClose.Click = [this] { cmdClose_Click(); };

  // Nothing reads what the timer changes; it only switches itself off.
  Timer1.Tick = [this] { Timer1.setEnabled(false); };

  wireSearchHandlers();
  wireSongListHandlers();
  wireCatalogueHandlers();
}

// At start the files are told of together, once the window is drawn.
void Form1::reportUnreadable(const QString& path, bool& reported) {
  if (reported) return;
  reported = true;
  if (!drawn_) {
    unreadableAtStart_ << path;
    return;
  }
  tellUnreadable({path});
}

void Form1::tellUnreadable(const QStringList& paths) {
  // Without the disc file there are no discs to list; without the track file the discs are
  // listed but have no songs.
  const bool discFile = std::any_of(paths.begin(), paths.end(), [](const QString& p) {
    return p.endsWith(QString::fromLatin1(catalogue::kDiscFile));
  });
  const QString unreadable =
      paths.size() == 1
          ? catalogue::cannotReadText(paths[0])
          : catalogue::unreadableText(QStringLiteral("The database files ") + paths.join(QStringLiteral(" and ")));
  platform::prompts().msgBox(
      unreadable + QStringLiteral("\n\r") +
          (discFile
               ? QStringLiteral("The disc list stays empty.")
               : QStringLiteral("The discs are listed, but every song list stays empty until this file can be read.")),
      OKOnly + Critical, kMessageTitle);
}

// ---------------------------------------------------------------- life cycle

void Form1::placeFrames() {
  Frame1.Move(50 - Frame1.Width() / 2, 75 - Frame1.Height() / 2);
  Frame3.Move(50 - Frame3.Width() / 2, 50 - Frame3.Height() / 2);
}

void Form1::Form_Load() {
  // A change of the database that a kill cut short is finished or undone before it is read; a
  // journal that could not be obeyed is told of once the window is drawn.
  journalAtStart_ = maintenance::finishInterruptedChange().message;
  platform::setHidden(catalogue::discFilePath(), false);
  platform::setHidden(catalogue::trackFilePath(), false);
  Check_Screen_Size();
  if (ended_) {
    refuseLoad();
    return;
  }
  Ticking_In_Code = false;
  window()->move(0, 0);
  setLayoutMinimumSize();
  fitToScreen();
  Module1::Set_Combo_Height(*this, Combo1, 19);
  placeFrames();
  Disc_Description();
  Label5.setCaption(QString());
  Get_Discs();
  Read_ini();
  Input_Search_Data();
}

// The designed size is larger than the smallest screen the program accepts: the window, its
// frame included, takes no more than the screen's free area.
void Form1::fitToScreen() {
  const QRect area = platform::availableScreenArea();
  if (area.isEmpty()) return;
  QWidget* w = window();
  const QSize frame = w->frameGeometry().size() - w->size();
  w->resize(w->size().boundedTo(area.size() - frame));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && !fittedInFrame_ && watched == window() &&
      window()->frameGeometry().size() != window()->size()) {
    fittedInFrame_ = true;
    fitToScreen();
  }
  return FormBase::eventFilter(watched, event);
}

void Form1::Check_Screen_Size() {
  const QSize screen = platform::screenSizePixels();
  if (screen.isEmpty() || (screen.width() >= 800 && screen.height() >= 600)) return;
  const QString br = QStringLiteral("\n\r");
  const QString text = QStringLiteral("Mellowdex will only run when") + br +
                       QStringLiteral("your screen area is 800 x 600 or higher.") + br + br +
                       QStringLiteral("To change the screen area setting click") + br + br +
                       QStringLiteral("START/SETTINGS/CONTROL PANEL/DISPLAY") + br + br +
                       QStringLiteral("Select the Settings tab and adjust the") + br +
                       QStringLiteral("screen area size to at least 800 x 600.") + br + br;
  platform::prompts().msgBox(text, OKOnly + Critical, kMessageTitle);
  ended_ = true;
}

void Form1::Form_Activate() {
  List1.SetFocus();
  const QString path = catalogue::trackFilePath();
  const auto count = catalogue::countTrackRecords(path);
  if (count) trackFileReported_ = false;
  else reportUnreadable(path, trackFileReported_);
  setCaption(kProductTitle + QStringLiteral("   Database = ") + QString::number(count.value_or(0)) +
             QStringLiteral(" Songs"));
  if (!drawn_) {
    drawn_ = true;
    whenDrawn([this] {
      if (!journalAtStart_.isEmpty()) platform::prompts().msgBox(journalAtStart_, OKOnly + Exclamation, kMessageTitle);
      journalAtStart_.clear();
      if (!unreadableAtStart_.isEmpty()) tellUnreadable(unreadableAtStart_);
      unreadableAtStart_.clear();
    });
  }
}

void Form1::showModal(platform::FormBase& form) {
  platform::prompts().showModal(form);
  activateAfterModal();
}

void Form1::Form_Resize() {
  setUserScale(100, 100);
  mnuNormal.setChecked(true);
  mnuFull_Screen.setChecked(false);

  cmdOpen.Move(0, 0, 10, 12);
  cmdSave.Move(10, 0, 10, 12);
  cmdPrint.Move(20, 0, 10, 12);
  cmdExport.Move(30, 0, 10, 12);
  cmdUpdate.Move(40, 0, 10, 12);
  cmdCreate_Update.Move(40, 0, 8, 12);
  cmdAdd.Move(50, 0, 10, 12);
  cmdUntag.Move(60, 0, 10, 12);
  cmdGet_Tracks.Move(70, 0, 20, 12);
  cmdSearch.Move(90, 0, 10, 12);

  const double row2 = cmdOpen.Top() + cmdOpen.Height() + 1;
  Check2.Move(1, row2);
  Check1.Move(22, row2);
  chkOpen.Move(44, row2);
  Check3.Move(64, row2);
  Check5.Move(89, row2);
  Check6.Move(84, row2 + 9.5);
  Check7.Move(80, row2);
  // In a narrow window a caption would run into the next box: the boxes after it move along,
  // and back from the right edge as far as the last one needs. Where even that leaves too little
  // room, the captions take a smaller size (down to the size the window's minimum width allows).
  const auto row = optionRow();
  const double gap = kOptionGapPx / pxPerUnitX();
  QFont font = QApplication::font(Check1.widget());
  while (true) {
    const double needed = Check2.Left() + fitOptionCaptions(font) / pxPerUnitX();
    if (needed <= 100 || font.pointSizeF() <= kSmallestOptionFont) break;
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  for (size_t i = 1; i < std::size(row); ++i)
    row[i]->setLeft(std::max(row[i]->Left(), row[i - 1]->Left() + row[i - 1]->Width() + gap));
  double limit = 100;
  for (size_t i = std::size(row) - 1; i > 0; --i) {
    row[i]->setLeft(std::min(row[i]->Left(), limit - row[i]->Width()));
    limit = row[i]->Left() - gap;
  }

  const double row3 = Check1.Top() + Check1.Height() + 1;
  cmbSearch.setListIndex(0);
  cmbSearch.Move(79, row3, 21);
  cmbSearch_text.Move(51, row3, 28);
  Module1::Set_Combo_Height(*this, Combo1, 30);
  Combo1.Move(0, row3, 51);

  List1.Move(0, Combo1.Top() + Combo1.Height() + 1, 100, 30);
  const double list2Top = List1.Top() + List1.Height() + 5;
  List2.Move(0, list2Top, 100, 95 - list2Top);
  TabStrip1.Move(0.5, List2.Top() - 4);
  TabStrip1.relayoutTabs();

  Option2.Move(60.5, 0);
  Option1.Move(60.5, 3);
  Option3.Move(60.5, 6);
  Option5.Move(70, 9);

  List3.Clear();
  List3.setVisible(false);
  cmdClose.setVisible(false);

  List3.Move(0, 75, 100, 20);
  placeCloseButton();
  Label1.Move(15, List2.Top() + List2.Height());
  Label5.Move(50, 96);
  Label6.Move(1, List2.Top() + List2.Height());
  Label9.Move(50 - Label9.Width() / 2, 72.3);
  Label17.Move(49.7 - Label9.Width() / 2, 72);
  Label10.Move(51, 43);
  Label11.Move(60, 38);
  Label18.Move(60.3, 38.5);
  Text1.Move(53, 95, 45);
  keepInside(Text1);
  placeFrames();
}

std::array<platform::CheckBox*, 6> Form1::optionRow() {
  return {&Check2, &Check1, &chkOpen, &Check3, &Check7, &Check5};
}

double Form1::fitOptionCaptions(const QFont& font) {
  double px = -kOptionGapPx;
  for (platform::CheckBox* c : optionRow()) {
    c->setFont(font);
    c->movePx(c->geometryPx().x(), c->geometryPx().y(), c->widget()->sizeHint().width() + 4);
    px += c->geometryPx().width() + kOptionGapPx;
  }
  return px;
}

// The smallest client area in which no control covers another: the option boxes in one row at
// their smallest captions (the first stands 1 unit in), each button's caption inside its 10 or 20
// units across and 12 down, the catalogue prompt whole in its drop-down's 51 units, the song
// counter at its largest number in the 14 units before the disc counter, the counters and the
// header box in the 5 below the song list, and the rows down to the song list above the hint.
void Form1::setLayoutMinimumSize() {
  const QFont normal = QApplication::font(Check1.widget());
  QFont smallest = normal;
  smallest.setPointSizeF(kSmallestOptionFont);
  double width = fitOptionCaptions(smallest) * 100 / 99;
  fitOptionCaptions(normal);
  QStyle* style = cmdOpen.widget()->style();
  const int margin = style->pixelMetric(QStyle::PM_ButtonMargin) + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const QFontMetrics buttonFont(cmdOpen.widget()->font());
  for (platform::CommandButton* b :
       {&cmdOpen, &cmdSave, &cmdPrint, &cmdExport, &cmdUpdate, &cmdAdd, &cmdUntag, &cmdGet_Tracks, &cmdSearch}) {
    const double units = b == &cmdGet_Tracks ? 20 : 10;
    width = std::max(
        width, (buttonFont.horizontalAdvance(QString(b->Caption()).remove(QLatin1Char('&'))) + margin) * 100 / units);
  }
  width = std::max(width, catalogueFieldWidth() * 100 / 51.0);
  const QFontMetrics counterFont(Label6.widget()->font());
  const QString widestCount = tracksText(catalogue::Max_List_Lines);
  width = std::max(width, (counterFont.horizontalAdvance(widestCount) + kOptionGapPx) * 100 / 14.0);
  double height = std::max((buttonFont.height() + margin) * 100 / 12.0, counterFont.height() * 100 / 5.0);
  height = std::max(height, Text1.geometryPx().height() * 100 / 5.0);
  // Down the left: 13 units to the option boxes, 1 before and after the drop-downs, the disc list's
  // 30 and 5 to the song list, whose column header must stay above the hint at 72.3.
  const double rows =
      Check1.geometryPx().height() + Combo1.geometryPx().height() + Label2.widget()->sizeHint().height();
  height = std::max(height, rows * 100 / (72.3 - 50));
  client()->setMinimumSize(int(std::ceil(width)), int(std::ceil(height)));
}

// The width of the catalogue drop-down that shows its prompt from the first letter to the last:
// the text, the field's margins and the drop-down's frame and arrow.
double Form1::catalogueFieldWidth() {
  auto* combo = qobject_cast<QComboBox*>(Combo1.widget());
  if (!combo || !combo->lineEdit()) return 0;
  QStyleOptionComboBox box;
  box.initFrom(combo);
  box.editable = true;
  box.rect = QRect(0, 0, 1000, combo->height());
  const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, combo);
  const QFontMetrics font(combo->lineEdit()->font());
  const int text = font.horizontalAdvance(kCataloguePrompt) + kFieldMarginsPx;
  return text + box.rect.width() - field.width() + 1;  // a pixel for the rounding of the scale
}

void Form1::placeCloseButton() {
  cmdClose.Move(95, List3.Top() + 0.5);
  keepInside(cmdClose);
}

// A control placed near the right or bottom edge moves in as far as the window is too small to
// show it whole there.
void Form1::keepInside(platform::Control& c) {
  c.Move(std::min(c.Left(), 100 - c.Width()), std::min(c.Top(), 100 - c.Height()));
}

void Form1::Form_Unload(int& cancel) {
  platform::setHidden(catalogue::discFilePath(), true);
  platform::setHidden(catalogue::trackFilePath(), true);
  platform::letEventsThrough();
  if (List1.SelCount() > 0) {
    const int answer = platform::prompts().msgBox(QStringLiteral("Do you want to Save your list?"),
                                                  platform::msg::YesNo + platform::msg::Question, kMessageTitle);
    // Yes and no saved file (cancelled, refused, failed): the window stays with its list, for
    // the user to save again or answer No.
    if (answer != platform::msg::No && !cmdSave_Click()) {
      platform::setHidden(catalogue::discFilePath(), false);
      platform::setHidden(catalogue::trackFilePath(), false);
      cancel = 1;
      return;
    }
  }
  Write_ini();
}

// ---------------------------------------------------------------- Clear and Update

void Form1::cmdUntag_Click() {
  cmdClose.setVisible(false);
  List2.setHeight(95 - List2.Top());
  List3.setVisible(false);
  List3.Clear();
  TabStrip1.setVisible(false);
  mnuNormal_Click();
  List2.setVisible(false);
  Text1.setText(kHeaderPrompt);
  Label1.setCaption(QStringLiteral("Discs  = 0"));
  Label6.setCaption(tracksText(0));
  for (auto* m : {&mnuPrint, &mnuFull_Screen, &mnuHide_Vocal_Tracks, &mnuSave, &mnuExport, &mnuUpdate_File})
    m->setEnabled(false);
  Combo1.setText(kCataloguePrompt);
  cmbSearch.setListIndex(0);
  Label9.setVisible(true);
  Label17.setVisible(false);
  cmbSearch_text.setText(kSearchPrompt);
  Get_Discs();
  List1.SetFocus();
  ProgressBar1.setValue(0);
}

void Form1::cmdUpdate_Click() {
  cmdUpdate.setEnabled(false);
  mnuUpdate_Click();
  cmdUpdate.setEnabled(true);
}

void Form1::Text1_GotFocus() { windows::selectAll(Text1); }

void Form1::mnuNormal_Click() {
  cmdClose_Click();
  mnuNormal.setChecked(true);
  mnuFull_Screen.setChecked(false);
  const double top = List1.Top() + List1.Height() + 5;
  List2.Move(0, top, 100, 95 - top);
}

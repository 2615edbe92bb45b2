#include "windows/database/delete_record.h"

#include "catalogue/database.h"
#include "catalogue/song_list_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "maintenance/track_database.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/database/dialog_helpers.h"
#include "windows/one_line_input.h"

#include <QCoreApplication>

#include <memory>

using common::RTrim;

namespace {
std::unique_ptr<delete_record> g_window;
constexpr qint32 kWhite = 0xFFFFFF;
constexpr qint32 kGrey = 0xC0C0C0;
// Yes/No, the critical-stop icon, No the default.
constexpr int kConfirmStyle = platform::msg::YesNo + platform::msg::Critical + platform::msg::DefaultButton2;
// The titles of the boxes of a disc's and of a track's deletion.
QString deleteDiscTitle(const QString& code) { return QStringLiteral("Delete Disc ") + code; }
QString deleteTrackTitle(const QString& typedTrack, const QString& code) {
  return QStringLiteral("Delete Track ") + typedTrack + QStringLiteral(" from Disc ") + code;
}
}  // namespace

const QString delete_record::kCaption = QStringLiteral("Delete Track or Disc");
const QString delete_record::kBlinkCaption = QStringLiteral("Delete Track or Disk");

delete_record::delete_record() : FormBase(Kind::Dialog, kCaption, QSize(520, 260)) {
  Option1.setToolTipText(QStringLiteral("select to delete a disc"));
  Option2.setToolTipText(QStringLiteral("select to delete a track"));
  Text1.setToolTipText(QStringLiteral("enter a disc code here"));
  Text2.setToolTipText(QStringLiteral("enter a track number here"));
  Command1.setToolTipText(QStringLiteral("click to delete"));
  Command2.setToolTipText(QStringLiteral("click to cancel"));
  Text1.setMaxLength(common::kCodeWidth);
  Text2.setMaxLength(2);
  windows::refuseUnstorableTyping(Text1, QStringLiteral("disc code"), kCaption, windows::Letters::Capitals);
  Option3.setVisible(false);

  Label6.movePx(16, 10);
  Label2.movePx(16, 34);
  Option1.movePx(16, 70, 90, 22);
  Option2.movePx(120, 70, 90, 22);
  Label1.movePx(16, 108);
  Text1.movePx(140, 104, 140, 24);
  Label3.movePx(16, 142);
  Text2.movePx(140, 138, 50, 24);
  Command1.movePx(300, 200, 96, 30);
  Command2.movePx(408, 200, 96, 30);

  Option1.Click = [this] { Option1_Click(); };
  Option2.Click = [this] { Option2_Click(); };
  Text1.Change = [this] { Text1_Change(); };
  Text2.Change = [this] { Text2_Change(); };
  Text1.GotFocus = [this] { Text1_GotFocus(); };
  Text2.GotFocus = [this] { Text2_GotFocus(); };
  Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Timer1.Tick = [this] { Timer1_Timer(); };
}

delete_record& delete_record::instance() {
  if (!g_window) {
    g_window = std::make_unique<delete_record>();
    qAddPostRoutine([] { g_window.reset(); });  // the window goes before the application does
  }
  g_window->Load();
  return *g_window;
}

bool delete_record::isInstanceLoaded() { return g_window && g_window->isLoaded(); }

// Every load starts from the window as designed: no mode, empty boxes, Delete disabled.
void delete_record::Form_Load() {
  setCaption(kCaption);
  setMousePointer(platform::MousePointer::Default);
  Option3.setValue(true);
  Label2.setCaption(QStringLiteral("Warning.......This operation will permently delete data from the master database"));
  for (platform::Control* c : std::initializer_list<platform::Control*>{&Label1, &Label3, &Text1, &Text2, &Option1,
                                                                        &Option2, &Command1, &Command2}) {
    c->setVisible(true);
    c->setEnabled(true);
  }
  Text1.setBackColor(kWhite);
  Text2.setBackColor(kWhite);
  Text1.setText(QString());
  Text2.setText(QString());
  handedCode_.clear();
  handedStored_.reset();
  handedLine_.reset();
  changed_ = false;
  Command1.setEnabled(false);
  Timer1.setEnabled(true);
}

void delete_record::handOver(const QString& code, const std::optional<QString>& stored) {
  Text1.setText(code);
  handedCode_ = code;
  handedBox_ = Text1.Text();
  handedStored_ = stored;
  handedLine_.reset();
}

void delete_record::handOverLine(const catalogue::ListLine& line) {
  handOver(line.shownCode, line.storedCode);
  // The track as the line shows it, without the blank a one-character track stands with; the box keeps
  // it whatever it holds.
  handedLine_ = line;
  handedTrackBox_ = RTrim(line.track);
  Text2.setText(handedTrackBox_);
}

std::optional<catalogue::ListLine> delete_record::shownLine() const {
  if (!handedLine_ || Text1.Text() != handedBox_ || Text2.Text() != handedTrackBox_) return std::nullopt;
  return handedLine_;
}

std::optional<QString> delete_record::chosenDisc(const QString& track, const QString& title) {
  if (handedCode_.isEmpty() || Text1.Text() != handedBox_) return Text1.Text();
  // A file that cannot be read here is reported by the deletion itself.
  maintenance::DiscMatch match;
  if (track.isEmpty()) {
    const auto discs = catalogue::readDiscFile(catalogue::discFilePath());
    if (!discs) return handedCode_;
    match = maintenance::discsListed(*discs, handedCode_);
  } else {
    if (handedStored_) return *handedStored_;  // a line of this run names its disc itself
    const auto tracks = maintenance::readFileBytes(catalogue::trackFilePath());
    if (!tracks) return handedCode_;
    const std::optional<catalogue::ListLine> line = shownLine();
    match = catalogue::discOfLine(
        *tracks, {handedCode_, track, handedStored_, line ? line->song : QString(), line ? line->artist : QString()});
    // Told before the question: the deletion itself would refuse it.
    if (line && match.discs.size() == 1 && !match.holdsLine) {
      report(maintenance::nothingChangedText(
                 catalogue::noLongerHoldsText(match.discs[0], track, line->song, line->artist)),
             title);
      return std::nullopt;
    }
  }
  if (match.discs.size() > 1) {
    report(maintenance::severalDiscsText(handedCode_, match.discs), title);
    return std::nullopt;
  }
  return match.discs.isEmpty() ? handedStored_.value_or(handedCode_) : match.key;
}

void delete_record::Form_Unload(int&) { Timer1.setEnabled(false); }

void delete_record::Option1_Click() { chooseMode(false); }

void delete_record::Option2_Click() { chooseMode(true); }

void delete_record::chooseMode(bool track) {
  Label3.setEnabled(track);
  Text2.setEnabled(track);
  Text1.setBackColor(kWhite);
  Text2.setBackColor(track ? kWhite : kGrey);
  Text1.setText(QString());
  Text2.setText(QString());
  handedCode_.clear();
  handedStored_.reset();
  handedLine_.reset();
}

void delete_record::Text1_Change() {
  if (!Text1.Text().isEmpty() && Option1.Value()) Command1.setEnabled(true);
}

void delete_record::Text2_Change() {
  if (!(handedLine_ && Text2.Text() == handedTrackBox_)) windows::keepDigitsOnly(Text2);
  Command1.setEnabled(!Text1.Text().isEmpty() && !Text2.Text().isEmpty());
}

void delete_record::Text1_GotFocus() { windows::selectAll(Text1); }
void delete_record::Text2_GotFocus() { windows::selectAll(Text2); }
void delete_record::Text1_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }

void delete_record::Timer1_Timer() { setCaption(Caption() == kBlinkCaption ? QString() : kBlinkCaption); }

void delete_record::Command1_Click() {
  // Blanks are no disc: a key of 11 blanks would rewrite both files for nothing, or drop records
  // that have lost their code.
  if (common::Trim(Text1.Text()).isEmpty()) {
    report(windows::kEnterCodeText, windows::kEnterCodeTitle);
    if (Text1.Enabled() && Text1.Visible()) Text1.SetFocus();
    return;
  }
  Label1.setVisible(false);
  Label2.setCaption(QStringLiteral("Please wait... whilst the database is updated."));
  for (platform::Control* c :
       std::initializer_list<platform::Control*>{&Label3, &Text1, &Text2, &Option1, &Option2, &Command1, &Command2})
    c->setVisible(false);
  platform::letEventsThrough();

  if (Option1.Value()) Delete_Disc();
  else Delete_Track();

  setMousePointer(platform::MousePointer::Default);
  platform::letEventsThrough();
  Unload();  // the main window clears itself after a deletion
}

void delete_record::Command2_Click() { Unload(); }

void delete_record::report(const QString& text, const QString& title) {
  platform::prompts().msgBox(text, platform::msg::OKOnly, title);
}

void delete_record::Delete_Disc() {
  const auto chosen = chosenDisc(QString(), deleteDiscTitle(RTrim(Text1.Text())));
  if (!chosen) return;
  const QString code = RTrim(*chosen);
  const QString title = deleteDiscTitle(code);
  const int answer = platform::prompts().msgBox(
      QStringLiteral("You have choosen to delete Disc ") + code + QStringLiteral(" are you sure"), kConfirmStyle,
      title);
  if (answer != platform::msg::Yes) {
    Text1.setText(QString());
    return;
  }
  const QString key = common::padRight(*chosen, common::kCodeWidth);
  const QString trackPath = catalogue::trackFilePath(), discPath = catalogue::discFilePath();
  const auto planned = [&](const maintenance::ChangeScope& change) -> Deletion {
    if (!change) return {change.refusal()};
    const auto tracks = maintenance::readFileBytes(trackPath);
    if (!tracks) return {catalogue::cannotReadText(trackPath)};
    const auto discs = catalogue::readDiscFile(discPath);
    if (!discs) return {catalogue::cannotReadText(discPath)};
    const maintenance::TrackDeletion kept = maintenance::withoutDisc(*tracks, key);
    const QByteArray keptDiscs = maintenance::discsWithout(*discs, key);
    if (kept.removed == 0 && keptDiscs.count('\n') == discs->size())
      return {QStringLiteral("There is no disc ") + code +
              QStringLiteral(" in the database.\rNothing has been deleted.")};
    return Deletion(*tracks, kept.tracks, keptDiscs);
  };
  deleteAsPlanned(planned, title, key, QString(),
                  QStringLiteral("Disc ") + code + QStringLiteral(" has been deleted."));
}

void delete_record::Delete_Track() {
  const QString trackPath = catalogue::trackFilePath(), discPath = catalogue::discFilePath();
  platform::setHidden(trackPath, false);
  platform::setHidden(discPath, false);

  // The line's own track, or the number typed; either finds its track with or without a leading zero.
  const std::optional<catalogue::ListLine> line = shownLine();
  const QString track = line ? handedTrackBox_ : common::FormatZeros(common::Val(Text2.Text()), 2);
  // Named with two digits, as a typed number is.
  const QString number = common::IsNumeric(track) ? common::FormatZeros(common::Val(track), 2) : track;
  const auto chosen = chosenDisc(track, deleteTrackTitle(Text2.Text(), RTrim(Text1.Text())));
  if (!chosen) return;
  const QString code = RTrim(*chosen);
  const QString title = deleteTrackTitle(Text2.Text(), code);
  const int answer =
      platform::prompts().msgBox(QStringLiteral("You have choosen to delete Disc ") + code + QStringLiteral(" Track ") +
                                     number + QStringLiteral(" are you sure."),
                                 kConfirmStyle, title);
  if (answer != platform::msg::Yes) {
    Text1.setText(QString());
    return;
  }
  Text2.setText(number);
  const QString key = common::padRight(*chosen, common::kCodeWidth);
  const auto planned = [&](const maintenance::ChangeScope& change) -> Deletion {
    if (!change) return {change.refusal()};
    const auto tracks = maintenance::readFileBytes(trackPath);
    if (!tracks) return {catalogue::cannotReadText(trackPath)};
    // A line's track goes only while it holds what the line shows: another copy may have changed it.
    if (line) {
      const catalogue::DiscMatch held =
          catalogue::discOfLine(*tracks, {line->shownCode, track, key, line->song, line->artist});
      if (held.discs.size() == 1 && !held.holdsLine)
        return {maintenance::nothingChangedText(
            catalogue::noLongerHoldsText(held.discs[0], track, line->song, line->artist))};
    }
    const maintenance::TrackDeletion kept = maintenance::withoutTrack(*tracks, key, track);
    // A deletion that finds nothing is no success to keep quiet about.
    if (kept.removed == 0)
      return {QStringLiteral("Disc ") + code + QStringLiteral(" has no track ") + number +
              QStringLiteral(" in the database.\rNothing has been deleted.")};
    // The disc goes only with its last track.
    std::optional<QByteArray> newDiscs;
    if (kept.discTracks == 1 && kept.removed == 1) {
      const auto discs = catalogue::readDiscFile(discPath);
      if (!discs) return {catalogue::cannotReadText(discPath)};
      newDiscs = maintenance::discsWithout(*discs, key);
    }
    return Deletion(*tracks, kept.tracks, newDiscs);
  };
  deleteAsPlanned(
      planned, title, key, track,
      QStringLiteral("Track ") + number + QStringLiteral(" of disc ") + code + QStringLiteral(" has been deleted."));
}

void delete_record::deleteAsPlanned(const std::function<Deletion(const maintenance::ChangeScope&)>& planned,
                                    const QString& title, const QString& key, const QString& track,
                                    const QString& done) {
  // Worked out as the files are written, and first before any offer to save the list, so that the
  // offer comes only for a deletion that will be made. Each time the files are read under the
  // change's lock, after any change left unfinished is finished, and both before either is
  // written, so a file that cannot be read changes nothing. A box waiting for the user keeps no
  // other copy from the database.
  if (beforeWrite.isDue()) {
    std::optional<Deletion> first;
    {
      maintenance::ChangeScope check;
      first = planned(check);
      check.release();
      if (!first->refusal.isEmpty()) return report(first->refusal, title);
    }
    if (beforeWrite.ask && !beforeWrite.ask({first->tracksBefore, key, QString(), track, first->discs.has_value()}))
      return;
  }
  showBusyPointer();
  platform::letEventsThrough();

  maintenance::ChangeScope change;
  const Deletion deletion = planned(change);
  const auto refuse = [&](const QString& text) {
    change.release();
    const bool listDropped = beforeWrite.finish && beforeWrite.finish(std::nullopt, {});
    report(listDropped ? text + QStringLiteral("\n\r") + catalogue::kListNotSavedText : text, title);
  };
  if (!deletion.refusal.isEmpty()) return refuse(deletion.refusal);
  const auto written = maintenance::replaceDatabase(deletion.tracks, deletion.discs,
                                                    beforeWrite.list ? beforeWrite.list() : std::nullopt);
  if (!written) return refuse(written.message);
  change.release();
  changed_ = true;
  if (beforeWrite.finish) beforeWrite.finish(done, written.list);
}

void delete_record::release() { g_window.reset(); }

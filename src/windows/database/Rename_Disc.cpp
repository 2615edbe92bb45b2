#include "windows/database/Rename_Disc.h"

#include "catalogue/database.h"
#include "catalogue/song_list_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "maintenance/track_database.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/database/dialog_helpers.h"
#include "windows/main/form1.h"
#include "windows/one_line_input.h"

using common::Trim;

const QString Rename_Disc::kCaption = QStringLiteral("Change Disc Code");

namespace {
void tell(const QString& text, const QString& title = Rename_Disc::kCaption) {
  platform::prompts().msgBox(text, platform::msg::OKOnly, title);
}

// The two files as the change leaves them, or why it cannot be made (and whether a new code is
// to be asked for).
struct CodeChange {
  CodeChange(const QString& refused, bool again = false) : refusal(refused), askAgain(again) {}
  CodeChange(const QByteArray& oldTracks, const QByteArray& newTracks, const QByteArray& newDiscs)
      : tracksBefore(oldTracks), tracks(newTracks), discs(newDiscs) {}
  QString refusal;
  bool askAgain = false;
  QByteArray tracksBefore, tracks, discs;
};

CodeChange plannedChange(const maintenance::ChangeScope& change, const QString& current, const QString& newCode) {
  if (!change) return {change.refusal()};
  const QString trackPath = catalogue::trackFilePath(), discPath = catalogue::discFilePath();
  const auto discs = catalogue::readDiscFile(discPath);
  if (!discs) return {catalogue::cannotReadText(discPath)};
  const auto tracks = maintenance::readFileBytes(trackPath);
  if (!tracks) return {catalogue::cannotReadText(trackPath)};
  // Another copy of the program may have deleted the disc since the list was made.
  if (!maintenance::discInUse(*discs, current) && !maintenance::codeInUse(*tracks, current))
    return {maintenance::nothingChangedText(QStringLiteral("There is no disc ") + current +
                                            QStringLiteral(" in the database."))};
  if (maintenance::discInUse(*discs, newCode))
    return {newCode + QStringLiteral(" disc code is already in use\rPlease use another disc code"), true};
  const QString padded = common::padRight(newCode, common::kCodeWidth);
  // Both new files are complete before either replaces its original.
  const common::FileRewrite newTracks = maintenance::recodedTracks(*tracks, current, padded);
  const common::FileRewrite newDiscs = maintenance::recodedDiscs(*discs, current, padded);
  if (!newTracks || !newDiscs) return {newTracks ? newDiscs.refusal : newTracks.refusal, true};
  return CodeChange(*tracks, newTracks.content, newDiscs.content);
}
}  // namespace

const QString Rename_Disc::kNoDiscText = QStringLiteral("Please select a disc first");

Rename_Disc::Rename_Disc() : FormBase(Kind::Dialog, kCaption, QSize(440, 220)) {
  const QFont sans(QStringLiteral("MS Sans Serif"));
  Text1.setFont(sans);
  Text2.setFont(sans);
  // The current code is whole, however long an update file made it; a new code keeps to 10.
  Text1.setMaxLength(0);
  Text2.setMaxLength(10);
  Text1.setToolTipText(QStringLiteral("enter the disc code here"));
  Text2.setToolTipText(QStringLiteral("enter the disc code here"));
  windows::refuseUnstorableTyping(Text2, QStringLiteral("disc code"), kCaption, windows::Letters::Capitals);
  Command1.setToolTipText(QStringLiteral("click to update database"));
  Command2.setToolTipText(QStringLiteral("click to close"));

  Label3.movePx(16, 10);
  Label4.movePx(16, 34);
  Label1.movePx(16, 72);
  Text1.movePx(160, 68, 240, 24);  // room for the longest code an update file can make
  Label2.movePx(16, 110);
  Text2.movePx(160, 106, 120, 24);
  Command1.movePx(220, 172, 96, 30);
  Command2.movePx(328, 172, 96, 30);

  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
  Text2.KeyPress = [this](int& k) { Text2_KeyPress(k); };
}

void Rename_Disc::Form_Load() {
  Text1.setEnabled(false);
  Text2.SetFocus();
}

void Rename_Disc::setCurrent(const QString& code) { Text1.setText(code); }

void Rename_Disc::Text1_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }
void Rename_Disc::Text2_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }

void Rename_Disc::Command2_Click() { Unload(); }

void Rename_Disc::askAgain() {
  Text2.setText(QString());
  Text2.SetFocus();
}

void Rename_Disc::endWork() {
  Command1.setEnabled(true);
  Command2.setEnabled(true);
  Text2.setEnabled(true);
  setMousePointer(platform::MousePointer::Default);
  platform::letEventsThrough();
}

void Rename_Disc::Command1_Click() {
  const QString current = Trim(Text1.Text());
  const QString newCode = Trim(Text2.Text());
  // No current code would match the blank lines of the disc file and invent a disc.
  if (current.isEmpty()) return tell(kNoDiscText);
  if (newCode.isEmpty()) return askAgain();
  if (newCode == current) {
    tell(QStringLiteral("New Disc Code = Current Disc Code\rPlease use another disc code."));
    return askAgain();
  }
  if (Text2.Text().contains(QLatin1Char(',')) || Text2.Text().contains(QLatin1Char('"'))) {
    tell(windows::kInvalidText, windows::kInvalidTitle);
    return askAgain();
  }

  // Worked out as the files are written, and first before any offer to save the list, so that the
  // offer comes only for a change that will be made. Each time the files are read under the
  // change's lock, after any change left unfinished is finished; the lock is let go before any
  // box waits for the user.
  const auto refused = [&](maintenance::ChangeScope& change, const CodeChange& planned) {
    if (planned.refusal.isEmpty()) return false;
    change.release();
    const bool listDropped = beforeWrite.finish && beforeWrite.finish(std::nullopt, {});
    tell(listDropped ? planned.refusal + QStringLiteral("\n\r") + catalogue::kListNotSavedText : planned.refusal);
    if (planned.askAgain) askAgain();
    endWork();
    return true;
  };
  if (beforeWrite.isDue()) {
    QByteArray tracks;
    {
      maintenance::ChangeScope check;
      const CodeChange planned = plannedChange(check, current, newCode);
      if (refused(check, planned)) return;
      tracks = planned.tracksBefore;
    }
    if (beforeWrite.ask && !beforeWrite.ask({tracks, current, newCode, {}, false})) return;
  }

  // Keys, clicks and the close box wait while the files are rewritten: the events let through
  // below only repaint, so the code handed back is the code written.
  platform::BusyScope busy;
  showBusyPointer();
  Command1.setEnabled(false);
  Command2.setEnabled(false);
  platform::letEventsThrough();

  maintenance::ChangeScope change;
  const CodeChange planned = plannedChange(change, current, newCode);
  if (refused(change, planned)) return;
  const auto written =
      maintenance::replaceDatabase(planned.tracks, planned.discs, beforeWrite.list ? beforeWrite.list() : std::nullopt);
  platform::setHidden(catalogue::trackFilePath(), false);
  platform::setHidden(catalogue::discFilePath(), false);
  if (!written) {
    refused(change, CodeChange(written.message));
    return;
  }
  change.release();
  changed_ = true;
  if (beforeWrite.finish)
    beforeWrite.finish(QStringLiteral("Disc ") + current + QStringLiteral(" is now ") + newCode + QStringLiteral("."),
                       written.list);

  if (Form1* main = Form1::instance()) main->Label4.setCaption(newCode);
  endWork();
  Unload();
}

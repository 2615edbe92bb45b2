#include "windows/database/Edit_Record.h"

#include "catalogue/database.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "maintenance/track_database.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/database/dialog_helpers.h"
#include "windows/main/form1.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

using common::fitWidth;
using common::padRight;
using common::Trim;

namespace {
std::unique_ptr<Edit_Record> g_window;
const QString kTitle = QStringLiteral("Edit Track");

void tell(const QString& text) { platform::prompts().msgBox(text, platform::msg::OKOnly, kTitle); }
}  // namespace

Edit_Record::Edit_Record() : FormBase(Kind::Dialog, QStringLiteral("Edit Tracks"), QSize(520, 330)) {
  windows::setUpTrackBoxes(Text1, Text2, Text3, Text4, kTitle);
  Check1.setToolTipText(QStringLiteral("when selected your list will be updated after you click the ok button"));
  Command1.setToolTipText(QStringLiteral("click to update database"));
  Command2.setToolTipText(QStringLiteral("click to close"));

  Label6.movePx(16, 10);
  Label7.movePx(16, 34);
  Label1.movePx(16, 66);
  Text1.movePx(16, 86, 110, 24);
  Label2.movePx(140, 66);
  Text2.movePx(140, 86, 40, 24);
  Label3.movePx(16, 122);
  Text3.movePx(16, 142, 300, 24);
  Label4.movePx(16, 178);
  Text4.movePx(16, 198, 260, 24);
  Check1.movePx(16, 240, 220, 22);
  Label5.movePx(16, 290);
  Command1.movePx(300, 284, 96, 30);
  Command2.movePx(408, 284, 96, 30);

  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
  Text3.KeyPress = [this](int& k) { Text3_KeyPress(k); };
  Text4.KeyPress = [this](int& k) { Text4_KeyPress(k); };
  Text2.Change = [this] { Text2_Change(); };
}

Edit_Record& Edit_Record::instance() {
  if (!g_window) {
    g_window = std::make_unique<Edit_Record>();
    qAddPostRoutine([] { g_window.reset(); });  // the window goes before the application does
  }
  g_window->Load();
  return *g_window;
}

// Every load starts from the window as designed.
void Edit_Record::Form_Load() {
  handedCode_.clear();
  handedBox_.clear();
  handedStored_.reset();
  handedLine_.reset();
  for (platform::TextBox* box : {&Text1, &Text2, &Text3, &Text4}) box->setText(QString());
  Text3.setMaxLength(windows::kSongBoxLength);
  Text4.setMaxLength(windows::kArtistBoxLength);
  Text1.setEnabled(false);
  Text2.setEnabled(false);
  Check1.setValue(0);
  setWorking(false);
  Text3.SetFocus();
}

void Edit_Record::setDiscCode(const QString& code, const std::optional<QString>& stored) {
  Text1.setText(code);
  handedCode_ = code;
  handedBox_ = Text1.Text();
  handedStored_ = stored;
  handedLine_.reset();
  Text3.setMaxLength(windows::kSongBoxLength);
  Text4.setMaxLength(windows::kArtistBoxLength);
}

void Edit_Record::handOverLine(const catalogue::ListLine& line) {
  setDiscCode(line.shownCode, line.storedCode);
  handedLine_ = line;
  // The track as the line shows it, without the blank a one-character track stands with; the record
  // is found by the line's track and keeps its own.
  Text2.setText(handedTrack());
  // A box can take back the whole field it shows, whose last character then stays too.
  const QString song = handedSong(), artist = handedArtist();
  Text3.setMaxLength(std::max(windows::kSongBoxLength, int(song.size())));
  Text4.setMaxLength(std::max(windows::kArtistBoxLength, int(artist.size())));
  Text3.setText(song);
  Text4.setText(artist);
}

QString Edit_Record::handedTrack() const { return handedLine_ ? common::RTrim(handedLine_->track) : QString(); }
QString Edit_Record::handedSong() const { return handedLine_ ? common::UCase(Trim(handedLine_->song)) : QString(); }
QString Edit_Record::handedArtist() const { return handedLine_ ? common::UCase(Trim(handedLine_->artist)) : QString(); }

bool Edit_Record::handedShown() const { return !handedCode_.isEmpty() && Text1.Text() == handedBox_; }

bool Edit_Record::lineShown() const { return handedLine_ && handedShown(); }

bool Edit_Record::kept(const platform::TextBox& box, const QString& handed) const {
  return lineShown() && box.Text() == handed;
}

QString Edit_Record::discCode() const { return handedShown() ? handedCode_ : Text1.Text(); }

void Edit_Record::setWorking(bool working) {
  Command1.setEnabled(!working);
  Command2.setEnabled(!working);
  Label5.setVisible(working);
}

void Edit_Record::Text1_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }
void Edit_Record::Text3_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }
void Edit_Record::Text4_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }

// The track a line handed over is the record's own, whatever it holds; the box cannot be typed in.
void Edit_Record::Text2_Change() {
  if (!(handedLine_ && Text2.Text() == handedTrack())) windows::keepDigitsOnly(Text2);
}

void Edit_Record::Command2_Click() { Unload(); }

void Edit_Record::Command1_Click() {
  // A song or artist left as the line showed it is the record's own: what it holds was never typed.
  // So are the code and the track of a line: the record is the one that holds it.
  const bool fromLine = lineShown();
  const bool songKept = kept(Text3, handedSong()), artistKept = kept(Text4, handedArtist());
  if (windows::refuseTrackEntry(Text1, Text2, Text3, Text4, false,
                                {fromLine ? &Text1 : nullptr, fromLine ? &Text2 : nullptr, songKept ? &Text3 : nullptr,
                                 artistKept ? &Text4 : nullptr}))
    return;

  // A blank code (the list hides the codes) would write the track under no disc.
  if (Trim(discCode()).isEmpty()) {
    tell(Form1::kMfCodeOffText);
    return;
  }

  {
    // The boxes were checked: a key typed while events are let through must not reach them.
    platform::BusyScope busy;
    setWorking(true);
    if (!fromLine) {
      const bool handed = handedShown();
      Text2.setText(common::FormatZeros(common::Val(Text2.Text()), 2));
      Text1.setText(padRight(Text1.Text(), common::kCodeWidth));
      if (handed) handedBox_ = Text1.Text();
    }
    if (!songKept) Text3.setText(padRight(Text3.Text(), common::kTitleWidth));
    if (!artistKept) Text4.setText(padRight(Text4.Text(), common::kArtistWidth));
    platform::letEventsThrough();
  }
  updateRecord();
}

void Edit_Record::updateRecord() {
  const std::optional<catalogue::ListLine> line = handedShown() ? handedLine_ : std::nullopt;
  const QString track = line ? handedTrack() : Text2.Text();
  const bool songKept = kept(Text3, handedSong()), artistKept = kept(Text4, handedArtist());

  maintenance::Outcome written;
  QStringList before, after;  // the record that held the line, and the edited one
  QByteArray tracksBefore;
  {
    // Keys, clicks and the close box wait until the track file is whole again; the file is read
    // under the change's lock, after any change left unfinished is finished.
    platform::BusyScope busy;
    const QString trackPath = catalogue::trackFilePath();
    maintenance::ChangeScope change;
    const auto tracks = change ? maintenance::readFileBytes(trackPath) : std::nullopt;
    if (!change) {
      written = {false, change.refusal()};
    } else if (!tracks) {
      written = {false, catalogue::cannotReadText(trackPath)};
    } else {
      // The record is that of the line's own disc, or of the one disc its code column fits (which
      // shows at most 11 characters, in capitals after a capitals pass); never a copy under another
      // code, and only while it still holds the song and artist the line shows.
      const std::optional<QString> stored = handedShown() ? handedStored_ : std::nullopt;
      const maintenance::DiscMatch match = catalogue::discOfLine(
          *tracks, {discCode(), track, stored, line ? line->song : QString(), line ? line->artist : QString()});
      if (match.discs.size() > 1) {
        written = {false, maintenance::severalDiscsText(discCode(), match.discs)};
      } else if (match.discs.isEmpty()) {
        written = {false, maintenance::nothingChangedText(
                              QStringLiteral("Disc ") + common::RTrim(stored.value_or(discCode())) +
                              QStringLiteral(" has no track ") + track + QStringLiteral(" in the database."))};
      } else if (line && !match.holdsLine) {
        written = {false, maintenance::nothingChangedText(
                              catalogue::noLongerHoldsText(match.discs[0], track, line->song, line->artist))};
      } else {
        // A kept field is the one of the record that holds the line (a line is written only then),
        // every byte of it; the code and the track are always the record's own, as it holds them,
        // and the edited record takes the place of that record and of its exact twins. A changed
        // field ends in a blank unless it fills the field's whole width.
        before = match.record;
        after =
            QStringList{match.record[0], match.record[1],
                        songKept ? match.record[2] : fitWidth(Text3.Text() + QLatin1Char(' '), common::kTitleWidth),
                        artistKept ? match.record[3] : fitWidth(Text4.Text() + QLatin1Char(' '), common::kArtistWidth)};
        const common::FileRewrite rewrite =
            maintenance::editedTracks(*tracks, match.record[0], match.record[1], maintenance::recordLine(after),
                                      {true, true, songKept, artistKept});
        written =
            rewrite ? maintenance::replaceDatabase(rewrite.content) : maintenance::Outcome{false, rewrite.refusal};
        tracksBefore = *tracks;
      }
    }
    platform::setHidden(trackPath, false);

    setWorking(false);
    platform::letEventsThrough();
  }
  if (!written) {
    // The track file is as it was; the window stays open to try again or to close.
    tell(written.message);
    return;
  }

  const bool refresh = Check1.Value() == 1;
  Unload();
  Form1* main = Form1::instance();
  if (!main) return;
  // The line shows what its track now holds, so that the next command on it acts.
  if (line) main->followEditedLine(*line, before, after, tracksBefore);
  if (!refresh) return;
  const QString search = Trim(main->cmbSearch_text.Text());
  const bool searching = !search.isEmpty() && search != Trim(Form1::kSearchPrompt);
  const bool noDiscTicked = main->List1.SelCount() == 0;
  platform::letEventsThrough();
  if (noDiscTicked && searching) main->cmdSearch.setValue(true);
  else if (main->cmdGet_Tracks.Enabled()) main->cmdGet_Tracks.setValue(true);
  else main->cmdUntag.setValue(true);
}

void Edit_Record::release() { g_window.reset(); }

#include "windows/database/add_tracks.h"

#include "catalogue/database.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "maintenance/track_database.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/database/dialog_helpers.h"
#include "windows/main/form1.h"

using common::FormatZeros;
using common::padRight;
using common::Val;

namespace {
const QString kTitle = QStringLiteral("Add Tracks");
}

add_tracks::add_tracks() : FormBase(Kind::Dialog, kTitle, QSize(700, 330)) {
  windows::setUpTrackBoxes(Text1, Text2, Text3, Text4, kTitle);
  Command1.setToolTipText(QStringLiteral("click to add track"));
  Command2.setToolTipText(QStringLiteral("click to close"));

  Label5.movePx(16, 10);
  Label6.movePx(16, 34);
  Label7.movePx(16, 56);
  Label1.movePx(16, 96);
  Text1.movePx(16, 116, 110, 24);
  Label2.movePx(140, 96);
  Text2.movePx(140, 116, 40, 24);
  Label3.movePx(16, 154);
  Text3.movePx(16, 174, 300, 24);
  Label4.movePx(16, 210);
  Text4.movePx(16, 230, 260, 24);
  Command1.movePx(470, 284, 104, 30);
  Command2.movePx(584, 284, 100, 30);

  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Text1.GotFocus = [this] { Text1_GotFocus(); };
  Text2.GotFocus = [this] { Text2_GotFocus(); };
  Text3.GotFocus = [this] { Text3_GotFocus(); };
  Text4.GotFocus = [this] { Text4_GotFocus(); };
  Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
  Text3.KeyPress = [this](int& k) { Text3_KeyPress(k); };
  Text4.KeyPress = [this](int& k) { Text4_KeyPress(k); };
  Text2.Change = [this] { Text2_Change(); };
}

void add_tracks::Form_Load() { Text1.SetFocus(); }

void add_tracks::Text1_GotFocus() { windows::selectAll(Text1); }
void add_tracks::Text2_GotFocus() { windows::selectAll(Text2); }
void add_tracks::Text3_GotFocus() { windows::selectAll(Text3); }
void add_tracks::Text4_GotFocus() { windows::selectAll(Text4); }
void add_tracks::Text1_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }
void add_tracks::Text3_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }
void add_tracks::Text4_KeyPress(int& keyAscii) { windows::upperKey(keyAscii); }

void add_tracks::Text2_Change() { windows::keepDigitsOnly(Text2); }

void add_tracks::startAgain() {
  Text2.setText(QStringLiteral("01"));
  Text1.setText(QString());
  Text3.setText(QString());
  Text4.setText(QString());
}

void add_tracks::Command1_Click() {
  if (windows::refuseTrackEntry(Text1, Text2, Text3, Text4, true)) return;

  Text2.setText(FormatZeros(Val(Text2.Text()), 2));
  const QString code = padRight(Text1.Text(), common::kCodeWidth);
  const QString track = FormatZeros(Val(Text2.Text()), 2);
  const QString song = padRight(Text3.Text(), 36);
  const QString artist = padRight(Text4.Text(), 30);

  // The files are read under the change's lock, after any change left unfinished is finished; the
  // lock is let go before any box waits for the user.
  maintenance::ChangeScope change;
  const auto refuse = [&](const QString& text) {
    change.release();
    platform::prompts().msgBox(text, platform::msg::OKOnly, kTitle);
  };
  if (!change) return refuse(change.refusal());
  const QString trackPath = catalogue::trackFilePath(), discPath = catalogue::discFilePath();
  const auto tracks = maintenance::readFileBytes(trackPath);
  if (!tracks) return refuse(catalogue::cannotReadText(trackPath));
  if (maintenance::hasTrack(*tracks, code, track)) {
    change.release();
    platform::prompts().msgBox(QStringLiteral("You already have a track ") + Text2.Text() +
                                   QStringLiteral(" for disk ") + Text1.Text() +
                                   QStringLiteral("\rPlease try again\r\r") +
                                   QStringLiteral("If you want to rewrite this track please use Edit Track."),
                               platform::msg::OKOnly, QStringLiteral("Disc, Track Duplication"));
    startAgain();
    Text1.SetFocus();
    return;
  }
  const auto discs = catalogue::readDiscFile(discPath);
  if (!discs) return refuse(catalogue::cannotReadText(discPath));

  // The track, its copy in My_Discs.kup and a new disc go in together or not at all.
  const QByteArray line = maintenance::recordLine(QStringList{code, track, song, artist});
  std::vector<std::pair<QString, QByteArray>> appends{{trackPath, line}, {maintenance::myDiscsFilePath(), line}};
  if (!maintenance::discListed(*discs, code))
    appends.emplace_back(discPath, maintenance::recordLine(QStringList{code}));
  const auto written = maintenance::appendAll(appends);
  if (!written) return refuse(written.message);
  change.release();
  changed_ = true;

  Text2.setText(FormatZeros(Val(Text2.Text()) + 1, 2));
  Text3.setText(QString());
  Text4.setText(QString());
  Text3.SetFocus();
}

void add_tracks::Command2_Click() {
  if (Form1* main = Form1::instance()) main->Label4.setCaption(common::Trim(Text1.Text()));
  platform::letEventsThrough();
  Unload();
}

#include "windows/database/dialog_helpers.h"

#include "common/text_helpers.h"
#include "platform/ui/prompts.h"
#include "windows/one_line_input.h"

#include <algorithm>

namespace windows {

namespace {

void tell(const QString& text, const QString& title) { platform::prompts().msgBox(text, platform::msg::OKOnly, title); }

const QString kUnknown = QStringLiteral("\rIf you do not know it enter Unknown");

}  // namespace

void setUpTrackBoxes(platform::TextBox& code, platform::TextBox& track, platform::TextBox& song,
                     platform::TextBox& artist, const QString& title) {
  const QFont sans(QStringLiteral("MS Sans Serif"));
  for (platform::TextBox* box : {&code, &track, &song, &artist}) box->setFont(sans);
  code.setMaxLength(10);
  track.setMaxLength(2);
  song.setMaxLength(kSongBoxLength);
  artist.setMaxLength(kArtistBoxLength);
  code.setToolTipText(QStringLiteral("enter the disc code here"));
  track.setToolTipText(QStringLiteral("enter the track number here"));
  song.setToolTipText(QStringLiteral("enter the song title here"));
  artist.setToolTipText(QStringLiteral("enter the artist here"));
  refuseUnstorableTyping(code, QStringLiteral("disc code"), title, Letters::Capitals);
  refuseUnstorableTyping(song, QStringLiteral("song title"), title, Letters::Capitals);
  refuseUnstorableTyping(artist, QStringLiteral("artist"), title, Letters::Capitals);
}

bool refuseTrackEntry(platform::TextBox& code, platform::TextBox& track, platform::TextBox& song,
                      platform::TextBox& artist, bool blankCodeRefused,
                      std::initializer_list<const platform::TextBox*> kept) {
  const auto checked = [&](const platform::TextBox* box) {
    return std::find(kept.begin(), kept.end(), box) == kept.end();
  };
  platform::TextBox* boxes[4] = {&code, &track, &song, &artist};
  for (platform::TextBox* box : boxes) {
    if (!checked(box)) continue;
    const bool isCode = box == &code && blankCodeRefused;
    const QString text = box->Text();
    if (text.contains(QLatin1Char('"')) || text.contains(QLatin1Char(',')) ||
        (isCode && text.contains(QLatin1Char(' ')))) {
      tell(isCode ? kInvalidCodeText : kInvalidText, kInvalidTitle);
      box->setText(QString());
      box->SetFocus();
      return true;
    }
  }
  const struct {
    platform::TextBox* box;
    QString text, title;
  } empties[4] = {
      {&code, kEnterCodeText, kEnterCodeTitle},
      {&track, QStringLiteral("Please enter a track number."), QStringLiteral("Nrack Number")},
      {&song, QStringLiteral("Please enter the song title.") + kUnknown, QStringLiteral("Song Title")},
      {&artist, QStringLiteral("Please enter an artist.") + kUnknown, QStringLiteral("Artist")},
  };
  for (const auto& e : empties) {
    if (checked(e.box) && e.box->Text().isEmpty()) {
      tell(e.text, e.title);
      e.box->SetFocus();
      return true;
    }
  }
  if (checked(&track) && common::Val(track.Text()) == 99) {
    tell(QStringLiteral("Only 98 tracks allowed"), QStringLiteral("Add Tracks"));
    track.setText(QStringLiteral("01"));
    code.setText(QString());
    song.setText(QString());
    artist.setText(QString());
    return true;
  }
  return false;
}

}  // namespace windows

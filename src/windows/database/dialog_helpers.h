// What the database windows share: boxes that select their whole text when they get the focus
// (windows/select_all.h), typed characters turned into capitals, the boxes of a typed track and
// their checks.
#pragma once

#include "platform/core/cp1252.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/select_all.h"

#include <QString>

#include <initializer_list>

namespace windows {

// A typed character in its upper-case form, one character for one.
inline void upperKey(int& keyAscii) {
  if (keyAscii > 0 && keyAscii < 0x10000) keyAscii = platform::cp1252::upper(QChar(char16_t(keyAscii))).unicode();
}

// A track number box holds digits only: any other character (a sign, a point, a blank, a letter)
// empties the whole box, so "-1" or "1e1" can never be stored as a track.
inline void keepDigitsOnly(platform::TextBox& box) {
  const QString text = box.Text();
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return box.setText(QString());
}

// What the user may type into the song and artist boxes: one character less than the field, whose
// last blank keeps the title apart from the artist in the song list's lines.
inline constexpr int kSongBoxLength = 35;
inline constexpr int kArtistBoxLength = 29;

// The four boxes of a track in the add and edit windows: their font, the lengths they keep
// (code 10, track 2, song 35, artist 29), their tips, and the refusal (in a box titled `title`)
// of a character the track file cannot hold; what is pasted into the code, song and artist boxes
// comes in capitals, as their typed keys do.
void setUpTrackBoxes(platform::TextBox& code, platform::TextBox& track, platform::TextBox& song,
                     platform::TextBox& artist, const QString& title);

// The refusal of a forbidden character: the text and the characters it names.
inline const QString kInvalidTitle = QStringLiteral("Invalid Character");
inline const QString kInvalidText = QStringLiteral("You can not use these characters \" , ");
// The add window's disc code also refuses the blank.
inline const QString kInvalidCodeText = QStringLiteral("You can not use these characters \"  , ");

// The refusal of an empty disc code box.
inline const QString kEnterCodeText = QStringLiteral("Please enter a Disc code.");
inline const QString kEnterCodeTitle = QStringLiteral("Disc Code");

// The checks of the add and edit windows before a track is written, in order: forbidden
// characters, empty boxes, track 99. The first that fails is shown and true returned. A box
// listed as kept shows a field the record keeps as it holds it: none of its checks apply.
bool refuseTrackEntry(platform::TextBox& code, platform::TextBox& track, platform::TextBox& song,
                      platform::TextBox& artist, bool blankCodeRefused,
                      std::initializer_list<const platform::TextBox*> kept = {});

}  // namespace windows

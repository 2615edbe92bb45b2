// Which disc a song-list line stands for. A line made from the track file in this run keeps the
// record it came from (its disc code and track exactly as the file holds them) as a number beside
// it; a line read back from a saved list has only the columns it shows, and is matched to the
// discs that fit them by the one rule below. Every command that acts on a line's disc asks here.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>
#include <vector>

namespace catalogue {

// A record of the track file as a line made from it names it.
struct LineRecord {
  QString code;  // as the file holds it: its case, its length and any blanks kept
  QString track;
};

// The records of the lines of one list, each named by a number (never 0) that the list item
// keeps beside its line. Codes and tracks are kept once each, so a number costs a line no more
// than the number itself. A number of another table names no record here.
class LineRecords {
 public:
  LineRecords();
  qint64 numberOf(std::string_view code, std::string_view track);
  std::optional<LineRecord> record(qint64 number) const;

 private:
  // Each distinct code and track is kept once, as read; it becomes text only when asked for.
  struct Values {
    std::vector<QByteArray> values;
    QHash<QByteArray, int> ids;
    int last = -1;  // the records of a disc follow each other, and so do their tracks' texts
    int idOf(std::string_view v);
  };
  qint64 table_;
  Values codes_, tracks_;
  int twoDigitTracks_[100];  // the ids of tracks "00" to "99", -1 until met
};

// What a command acting on a line knows of it.
struct ListLine {
  QString shownCode;                  // the code column as the line shows it
  QString track;                      // the track the command acts on
  std::optional<QString> storedCode;  // the code of the line's own record, when the program made the line
  QString song, artist;               // the song and artist columns as the line shows them
};

// The discs a line stands for.
struct DiscMatch {
  QStringList discs;       // the codes that fit, without trailing blanks, each once, in file order
  QString key;             // when exactly one fits: its code padded to 11 when a record holds it so,
                           // else as its first record holds it
  QStringList record;      // when exactly one fits: the four fields, as read, of its first record with
                           // the track that holds the line, else of its first record with the track
  bool holdsLine = false;  // when exactly one fits: a record of it with the track still holds the line
};

// A line and a record meet on a track by its number (trackIdentity): a line showing "01", or
// "1 " as an earlier version wrote it, is the track a record holds as "1". A line with its own
// record stands for that record's disc (its whole code, trailing blanks aside, in its own case). A line read back from
// a saved list stands for every disc holding the track whose code, padded or cut to 11 characters, the line shows:
// exactly, or in any case where the line shows it in capitals (the capitals passes write the code column so, while a
// small letter in it is the file's own), and so also any longer code that begins with the 11 characters shown. A
// command acts only where exactly one disc fits, and only while a record of that disc and track still holds the song
// and artist the line shows: the record's title and artist cut or padded to their columns, compared in capitals (the
// capitals passes change a line's case and nothing else). A track deleted, or a code changed, since the line was made
// can leave another disc's track fitting the line; a track edited since holds other words.
std::vector<DiscMatch> discsOfLines(const QByteArray& tracks, const std::vector<ListLine>& lines);
DiscMatch discOfLine(const QByteArray& tracks, const ListLine& line);

// What the user is told when a line fits more than one disc.
QString fitsSeveralDiscsText(const QString& shown, const QStringList& discs);
// What brings the song list up to date with the database.
inline const QString kListUpToDateText = QStringLiteral("Create List brings the list up to date.");
// What the user is told when the one disc a line fits no longer holds what the line shows: the
// disc as matched, the line's track, the song and artist the line shows (trimmed), and, unless
// left for after a list of such lines, what brings the list up to date. A command it stops adds
// that nothing has been changed.
QString noLongerHoldsText(const QString& disc, const QString& track, const QString& shownSong,
                          const QString& shownArtist, bool withUpToDate = true);

}  // namespace catalogue

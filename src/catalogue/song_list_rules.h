// Rules over the whole song list: which lines stay when duplicates are hidden, and which lines
// are vocal tracks.
#pragma once

#include "catalogue/song_line.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace catalogue {

// The rows of the lines left when duplicate songs are hidden, from lines in list order. In the
// code layout the first line of each song and artist stays, wherever the others stand; in the
// other layouts a run of neighbours with the same song and artist keeps its first line.
// `progress` is told the index of every 1500th line as it is reached. When `keptAhead` is given,
// it receives for every line the row of the line that stays in its place (its own row when it stays).
std::vector<int> rowsWithoutDupes(const QStringList& lines, Sort sort, const std::function<void(int)>& progress = {},
                                  std::vector<int>* keptAhead = nullptr);

// Of the lines Hide Duplicates hid (`copies`, each hidden behind the line beside it in `behind`,
// both in the list's layout), the one that shows again when `line` leaves the list or shows
// another song: the first in the list's order of those hidden behind it, in any capitals, that
// `stays` accepts; -1 when there is none.
qsizetype copyShownInstead(const QString& line, const QStringList& copies, const QStringList& behind,
                           const std::function<bool(qsizetype)>& stays = {});

// A vocal track: its line holds "(V" in any case.
bool isVocalLine(const QString& line);

}  // namespace catalogue

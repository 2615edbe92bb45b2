// The case designer's preview: where its panels, pictures, titles and track lists stand in the
// window's 100 x 100 units, and the track list it shows, one track a line.
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace covers {

// The case window's client area, in twips (15 to a pixel).
constexpr double kCaseClientWidthTwips = 8220;
constexpr double kCaseClientHeightTwips = 6915;

namespace case_preview {
constexpr QRectF kShadowTwips{3645, 195, 4545, 6705};
constexpr QRectF kPageTwips{3615, 150, 4515, 6690};
constexpr QRectF kFront{49, 6, 36, 43};       // the front background and its outline
constexpr QRectF kBack{49, 50, 43, 43};       // the back background and its outline
constexpr QRectF kBackInner{52, 50, 37, 43};  // the back between its two side strips
constexpr QRectF kFrontPicture{48.5, 5.5, 37, 44};
constexpr QRectF kBackPicture{48.5, 49.5, 44, 44};
constexpr double kFrontTitleTop = 8;
constexpr double kFrontTitleCentre = 67.5;
constexpr double kBackTitleTop = 52;
constexpr double kBackTitleCentre = 71;
// Each track list from its top-left corner to its panel's right and bottom edges: the lines the
// paper prints, scaled, stay inside their panel.
constexpr QRectF kFrontTrackList{50, 16, kFront.right() - 50, kFront.bottom() - 16};
constexpr QRectF kBackTrackList{53, 60, kBackInner.right() - 53, kBack.bottom() - 60};
constexpr double kTitleEditorWidthTwips = 7245;
constexpr double kTextInset = 0.9;  // a title stops this short of its face's sides, as on paper
// The room of each title: its face's width less the insets, down to the track list's top. The
// preview's titles stay in them, as the paper's titles stay in their faces.
constexpr QSizeF kFrontTitleRoom{kFront.width() - 2 * kTextInset, kFrontTrackList.top() - kFrontTitleTop};
constexpr QSizeF kBackTitleRoom{kBackInner.width() - 2 * kTextInset, kBackTrackList.top() - kBackTitleTop};
}  // namespace case_preview

// One track a line: the track number, a blank, the song, a comma and the artist (song and
// artist without their padding blanks).
QStringList caseTrackLines(const QStringList& items);
// The preview's track list: every line followed by a carriage return.
QString caseTrackText(const QStringList& items);

}  // namespace covers

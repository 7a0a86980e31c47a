// Keeps windows on their screen: inside the screen's available area (without task bars and docks),
// title bar and frame included, so that no caption, menu or button ends up out of reach.
//
// PlaatsIn is the rule itself, without any widget. PlaatsOpScherm applies it to a window when it is
// shown; a window with a fixed size that is larger than the screen (a small screen, or a display scale
// of 2) gets smaller and scrolls its contents, which keep their own size. HoudOpScherm does the same on
// every showing of a window that places itself nowhere else.
#pragma once

#include <QMargins>
#include <QRect>

#include <functional>

class QWidget;

namespace korvalinde {

// The frame rectangle `kader` moved (and where needed made smaller) so that it lies inside
// `beschikbaar`. A frame that fits keeps its size and moves only as far as needed; one that is wider or
// higher than the area gets the area's width or height and its top-left corner, so the title bar stays
// reachable. An empty area leaves the frame as it is.
QRect PlaatsIn(const QRect& kader, const QRect& beschikbaar);

// A frame of size `maat` centred in `beschikbaar`, then placed inside it as PlaatsIn does.
QRect GecentreerdIn(const QSize& maat, const QRect& beschikbaar);

enum class TPlaatsing { Houden, Centreren };

// Places the top-level window `venster` inside `beschikbaar` (empty: the available area of the window's
// screen), centred or from where it stands. A window too large for the area shrinks to it; when its size
// was fixed, its contents move into a scroll area first and keep their size, and when its contents need
// more room than the area has, they scroll at the smallest size their layout allows. The frame is counted
// with the margins the window system reports; where those are not known yet (a window that is being mapped
// for the first time) the placement is checked again once they are.
void PlaatsOpScherm(QWidget* venster, TPlaatsing plaatsing, const QRect& beschikbaar = QRect());

// Keeps `venster` on its screen at every showing, from the position and size it was given.
void HoudOpScherm(QWidget* venster);

// Where the available area of a window's screen comes from. Empty (the default): the screen itself. Tests
// give a small or offset area here to see every window placed in it.
void ZetSchermvlakBron(std::function<QRect(const QWidget* venster)> bron);

// The frame margins of a top-level window as the window system reports them (0 when not known).
QMargins Kantlijnen(const QWidget* venster);

} // namespace korvalinde

// Where the main window stands and how its splitter divides it, within what
// the screen and the window leave: a stored position, size or tab width may
// come from another screen, another display scaling or a wider window.
#pragma once

#include <QRect>

class QDockWidget;
class QSplitter;
class QWidget;

namespace dravik::ui {

// The narrowest either side of the splitter becomes, so that neither the
// preview nor the tables turn into a sliver.
constexpr int kMinimumPaneWidth = 150;

// The width of the splitter's second pane, `stored`, kept so that both panes
// of a splitter whose panes share `available` pixels (its handle left out)
// keep kMinimumPaneWidth, or a third of `available` each when that is less.
int ClampedPaneWidth(int stored, int available);

// `frame` (a window's outer rectangle) shrunk to `available` where it is
// larger, and moved as little as makes it lie within it.
QRect FitInto(const QRect& frame, const QRect& available);

// Neither pane of the splitter can be dragged or squeezed below
// kMinimumPaneWidth.
void KeepPanesUsable(QSplitter* splitter);

// A dock shown or hidden beside the splitter takes its room from, or gives
// it back to, the splitter's other pane: `pane` keeps its width (the
// preview, left a sliver by the column summary), as long as the other pane
// keeps its minimum width.
void KeepPaneWhileDocking(QSplitter* splitter, int pane, QDockWidget* dock);

// When `window` is first shown and not maximized, its frame is fitted into
// the available area of the screen it stands on (the frame's size is known
// only then).
void FitOnScreenWhenShown(QWidget* window);

}  // namespace dravik::ui

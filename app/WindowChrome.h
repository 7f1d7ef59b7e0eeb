// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <Qt>

// Geometry rules of the self-drawn window frame, free of widgets so they can be tested.
namespace WindowChrome {

// Where the cursor is relative to the frame's two-pixel edge bands.
enum Region : int {
    Top = 0,
    Bottom = 1,
    Left = 2,
    Right = 3,
    TopLeft = 4,
    BottomLeft = 5,
    BottomRight = 6,
    TopRight = 7,
    Inside = 8,
};

// `frame` is the window in global coordinates: its top-left and bottom-right pixels.
Region edgeRegion(const QRect& frame, const QPoint& globalPos);
Qt::CursorShape cursorFor(Region region);
// The new global rectangle while dragging `region` to `globalPos`.
QRect resizedFrame(Region region, const QRect& frame, const QPoint& globalPos,
                   const QSize& minimum);

// Program-wide maximise state: toggling returns the geometry to apply.
class MaximiseToggle {
public:
    QRect toggle(const QRect& current, const QRect& available);

private:
    bool saved = false;
    bool maximised = false;
    QRect normalGeometry;
};

} // namespace WindowChrome

// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowChrome.h"

namespace WindowChrome {

namespace {
constexpr int bandWidth = 2;
}

Region edgeRegion(const QRect& frame, const QPoint& p) {
    const bool left = p.x() >= frame.left() && p.x() <= frame.left() + bandWidth - 1;
    const bool right = p.x() >= frame.right() - bandWidth + 1 && p.x() <= frame.right();
    const bool top = p.y() >= frame.top() && p.y() <= frame.top() + bandWidth - 1;
    const bool bottom = p.y() >= frame.bottom() - bandWidth + 1 && p.y() <= frame.bottom();
    if (left && top)
        return TopLeft;
    if (left && bottom)
        return BottomLeft;
    if (right && bottom)
        return BottomRight;
    if (right && top)
        return TopRight;
    if (left)
        return Left;
    if (right)
        return Right;
    if (top)
        return Top;
    if (bottom)
        return Bottom;
    return Inside;
}

Qt::CursorShape cursorFor(Region region) {
    switch (region) {
    case TopLeft:
    case BottomRight:
        return Qt::SizeFDiagCursor;
    case BottomLeft:
    case TopRight:
        return Qt::SizeBDiagCursor;
    case Left:
    case Right:
        return Qt::SizeHorCursor;
    case Top:
    case Bottom:
        return Qt::SizeVerCursor;
    case Inside:
        break;
    }
    return Qt::ArrowCursor;
}

QRect resizedFrame(Region region, const QRect& frame, const QPoint& g, const QSize& minimum) {
    QRect r = frame;
    const auto moveTop = [&] {
        if (r.bottom() - g.y() > minimum.height())
            r.setTop(g.y());
    };
    const auto moveLeft = [&] {
        if (r.right() - g.x() > minimum.width())
            r.setLeft(g.x());
    };
    switch (region) {
    case Top:
        moveTop();
        break;
    case Bottom:
        r.setBottom(g.y() - 1);
        break;
    case Left:
        moveLeft();
        break;
    case Right:
        r.setRight(g.x() - 1);
        break;
    case TopLeft:
        moveLeft();
        moveTop();
        break;
    case BottomLeft:
        r.setLeft(g.x());
        r.setBottom(g.y() - 1);
        break;
    case BottomRight:
        r.setRight(g.x() - 1);
        r.setBottom(g.y() - 1);
        break;
    case TopRight:
        r.setRight(g.x() - 1);
        r.setTop(g.y());
        break;
    case Inside:
        break;
    }
    return r;
}

QRect MaximiseToggle::toggle(const QRect& current, const QRect& available) {
    if (!saved) {
        normalGeometry = current;
        saved = true;
    }
    QRect next;
    if (maximised) {
        next = normalGeometry;
    } else {
        normalGeometry = current;
        next = available;
    }
    maximised = !maximised;
    return next;
}

} // namespace WindowChrome

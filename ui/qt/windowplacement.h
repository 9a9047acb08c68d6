// Where a window goes whose bounds were kept from an earlier run: where it
// was, unless that is no longer on any screen (a monitor was removed, the
// resolution dropped); then at the top left of the primary screen, so the
// window can always be seen and moved. Its size is held to the desktop.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// A window counts as visible when at least this much of it lies on one
// screen: enough to see it and to grab it.
inline constexpr int kMinVisibleWidth = 100;
inline constexpr int kMinVisibleHeight = 50;

// The top-left corner for a window of the given size kept at pos: pos when
// the window is visible on one of the screens' available areas, otherwise
// primary.topLeft(). Any int is accepted, however far off it lies.
QPoint VisibleWindowPos(QPoint pos, QSize size, const QList<QRect>& screens, const QRect& primary);

// The size, cut to the bounding box of the screens' available areas: a
// window no screen can show has no use, and a kept size of millions of
// pixels would not even get a picture to draw into.
QSize VisibleWindowSize(QSize size, const QList<QRect>& screens);

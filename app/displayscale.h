#ifndef DISPLAYSCALE_H
#define DISPLAYSCALE_H

#include <QSize>

class QWidget;

// The form has fixed positions and sizes: the toolkit scales it as one piece, geometry
// and fonts, by the screen's own factor (Windows' display scale, a Linux desktop's
// Xft.dpi, QT_SCALE_FACTOR), unrounded. Call before the application object exists.
void enableUnroundedScaling();

// Room, in the window's own pixels at scale 1, that a desktop's title bar and borders take.
constexpr QSize frameAllowance(16, 48);

// The scale at which to draw a window whose contents are `window` at scale 1 on a screen
// with this available area (in device pixels) and scale: the screen's own where the window
// fits, else the largest multiple of 0.25 from 1 up that fits, else (a very small screen)
// exactly the scale that fits.
qreal fittingScale(QSize window, QSize availableArea, qreal screenScale);

// The factor to add to the toolkit's scale, through QT_SCALE_FACTOR, for the window to be
// drawn at fittingScale on its screen: 1 where it fits at the screen's own scale.
qreal zoomToFit(const QWidget &window);

// Makes the next application object draw everything `zoom` times its scale.
void zoomNextApplication(qreal zoom);

// Centres the window on its screen's available area.
void placeOnScreen(QWidget &window);

#endif // DISPLAYSCALE_H

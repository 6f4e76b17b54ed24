#include "displayscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

void enableUnroundedScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales; Qt 5 must be told, or the form stays tiny on a 150 % screen.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    // Qt 5 would round 1.25 to 1 and 1.5 to 2: fonts taken at 120 dpi would not fit the
    // form's 100 % geometry, or the window would open twice as large, past the screen.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

qreal fittingScale(QSize window, QSize availableArea, qreal screenScale)
{
    // The desktop draws the title bar and borders at the screen's own scale.
    const QSize room = availableArea - frameAllowance * screenScale;
    const auto fits = [&](qreal scale) {
        return window.width() * scale <= room.width() && window.height() * scale <= room.height();
    };
    if (fits(screenScale))
        return screenScale;
    for (qreal scale = std::ceil(screenScale * 4 - 1) / 4; scale >= 1; scale -= 0.25) {
        if (fits(scale))
            return scale;
    }
    return qMax(qreal(0.25), qMin(qreal(room.width()) / window.width(), qreal(room.height()) / window.height()));
}

qreal zoomToFit(const QWidget &window)
{
    const QScreen *screen = window.screen();
    const qreal scale = screen->devicePixelRatio();
    const QSize area = screen->availableGeometry().size() * scale;
    return fittingScale(window.size(), area, scale) / scale;
}

void zoomNextApplication(qreal zoom)
{
    bool set = false;
    const qreal current = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
    qputenv("QT_SCALE_FACTOR", QByteArray::number((set && current > 0 ? current : 1) * zoom));
}

void placeOnScreen(QWidget &window)
{
    const QRect area = window.screen()->availableGeometry();
    const QSize frame = window.size() + frameAllowance;
    window.move(area.x() + qMax(0, (area.width() - frame.width()) / 2),
                area.y() + qMax(0, (area.height() - frame.height()) / 2));
}

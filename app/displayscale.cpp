#include "displayscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) && defined(TALLOWIN_X11)
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// Whether the X desktop sets a font resolution (Xft.dpi, among the X resources), which is
// how Linux desktops ask for 125 %, 150 % or 200 %. True when there is no X server to ask.
bool xDesktopSetsFontResolution()
{
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    bool set = true;
    if (!xcb_connection_has_error(connection)) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const xcb_get_property_cookie_t cookie = xcb_get_property(
            connection, false, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 20);
        if (xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr)) {
            const QByteArray resources(static_cast<const char *>(xcb_get_property_value(reply)),
                                       xcb_get_property_value_length(reply));
            set = resources.startsWith("Xft.dpi:") || resources.contains("\nXft.dpi:");
            std::free(reply);
        }
    }
    xcb_disconnect(connection);
    return set;
}

} // namespace
#endif

void enableUnroundedScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales; Qt 5 must be told, or the form stays tiny on a 150 % screen.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#ifdef TALLOWIN_X11
    // Where the desktop sets no font resolution, Qt 5 would take the screen's size in
    // millimetres instead (1.04 on a 100 dpi screen: a blurred form); Qt 6 takes 96 there.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform.isEmpty() || platform.startsWith("xcb")) && qEnvironmentVariableIsSet("DISPLAY")
        && !qEnvironmentVariableIsSet("QT_FONT_DPI") && !xDesktopSetsFontResolution())
        qputenv("QT_FONT_DPI", "96");
#endif
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
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 1; // no one's desktop: tests and benchmarks draw in memory
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

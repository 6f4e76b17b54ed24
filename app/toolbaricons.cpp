#include "toolbaricons.h"

#include <QImageReader>
#include <QPixmap>
#include <QResource>
#include <QWidget>

#include <cmath>

namespace {

// The name of the style's images of an icon.
QString styleImage(QStyle::StandardPixmap standard)
{
    switch (standard) {
    case QStyle::SP_DialogOpenButton:
        return QStringLiteral("open");
    case QStyle::SP_DialogSaveButton:
        return QStringLiteral("save");
    default:
        return QString();
    }
}

// The style's image of 16 or 32 pixels, kept in our resources as the raw pixels it decodes to
// (resources/toolbar-icons.sh): decoding a PNG costs more than all the rest of the tool bar.
QImage rawStyleImage(const QString &name, int size)
{
    const QResource resource(QStringLiteral(":/toolbar/%1-%2.rgba").arg(name).arg(size));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression
        || resource.size() != qint64(size) * size * 4)
        return QImage();
    return QImage(resource.data(), size, size, size * 4, QImage::Format_RGBA8888_Premultiplied);
}

// The style's image of 128 pixels, in the toolkit's resources.
QImage largeStyleImage(const QString &name)
{
    // Read as what it is: QIcon::addFile would first look into the file to guess its format.
    QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-%1-128.png").arg(name), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QIcon toolBarIcon(const QString &themeName, QStyle::StandardPixmap standard, const QWidget *widget, int size)
{
    Q_INIT_RESOURCE(toolbaricons);
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    const int pixels = int(std::ceil(size * widget->devicePixelRatioF()));
    const QString name = styleImage(standard);
    const QImage image = name.isEmpty() ? QImage()
        : pixels <= 16                  ? rawStyleImage(name, 16)
        : pixels <= 32                  ? rawStyleImage(name, 32)
                                        : largeStyleImage(name);
    if (!image.isNull())
        return QIcon(QPixmap::fromImage(image));
    return widget->style()->standardIcon(standard, nullptr, widget);
}

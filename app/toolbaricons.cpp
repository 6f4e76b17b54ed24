#include "toolbaricons.h"

#include <QImageReader>
#include <QPixmap>
#include <QWidget>

#include <cmath>

namespace {

// The name of the style's images of an icon, in the toolkit's resources.
QString styleImage(QStyle::StandardPixmap standard)
{
    switch (standard) {
    case QStyle::SP_DialogOpenButton:
        return QStringLiteral("standardbutton-open");
    case QStyle::SP_DialogSaveButton:
        return QStringLiteral("standardbutton-save");
    default:
        return QString();
    }
}

} // namespace

QIcon toolBarIcon(const QString &themeName, QStyle::StandardPixmap standard, const QWidget *widget, int size)
{
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    const int pixels = int(std::ceil(size * widget->devicePixelRatioF()));
    const QString name = styleImage(standard);
    for (const int available : {16, 32, 128}) {
        if (available < pixels && available != 128)
            continue;
        // Read as what it is: QIcon::addFile would first look into the file to guess its format.
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(name).arg(available), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = name.isEmpty() ? QImage() : reader.read();
        if (image.isNull())
            break;
        return QIcon(QPixmap::fromImage(image));
    }
    return widget->style()->standardIcon(standard, nullptr, widget);
}

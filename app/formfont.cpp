#include "formfont.h"

#include <QFontDatabase>
#include <QWidget>

namespace {

QString formFamily()
{
#ifdef Q_OS_WIN
    return QStringLiteral("MS Shell Dlg 2");
#else
    // By its exact name: a family that the system substitutes for it lacks its metrics.
    const QString tahoma = QStringLiteral("Tahoma");
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const bool installed = QFontDatabase::families().contains(tahoma);
#else
    const bool installed = QFontDatabase().families().contains(tahoma);
#endif
    if (installed)
        return tahoma;
    // Wine's own Tahoma (Debian's fonts-wine, LGPL), made with Tahoma's metrics,
    // is kept out of the system's font configuration: load it for this program.
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(TALLOWIN_TAHOMA_FILE));
    return QFontDatabase::applicationFontFamilies(id).value(0); // none: the platform's own
#endif
}

} // namespace

void setFormFont(QWidget *form)
{
    QFont font; // sets only what is set below, inherits the rest
    const QString family = formFamily();
    if (!family.isEmpty())
        font.setFamily(family);
    // At 8 points "Coeff portance :" runs 8 pixels past its room: 7.5 is the largest size
    // at which every text reads whole, in the Windows style and in Fusion alike.
    font.setPointSizeF(7.5);
#ifdef Q_OS_WIN
    // Through GDI's full hinting, Tahoma at 10 pixels loses the strokes of its l and i under
    // Wine; with this preference the toolkit draws through DirectWrite, whole at every size.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    form->setFont(font);
}

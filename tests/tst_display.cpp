// The form at one display scale, the one this process runs at (QT_SCREEN_SCALE_FACTORS, or
// the desktop's, given as TALLOWIN_EXPECTED_SCALE):
// drawn at that scale, every label, check box, group title and number reads whole, the
// fonts the form must not touch stay, and the window fits the screens authors have.
#include "displayscale.h"
#include "fencodegenere.h"
#include "mainwindow.h"
#include "textfit.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

class TestDisplay : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    QWidget *form() const { return window->centralWidget(); }

    static qreal scale() { return qEnvironmentVariable("TALLOWIN_EXPECTED_SCALE", qEnvironmentVariable("QT_SCREEN_SCALE_FACTORS", "1")).toDouble(); }

public:
    static void initMain() { enableUnroundedScaling(); } // as the program starts

private slots:
    void initTestCase()
    {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->devicePixelRatioF(), scale()); // drawn at the screen's scale, unrounded
        for (auto *box : window->findChildren<QGroupBox *>())
            box->setChecked(true);
        for (auto *box : window->findChildren<QCheckBox *>())
            box->setChecked(true);
    }

    void readsWhole_data()
    {
        QTest::addColumn<QString>("name");
        for (const QWidget *widget : form()->findChildren<QWidget *>()) {
            const bool group = qobject_cast<const QGroupBox *>(widget);
            if (group || qobject_cast<const QLabel *>(widget) || qobject_cast<const QCheckBox *>(widget))
                QTest::newRow(qPrintable(widget->property(group ? "title" : "text").toString())) << widget->objectName();
        }
    }
    void readsWhole()
    {
        QFETCH(QString, name);
        const int overflow = textOverflow(form()->findChild<QWidget *>(name));
        QVERIFY2(overflow <= 2, qPrintable(QStringLiteral("%1 cut by %2 px").arg(name).arg(overflow)));
    }

    // Each field's start value and the widest of the numbers authors type, up to 7 characters.
    void numbersWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        for (QDoubleSpinBox *box : form()->findChildren<QDoubleSpinBox *>()) {
            QString widest;
            for (double value : {2880.0, 15000.0, 1500.0, box->maximum()}) {
                const QString text = box->textFromValue(qMin(value, box->maximum()));
                if (text.size() <= 7 && box->fontMetrics().horizontalAdvance(text) > box->fontMetrics().horizontalAdvance(widest))
                    widest = text;
            }
            QTest::newRow(qPrintable(box->objectName() + QStringLiteral(" at start"))) << box->objectName() << QString();
            QTest::newRow(qPrintable(box->objectName() + ' ' + widest)) << box->objectName() << widest;
        }
    }
    void numbersWhole()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        auto *box = field<QDoubleSpinBox>(*window, name);
        if (!typed.isEmpty()) {
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            typeText(box, typed);
            QTest::keyClick(box, Qt::Key_Tab);
            QCOMPARE(box->text(), typed);
        }
        const int overflow = numberOverflow(box, box->text());
        QVERIFY2(overflow <= 0, qPrintable(QStringLiteral("%1 cut by %2 px").arg(box->text()).arg(overflow)));
    }

    void fontsThatStay()
    {
        const QFont button = field<QPushButton>(*window, "generer")->font();
        QVERIFY(button.family() == QLatin1String("Verdana") && button.pointSize() == 25);
        // The engine group's own font sets kerning alone: size and family come from the form.
        const QFont engine = field<QGroupBox>(*window, "LiquidEngine")->font();
        QVERIFY(engine.kerning() && engine.family() == form()->font().family());
        QCOMPARE(engine.pointSizeF(), form()->font().pointSizeF());
        const QString family = QFontInfo(form()->font()).family();
        QVERIFY2(family == QLatin1String("Tahoma") || family == QLatin1String("MS Shell Dlg 2"), qPrintable(family));
        // The result dialog keeps Verdana at the toolkit's size.
        FenCodeGenere dialog(QStringLiteral("PART\n{\n}\n"), window.get());
        const QTextEdit *text = dialog.findChild<QTextEdit *>();
        QVERIFY(text->font().family() == QLatin1String("Verdana") && text->font().pointSizeF() == QApplication::font(text).pointSizeF());
    }

    // The window grows by what the tool bar's buttons need: the form keeps its place and size.
    void toolBarAboveTheForm()
    {
        const auto *bar = field<QToolBar>(*window, "mainToolBar");
        const QWidget *button = bar->widgetForAction(window->findChild<QAction *>("actionOuvrir"));
        QVERIFY(button && button->isVisible() && button->size().expandedTo(button->sizeHint()) == button->size());
        QCOMPARE(form()->geometry(), QRect(QPoint(0, bar->geometry().bottom() + 1), QSize(819, 553)));
        QCOMPARE(window->height(), bar->height() + 553 + window->statusBar()->height());
        if (QIcon::hasThemeIcon(QStringLiteral("document-open")))
            return;
        // Without a desktop theme: the style's own images, pixel for pixel, of the size the scale asks for.
        const int pixels = qCeil(bar->iconSize().width() * scale()), size = pixels <= 16 ? 16 : pixels <= 32 ? 32 : 128;
        for (const char *image : {"open", "save"}) {
            const QIcon icon = window->findChild<QAction *>(image == QByteArray("open") ? "actionOuvrir" : "actionEnregistrer")->icon();
            QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(size, size)}));
            const QImage style(QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-%1-%2.png").arg(image).arg(size));
            QCOMPARE(icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     style.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }

    // A fixed window on a laptop's screen, its taskbar taking 40 pixels at 100 %: drawn at
    // the screen's scale where it fits, else at one where it does.
    void fitsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1920x1080") << QSize(1920, 1080);
        QTest::newRow("1366x768") << QSize(1366, 768);
    }
    void fitsTheScreen()
    {
        QFETCH(QSize, screen);
        QVERIFY(window->minimumSize() == window->size() && window->maximumSize() == window->size());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        const QSize area = screen - QSize(0, qRound(40 * scale()));
        const auto fits = [&](qreal at) { return (window->size() * at + frameAllowance * scale()).boundedTo(area)
                                                 == window->size() * at + frameAllowance * scale(); };
        const qreal drawnAt = fittingScale(window->size(), area, scale());
        QVERIFY2(fits(drawnAt), qPrintable(QString::number(drawnAt)));
        QVERIFY(fits(scale()) ? drawnAt == scale() : drawnAt < scale());
    }
};

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"

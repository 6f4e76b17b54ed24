// Every label, check box and group title of the form reads whole in the font
// the form is given, and the fonts the form must not touch stay as they are.
#include "fencodegenere.h"
#include "formfont.h"
#include "mainwindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestFormTexts : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    QWidget *form() const { return window->centralWidget(); }

    // The texts cut once the form is laid out again at that size.
    int cutTextsAt(qreal points)
    {
        QFont font = form()->font();
        font.setPointSizeF(points);
        form()->setFont(font);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const auto widgets = form()->findChildren<QWidget *>();
        return int(std::count_if(widgets.begin(), widgets.end(), [](const QWidget *w) { return textOverflow(w) > 2; }));
    }

private slots:
    void initTestCase()
    {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
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

    void formFontIsTheLargestThatFits()
    {
        const qreal points = form()->font().pointSizeF();
        const QString family = QFontInfo(form()->font()).family();
        QVERIFY2(family == QLatin1String("Tahoma") || family == QLatin1String("MS Shell Dlg 2"), qPrintable(family));
        QVERIFY2(points >= 6 && points <= 8, qPrintable(QString::number(points)));
        if (points < 8)
            QVERIFY(cutTextsAt(points + 0.5) > 0);
        // Half as large again, as a default font may be: the measure sees the texts cut.
        QVERIFY(cutTextsAt(points * 1.5) > 5);
        QCOMPARE(cutTextsAt(points), 0);
    }

    void fontsThatStay()
    {
        const QFont button = window->findChild<QPushButton *>(QStringLiteral("generer"))->font();
        QCOMPARE(button.family(), QStringLiteral("Verdana"));
        QCOMPARE(button.pointSize(), 25);
        // The engine group's own font sets kerning alone: size and family come from the form.
        const QFont engine = window->findChild<QGroupBox *>(QStringLiteral("LiquidEngine"))->font();
        QVERIFY(engine.kerning());
        QCOMPARE(engine.family(), form()->font().family());
        QCOMPARE(engine.pointSizeF(), form()->font().pointSizeF());
        // The result dialog keeps Verdana at the toolkit's size.
        FenCodeGenere dialog(QStringLiteral("PART\n{\n}\n"), window.get());
        const QTextEdit *text = dialog.findChild<QTextEdit *>();
        QCOMPARE(text->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(text->font().pointSizeF(), QApplication::font(text).pointSizeF());
    }
};

QTEST_MAIN(TestFormTexts)
#include "tst_formtexts.moc"

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

#include <memory>

class TestFormTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsWhole_data();
    void readsWhole();
    void formFontIsTheLargestThatFits();
    void fontsThatStay();
    void aLargerFontIsSeenCut();

private:
    QWidget *form() const { return window->centralWidget(); }
    // Sets the form's font and lays the shown window out again at once.
    void setFormPointSize(qreal points);
    int cutTexts() const;

    std::unique_ptr<MainWindow> window;
};

void TestFormTexts::initTestCase()
{
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestFormTexts::readsWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    for (const QWidget *widget : form()->findChildren<QWidget *>()) {
        const QString text = widget->property(qobject_cast<const QGroupBox *>(widget) ? "title" : "text").toString();
        if (qobject_cast<const QLabel *>(widget) || qobject_cast<const QCheckBox *>(widget)
            || qobject_cast<const QGroupBox *>(widget))
            QTest::newRow(qPrintable(text)) << widget->objectName() << text;
    }
}

void TestFormTexts::readsWhole()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    const int overflow = textOverflow(form()->findChild<QWidget *>(name));
    QVERIFY2(overflow <= 2, qPrintable(QStringLiteral("%1 cut by %2 px").arg(name).arg(overflow)));
}

void TestFormTexts::formFontIsTheLargestThatFits()
{
    const QFont font = form()->font();
    const QString family = QFontInfo(font).family();
    QVERIFY2(family == QLatin1String("Tahoma") || family == QLatin1String("MS Shell Dlg 2"), qPrintable(family));
    QVERIFY2(font.pointSizeF() >= 6 && font.pointSizeF() <= 8, qPrintable(QString::number(font.pointSizeF())));
    QCOMPARE(cutTexts(), 0);
    if (font.pointSizeF() < 8) { // half a point more cuts some text
        setFormPointSize(font.pointSizeF() + 0.5);
        QVERIFY(cutTexts() > 0);
        setFormPointSize(font.pointSizeF());
    }
}

void TestFormTexts::fontsThatStay()
{
    const QFont button = window->findChild<QPushButton *>(QStringLiteral("generer"))->font();
    QCOMPARE(button.family(), QStringLiteral("Verdana"));
    QCOMPARE(button.pointSize(), 25);
    QVERIFY(!button.bold());

    // The engine group's own font sets kerning alone: size and family come from the form.
    const QFont engine = window->findChild<QGroupBox *>(QStringLiteral("LiquidEngine"))->font();
    QVERIFY(engine.kerning());
    QCOMPARE(engine.family(), form()->font().family());
    QCOMPARE(engine.pointSizeF(), form()->font().pointSizeF());

    FenCodeGenere dialog(QStringLiteral("PART\n{\n}\n"), window.get());
    const QFont result = dialog.findChild<QTextEdit *>()->font();
    QCOMPARE(result.family(), QStringLiteral("Verdana"));
    QCOMPARE(result.pointSizeF(), QApplication::font().pointSizeF());
}

void TestFormTexts::aLargerFontIsSeenCut()
{
    // Half as large again: the wing's labels lose their room, as under a default font.
    const qreal fitted = form()->font().pointSizeF();
    setFormPointSize(fitted * 1.5);
    QVERIFY(textOverflow(form()->findChild<QWidget *>(QStringLiteral("label_17"))) > 2);
    QVERIFY(cutTexts() > 5);
    setFormPointSize(fitted);
    QCOMPARE(cutTexts(), 0);
}

void TestFormTexts::setFormPointSize(qreal points)
{
    QFont font = form()->font();
    font.setPointSizeF(points);
    form()->setFont(font);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

int TestFormTexts::cutTexts() const
{
    const auto widgets = form()->findChildren<QWidget *>();
    return int(std::count_if(widgets.begin(), widgets.end(), [](const QWidget *w) { return textOverflow(w) > 2; }));
}

QTEST_MAIN(TestFormTexts)
#include "tst_formtexts.moc"

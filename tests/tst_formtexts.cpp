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

private:
    QWidget *form() const { return window->centralWidget(); }
    // Sets the form's size in points and lays the shown window out again at once.
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
    for (const QWidget *widget : form()->findChildren<QWidget *>()) {
        const bool group = qobject_cast<const QGroupBox *>(widget);
        if (group || qobject_cast<const QLabel *>(widget) || qobject_cast<const QCheckBox *>(widget))
            QTest::newRow(qPrintable(widget->property(group ? "title" : "text").toString())) << widget->objectName();
    }
}

void TestFormTexts::readsWhole()
{
    QFETCH(QString, name);
    const int overflow = textOverflow(form()->findChild<QWidget *>(name));
    QVERIFY2(overflow <= 2, qPrintable(QStringLiteral("%1 cut by %2 px").arg(name).arg(overflow)));
}

void TestFormTexts::formFontIsTheLargestThatFits()
{
    const qreal points = form()->font().pointSizeF();
    const QString family = QFontInfo(form()->font()).family();
    QVERIFY2(family == QLatin1String("Tahoma") || family == QLatin1String("MS Shell Dlg 2"), qPrintable(family));
    QVERIFY2(points >= 6 && points <= 8, qPrintable(QString::number(points)));
    if (points < 8) {
        setFormPointSize(points + 0.5);
        QVERIFY(cutTexts() > 0);
    }
    // Half as large again, as a default font may be: the wing's labels lose their room.
    setFormPointSize(points * 1.5);
    QVERIFY(textOverflow(form()->findChild<QWidget *>(QStringLiteral("label_17"))) > 2);
    QVERIFY(cutTexts() > 5);
    setFormPointSize(points);
    QCOMPARE(cutTexts(), 0);
}

void TestFormTexts::fontsThatStay()
{
    const QFont button = window->findChild<QPushButton *>(QStringLiteral("generer"))->font();
    QCOMPARE(button.family(), QStringLiteral("Verdana"));
    QCOMPARE(button.pointSize(), 25);

    // The engine group's own font sets kerning alone: size and family come from the form.
    const QFont engine = window->findChild<QGroupBox *>(QStringLiteral("LiquidEngine"))->font();
    QVERIFY(engine.kerning());
    QCOMPARE(engine.family(), form()->font().family());
    QCOMPARE(engine.pointSizeF(), form()->font().pointSizeF());

    FenCodeGenere dialog(QStringLiteral("PART\n{\n}\n"), window.get());
    const QTextEdit *text = dialog.findChild<QTextEdit *>();
    QCOMPARE(text->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(text->font().pointSizeF(), QApplication::font(text).pointSizeF());
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

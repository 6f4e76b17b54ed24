// Whatever the author types, however odd or large, and however often they
// press: every text that comes out is one well-formed part node, each value on
// its own line, and nothing is left behind by the presses.
#include "configsyntax.h"
#include "mainwindow.h"
#include "partconfig.h"
#include "windowdriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPropertyAnimation>
#include <QRandomGenerator>
#include <QTextEdit>
#include <QtTest>

namespace {

using R = GenerationRequest;
using Text = QString R::*;

const Text numberFields[] = {&R::echelle, &R::cost, &R::mass, &R::dragMax, &R::dragMin,
    &R::dragTorque, &R::resist, &R::temp, &R::coupleMax, &R::puissanceMin, &R::puissanceMax,
    &R::tempGen, &R::voidIsp, &R::atmIsp, &R::cLift, &R::cDrag, &R::crew, &R::minCrew,
    &R::fuelAmount, &R::oxiAmount, &R::xenonAmount, &R::rcsFuelAmount, &R::electricAmount};
// Each text value with the key it is written under.
const QPair<Text, const char *> textFields[] = {{&R::nom, "name"}, {&R::module, "module"},
    {&R::auteur, "author"}, {&R::categorie, "category"}, {&R::titre, "title"},
    {&R::createur, "manufacturer"}, {&R::description, "description"}, {&R::attachRules, "attachRules"}};
bool R::*const flags[] = {&R::liquidEngineOn, &R::iconeLiquidOn, &R::exhaustOn, &R::fuelCrossfeedOn,
    &R::sasOn, &R::wingOn, &R::podsOn, &R::ressourcesOn, &R::fuelOn, &R::oxidizerOn, &R::rcsGazOn,
    &R::electricitOn, &R::xenonOn};

// Every block on, cross-feed checked as in a fresh window: the longest text.
R allBlocks(const QString &number = QStringLiteral("1"), const QString &text = QStringLiteral("x"))
{
    R r;
    for (Text field : numberFields)
        r.*field = number;
    for (const auto &field : textFields)
        r.*field.first = text;
    for (auto flag : flags)
        r.*flag = true;
    return r;
}

int lineCount(const QString &text)
{
    return text.count(QLatin1Char('\n')) + 1;
}

struct Hostile
{
    const char *name;
    QString value;
    QString expected;
};

QList<Hostile> hostileTexts()
{
    const QString longText(10000, QLatin1Char('m'));
    const QString outsideBmp = QStringLiteral("\U0001F680 \U0001D513\U0001D51E\U0001D52F\U0001D531");
    const QString rightToLeft = QStringLiteral("מנוע רקטי محرك \u202Eabc\u202C");
    return {
        {"empty", QString(), QString()},
        {"one space", QStringLiteral(" "), QStringLiteral(" ")},
        {"10 000 characters", longText, longText},
        {"outside the BMP", outsideBmp, outsideBmp},
        {"right-to-left", rightToLeft, rightToLeft},
        {"tabs", QStringLiteral("\ta\t\tb\t"), QStringLiteral("\ta\t\tb\t")},
        {"equals signs", QStringLiteral("a = b == c ="), QStringLiteral("a = b == c =")},
        {"comment marker", QStringLiteral("// a // b"), QStringLiteral("// a // b")},
        {"LF", QStringLiteral("a\nb"), QStringLiteral("a b")},
        {"CR", QStringLiteral("a\rb"), QStringLiteral("a b")},
        {"CRLF", QStringLiteral("a\r\nb"), QStringLiteral("a b")},
        {"U+2028", QStringLiteral("a\u2028b"), QStringLiteral("a b")},
        {"U+2029", QStringLiteral("a\u2029b"), QStringLiteral("a b")},
        {"every break, at both ends", QStringLiteral("\na\rb\r\nc\u2028d\u2029e\n\r"),
         QStringLiteral(" a b c d e  ")},
        {"braces", QStringLiteral("} a { PART{"), QStringLiteral("} a { PART{")},
    };
}

QString oneMiBDescription()
{
    QString text;
    while (text.size() < (1 << 20))
        text += QStringLiteral("Réservoir de 2 m, \U0001F680.\r\n");
    return text;
}

// Values with "{" or "}" are written as given, since the format has no escape:
// the game would read them as braces, so they are left out of the syntax check.
bool checkSyntax(const QString &value)
{
    return !value.contains(QLatin1Char('{')) && !value.contains(QLatin1Char('}'));
}

// The form's text fields, by object name, with the key each is written under.
const QPair<const char *, const char *> lineEdits[] = {{"Auteur", "author"},
    {"Createur", "manufacturer"}, {"Nom", "name"}, {"Titre", "title"}, {"attachRules", "attachRules"}};

} // namespace

class TestHostileInput : public QObject
{
    Q_OBJECT

private slots:
    void builder_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("everyField");
        QTest::addColumn<QString>("number");
        for (const Hostile &h : hostileTexts())
            QTest::newRow(h.name) << h.value << h.expected << true << QStringLiteral("1");
        const QString big = oneMiBDescription();
        QTest::newRow("1 MiB description") << big << QString(big).replace(QLatin1String("\r\n"), QLatin1String(" "))
                                           << false << QStringLiteral("1");
        QTest::newRow("numbers at 0") << "x" << "x" << true << QStringLiteral("0");
        QTest::newRow("numbers at the largest maximum") << "x" << "x" << true << QStringLiteral("1000000000.00");
    }
    void builder()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QFETCH(bool, everyField);
        QFETCH(QString, number);
        R record = allBlocks(number, everyField ? value : QStringLiteral("x"));
        record.description = value;
        const QString text = buildPartConfig(record);
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), lineCount(buildPartConfig(allBlocks())));
        for (const auto &field : textFields) {
            const QString line = QLatin1String(field.second) + QStringLiteral(" = ")
                + (everyField || field.first == &R::description ? expected : QStringLiteral("x"));
            QVERIFY2(lines.contains(line), qPrintable(line.left(80)));
        }
        QVERIFY(lines.contains(QStringLiteral("mass = ") + number));
        if (checkSyntax(value))
            QCOMPARE(configSyntaxError(text), QString());
    }

    void randomRecords()
    {
        // What an author may type or paste, braces left out (see checkSyntax).
        const QStringList pieces = {QStringLiteral("a"), QStringLiteral("Z9"), QStringLiteral("é"),
            QStringLiteral(" "), QStringLiteral("\t"), QStringLiteral("="), QStringLiteral("//"),
            QStringLiteral(","), QStringLiteral("\n"), QStringLiteral("\r"), QStringLiteral("\r\n"),
            QStringLiteral("\u2028"), QStringLiteral("\u2029"), QStringLiteral("\U0001F680"),
            QStringLiteral("מנוע")};
        QRandomGenerator random(5); // fixed seed: a failing record fails on every run
        for (int i = 0; i < 1000; ++i) {
            R record;
            for (auto flag : flags)
                record.*flag = random.bounded(2) == 1;
            for (Text field : numberFields)
                record.*field = QString::number(random.bounded(1e9), 'f', random.bounded(3));
            R blank = record;
            for (const auto &field : textFields) {
                for (int n = random.bounded(12); n > 0; --n)
                    record.*field.first += pieces.at(random.bounded(pieces.size()));
            }
            const QString text = buildPartConfig(record);
            const QString problem = configSyntaxError(text);
            QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("record %1, %2").arg(i).arg(problem)));
            // No value's line break reaches the text: as many lines as with no text at all.
            QCOMPARE(lineCount(text), lineCount(buildPartConfig(blank)));
            for (QChar lineBreak : {QChar(u'\r'), QChar(0x2028), QChar(0x2029)})
                QVERIFY(!text.contains(lineBreak));
        }
    }

    void window_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("everyField");
        QTest::addColumn<double>("spinBoxes"); // a value for all of them, or -1 to leave them
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("every spin box at 0") << "x" << "x" << true << 0.0
            << QStringList{"scale = 0.0", "cost = 0", "angularDrag = 0.00", "CrewCapacity = 0", " amount = 0.00"};
        QTest::newRow("every spin box at its maximum") << "x" << "x" << true << 1e12
            << QStringList{"scale = 5.0", "cost = 1000000000", "angularDrag = 5.00", "CrewCapacity = 100",
                           " amount = 1000000000.00"};
        for (const Hostile &h : hostileTexts())
            QTest::newRow(h.name) << h.value << h.expected << true << -1.0 << QStringList();
        const QString big = oneMiBDescription();
        QTest::newRow("1 MiB description") << big << QString(big).replace(QLatin1String("\r\n"), QLatin1String(" "))
                                           << false << -1.0 << QStringList();
    }
    void window()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QFETCH(bool, everyField);
        QFETCH(double, spinBoxes);
        QFETCH(QStringList, lines);
        MainWindow window;
        window.show();
        for (const char *group : {"LiquidEngine", "SAS", "Wing", "Pods", "Ressources"})
            window.findChild<QGroupBox *>(QLatin1String(group))->setChecked(true);
        for (const char *box : {"IconeLiquid", "Exhaust", "fuel", "Oxidizer", "RCSGaz", "Electricit", "Xenon_2"})
            window.findChild<QCheckBox *>(QLatin1String(box))->setChecked(true);
        if (spinBoxes >= 0) {
            for (auto *box : window.findChildren<QDoubleSpinBox *>())
                box->setValue(spinBoxes); // beyond the maximum: the maximum
        }
        for (const auto &field : lineEdits) {
            window.findChild<QLineEdit *>(QLatin1String(field.first))->setText(everyField ? value : QStringLiteral("x"));
            lines << QLatin1String(field.second) + QStringLiteral(" = ") + (everyField ? expected : QStringLiteral("x"));
        }
        window.findChild<QTextEdit *>(QStringLiteral("Description"))->setPlainText(value);
        lines << QStringLiteral("description = ") + expected;

        const QList<Shown> shown = pressGenerer(window, {}, checkSyntax(value));
        QCOMPARE(shown.size(), 1);
        if (everyField && value.isEmpty()) { // the required fields are empty
            QVERIFY(shown[0].isErrorBox);
            return;
        }
        QCOMPARE(QApplication::clipboard()->text(), shown[0].text);
        const QStringList textLines = shown[0].text.split(QLatin1Char('\n'));
        QCOMPARE(textLines.size(), lineCount(buildPartConfig(allBlocks())));
        for (const QString &line : std::as_const(lines))
            QVERIFY2(textLines.contains(line), qPrintable(line.left(80)));
    }

    void manyPressesLeaveNothingBehind()
    {
        MainWindow window;
        window.show();
        for (const auto &field : lineEdits)
            window.findChild<QLineEdit *>(QLatin1String(field.first))->setText(QStringLiteral("x"));
        // The toolkit animates the main window's first layout; those objects go on their own.
        QTRY_VERIFY(window.findChildren<QPropertyAnimation *>().isEmpty());
        const int children = window.findChildren<QObject *>().size();
        const int windows = QApplication::topLevelWidgets().size();
        const QString first = pressGenerer(window).value(0).text;
        QVERIFY(!first.isEmpty());
        for (int i = 1; i < 200; ++i) // the same form gives the same text every time
            QCOMPARE(pressGenerer(window).value(0).text, first);
        QCOMPARE(window.findChildren<QObject *>().size(), children);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    }
};

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"

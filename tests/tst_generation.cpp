// Pressing "Générer !": the required fields, each of the 44 form values on its own
// line as its field shows it, and many presses that leave nothing behind.
#include "mainwindow.h"
#include "partconfig.h"
#include "windowdriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPropertyAnimation>
#include <QTextEdit>
#include <QtTest>

namespace {

using R = GenerationRequest;

// The form as a fresh window shows it with the required fields filled, every
// feature group and check box on: the text holds every line a value can reach.
R everyBlockOn()
{
    R r;
    r.echelle = "1.0", r.cost = r.mass = r.resist = r.temp = r.coupleMax = "0";
    r.puissanceMin = r.puissanceMax = r.tempGen = r.voidIsp = r.atmIsp = "0";
    r.dragMax = r.dragMin = r.dragTorque = r.cLift = r.cDrag = "0.00";
    r.crew = "3", r.minCrew = "1";
    r.fuelAmount = r.oxiAmount = r.xenonAmount = r.rcsFuelAmount = r.electricAmount = "0.00";
    r.auteur = "A", r.createur = "C", r.nom = "N", r.titre = "T";
    r.module = "Part", r.categorie = "Pods", r.attachRules = "1,0,1,1,0";
    for (bool R::*flag : {&R::liquidEngineOn, &R::iconeLiquidOn, &R::exhaustOn, &R::fuelCrossfeedOn,
                          &R::sasOn, &R::wingOn, &R::podsOn, &R::ressourcesOn, &R::fuelOn,
                          &R::oxidizerOn, &R::rcsGazOn, &R::electricitOn, &R::xenonOn})
        r.*flag = true;
    return r;
}

// One widget changed from that form, and the entry it must change.
struct Change
{
    const char *widget;
    QVariant value; // a spin box's number, a text, a drop-down's index or a checked state
    QString R::*text;
    const char *expected;
    const char *maximum = nullptr; // what a spin box shows when given far too much
};

const Change changes[] = {
    {"Echelle", 2.5, &R::echelle, "2.5", "5.0"},
    {"Cost", 16777217.0, &R::cost, "16777217", "1000000000"}, // beyond single precision
    {"Mass", 123456789.0, &R::mass, "123456789", "1000000000"},
    {"dragMax", 0.2, &R::dragMax, "0.20", "1.00"},
    {"dragMin", 0.15, &R::dragMin, "0.15", "1.00"},
    {"dragTorque", 2.0, &R::dragTorque, "2.00", "5.00"},
    {"Resist", 8.0, &R::resist, "8", "1000000000"},
    {"Temp", 2000.0, &R::temp, "2000", "1000000000"}, // no group separator
    {"CoupleMax", 15.0, &R::coupleMax, "15", "1000000000"},
    {"PuissanceMin", 10.0, &R::puissanceMin, "10", "1000000000"},
    {"PuissanceMax", 200.0, &R::puissanceMax, "200", "1000000000"},
    {"TempGen", 300.0, &R::tempGen, "300", "1000000000"},
    {"voidISP", 350.0, &R::voidIsp, "350", "1000000000"},
    {"atmISP", 320.0, &R::atmIsp, "320", "1000000000"},
    {"CLift", 0.5, &R::cLift, "0.50", "99.99"},
    {"CDrag", 0.6, &R::cDrag, "0.60", "98.99"},
    {"Crew", 4.0, &R::crew, "4", "100"},
    {"MinCrew", 2.0, &R::minCrew, "2", "100"},
    {"Fuel", 1234567.89, &R::fuelAmount, "1234567.89", "1000000000.00"}, // Oxi follows
    {"Oxi", 88.8, &R::oxiAmount, "88.80", "1000000000.00"},
    {"Xenon", 5.5, &R::xenonAmount, "5.50", "1000000000.00"},
    {"RCSFuel", 7.25, &R::rcsFuelAmount, "7.25", "1000000000.00"},
    {"Electric", 150.0, &R::electricAmount, "150.00", "1000000000.00"},
    {"Nom", "tankA", &R::nom, "tankA"},
    {"Module", 2, &R::module, "CommandPod"},
    {"Auteur", "auteur1", &R::auteur, "auteur1"},
    {"Categorie", 6, &R::categorie, "Science"},
    {"Titre", " ", &R::titre, " "}, // spaces count as filled
    {"Createur", QStringLiteral("Créateur"), &R::createur, "Créateur"},
    {"Description", "Un\nréservoir", &R::description, "Un\nréservoir"},
    {"attachRules", "1,1,1,1,0", &R::attachRules, "1,1,1,1,0"},
};

// Each check box or group box unticked alone, with the entry it must clear.
const QPair<const char *, bool R::*> unticked[] = {
    {"LiquidEngine", &R::liquidEngineOn}, {"IconeLiquid", &R::iconeLiquidOn},
    {"Exhaust", &R::exhaustOn}, {"FuelCrossfeed", &R::fuelCrossfeedOn}, {"SAS", &R::sasOn},
    {"Wing", &R::wingOn}, {"Pods", &R::podsOn}, {"Ressources", &R::ressourcesOn},
    {"fuel", &R::fuelOn}, {"Oxidizer", &R::oxidizerOn}, {"RCSGaz", &R::rcsGazOn},
    {"Electricit", &R::electricitOn}, {"Xenon_2", &R::xenonOn}};

void setValue(QWidget *widget, const QVariant &value)
{
    if (auto *box = qobject_cast<QDoubleSpinBox *>(widget))
        box->setValue(value.toDouble());
    else if (auto *line = qobject_cast<QLineEdit *>(widget))
        line->setText(value.toString());
    else if (auto *text = qobject_cast<QTextEdit *>(widget))
        text->setPlainText(value.toString());
    else if (auto *list = qobject_cast<QComboBox *>(widget))
        list->setCurrentIndex(value.toInt());
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        group->setChecked(value.toBool());
    else
        qobject_cast<QAbstractButton *>(widget)->setChecked(value.toBool());
}

} // namespace

class TestGeneration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A decimal comma in the user's locale must not reach the numbers.
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }

    void requiredFields_data()
    {
        QTest::addColumn<QStringList>("empty");
        for (const char *name : {"Auteur", "Createur", "Nom", "Titre"})
            QTest::newRow(name) << QStringList(QLatin1String(name));
        QTest::newRow("all four") << QStringList({"Auteur", "Createur", "Nom", "Titre"});
    }
    void requiredFields()
    {
        QFETCH(QStringList, empty);
        MainWindow window;
        window.show();
        fillRequired(window);
        for (const QString &name : empty)
            field<QLineEdit>(window, name)->clear();
        QApplication::clipboard()->setText(QStringLiteral("before"));

        const QList<Shown> shown = pressGenerer(window);
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].isErrorBox);
        QCOMPARE(shown[0].title, QStringLiteral("Erreur"));
        QCOMPARE(shown[0].text, QStringLiteral("Veuillez remplir les champs Auteur; Créateur; Nom et Titre."));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    }

    // A value read from the wrong widget, or not read, changes the text.
    void eachFieldReachesItsLine_data()
    {
        QTest::addColumn<int>("change"); // into changes, or -1 - index into unticked
        QTest::newRow("the form as it opens") << int(std::size(changes));
        for (int i = 0; i < int(std::size(changes)); ++i)
            QTest::newRow(changes[i].widget) << i;
        for (int i = 0; i < int(std::size(unticked)); ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1 unticked").arg(unticked[i].first))) << -1 - i;
    }
    void eachFieldReachesItsLine()
    {
        QFETCH(int, change);
        MainWindow window;
        window.show();
        fillRequired(window);
        for (auto *group : window.findChildren<QGroupBox *>())
            group->setChecked(true);
        for (auto *box : window.findChildren<QCheckBox *>())
            box->setChecked(true);

        R expected = everyBlockOn();
        if (change < 0) {
            const auto &untick = unticked[-1 - change];
            setValue(field(window, untick.first), false);
            expected.*untick.second = false;
        } else if (change < int(std::size(changes))) {
            const Change &c = changes[change];
            setValue(field(window, c.widget), c.value);
            expected.*c.text = QString::fromUtf8(c.expected);
            if (c.text == &R::fuelAmount) // the oxidizer follows at 0.9 times the fuel
                expected.oxiAmount = QStringLiteral("1111111.10");
        }

        const QList<Shown> shown = pressGenerer(window);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, buildPartConfig(expected));
        QCOMPARE(QApplication::clipboard()->text(), shown[0].text);

        if (change >= 0 && change < int(std::size(changes)) && changes[change].maximum) {
            auto *box = field<QDoubleSpinBox>(window, changes[change].widget);
            box->setValue(1e12);
            QCOMPARE(box->text(), QLatin1String(changes[change].maximum));
        }
    }

    void manyPressesLeaveNothingBehind()
    {
#ifdef Q_OS_WIN
        const int presses = 20; // a dialog takes about a second to open under Wine
#else
        const int presses = 200;
#endif
        MainWindow window;
        window.show();
        fillRequired(window);
        // The toolkit animates the main window's first layout; those objects go on their own.
        QTRY_VERIFY(window.findChildren<QPropertyAnimation *>().isEmpty());
        const int children = window.findChildren<QObject *>().size();
        const int windows = QApplication::topLevelWidgets().size();
        const QString first = pressGenerer(window).value(0).text;
        QVERIFY(!first.isEmpty());
        for (int i = 1; i < presses; ++i) // the same form gives the same text every time
            QCOMPARE(pressGenerer(window).value(0).text, first);
        // Windows' style animates the button's last press with a child that goes on its own.
        QTRY_COMPARE(window.findChildren<QObject *>().size(), children);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    }
};

QTEST_MAIN(TestGeneration)
#include "tst_generation.moc"

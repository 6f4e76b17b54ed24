// Pressing "Générer !": the required fields, each of the 44 form values on its own
// line as its field shows it, and many presses that leave nothing behind.
#include "displayscale.h"
#include "mainwindow.h"
#include "partconfig.h"
#include "windowdriver.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QStatusBar>
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

public:
    static void initMain() { enableUnroundedScaling(); } // as the program starts

private slots:
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

    // The whole form with the keyboard alone, as it opens: Tab from field to field in
    // reading order, a value typed into each, every group switched on with Space.
    void wholeFormByKeyboard()
    {
        // Each field in tab order with what is typed there: " " is Space, "v" the Down arrow.
        const QPair<const char *, const char *> steps[] = {
            {"Auteur", "auteur1"}, {"Nom", "tankA"}, {"Module", "v"}, {"Cost", "800"},
            {"Categorie", "v"}, {"Echelle", "1,5"}, {"Titre", "Tank A"}, {"Createur", "Créateur"},
            {"Description", "Un réservoir"}, {"attachRules", "1,1,1,1,0"}, {"Mass", "2,75"},
            {"Resist", "8"}, {"Temp", "2000"}, {"FuelCrossfeed", " "}, {"dragMax", "0,2"},
            {"dragMin", "0.15"}, {"dragTorque", "2"}, {"Wing", " "}, {"CLift", "0,5"},
            {"CDrag", "0,6"}, {"Pods", " "}, {"Crew", "4"}, {"MinCrew", "2"}, {"SAS", " "},
            {"CoupleMax", "15"}, {"LiquidEngine", " "}, {"PuissanceMax", "200"},
            {"PuissanceMin", "10"}, {"TempGen", "300"}, {"Exhaust", " "}, {"voidISP", "350"},
            {"atmISP", "320"}, {"IconeLiquid", ""}, {"Ressources", " "}, {"fuel", " "},
            {"Fuel", "1440,5"}, {"Oxidizer", " "}, {"Oxi", "1300"}, {"Electricit", " "},
            {"Electric", "150"}, {"Xenon_2", " "}, {"Xenon", "5,5"}, {"RCSGaz", " "},
            {"RCSFuel", "7,25"}, {"generer", ""}};
        R expected = everyBlockOn();
        expected.auteur = "auteur1", expected.nom = "tankA", expected.module = "AdvSASModule";
        expected.cost = "800", expected.categorie = "Propulsion", expected.echelle = "1.5";
        expected.titre = "Tank A", expected.createur = "Créateur", expected.description = "Un réservoir";
        expected.attachRules = "1,1,1,1,0", expected.mass = "3", expected.resist = "8";
        expected.temp = "2000", expected.fuelCrossfeedOn = false, expected.dragMax = "0.20";
        expected.dragMin = "0.15", expected.dragTorque = "2.00", expected.cLift = "0.50";
        expected.cDrag = "0.60", expected.crew = "4", expected.minCrew = "2", expected.coupleMax = "15";
        expected.puissanceMax = "200", expected.puissanceMin = "10", expected.tempGen = "300";
        expected.exhaustOn = false, expected.voidIsp = "350", expected.atmIsp = "320";
        expected.fuelAmount = "1440.50", expected.oxiAmount = "1300.00", expected.electricAmount = "150.00";
        expected.xenonAmount = "5.50", expected.rcsFuelAmount = "7.25";

        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto focused = [] { // a spin box's focus is in its line edit
            QWidget *widget = QApplication::focusWidget();
            if (widget && qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
                widget = widget->parentWidget();
            return widget ? widget->objectName() : QString();
        };
        for (const auto &step : steps) {
            QCOMPARE(focused(), QLatin1String(step.first));
            QWidget *widget = QApplication::focusWidget();
            const QString keys = QString::fromUtf8(step.second);
            if (keys == " ")
                QTest::keyClick(widget, Qt::Key_Space);
            else if (keys == "v")
                QTest::keyClick(widget, Qt::Key_Down);
            else
                typeText(widget, keys);
            if (step.first != QLatin1String("generer")) // Tab leaves even the description
                QTest::keyClick(widget, Qt::Key_Tab);
        }
        const QList<Shown> shown = pressGenerer(window, [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        });
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, buildPartConfig(expected));
        // Shift+Tab goes back the same way, once the desktop gives the window back the focus.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(focused(), QStringLiteral("generer"));
        for (int i = int(std::size(steps)) - 1; i >= 0; --i) {
            QCOMPARE(focused(), QLatin1String(steps[i].first));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        }
    }

    // A value the game will read otherwise is marked as it is typed, explained in the status
    // bar, and named there after "Générer !"; the text keeps it as typed.
    void gameReadingWarnings()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        fillRequired(window);
        auto *nom = field<QLineEdit>(window, "Nom");
        auto *description = field<QTextEdit>(window, "Description");
        const auto mark = [](QWidget *widget) { return widget->findChild<QObject *>("readingMark"); };
        QVERIFY(!mark(nom)->property("visible").toBool());
        QTest::mouseClick(description->viewport(), Qt::LeftButton);
        typeText(description, QStringLiteral("voir http://exemple.fr"));
        const QString descriptionWarning = QStringLiteral(
            "Description : le jeu lira « voir http: » ; // commence un commentaire.");
        QCOMPARE(mark(description)->property("toolTip").toString(), descriptionWarning);
        QCOMPARE(window.statusBar()->currentMessage(), descriptionWarning);
        QTest::mouseClick(nom, Qt::LeftButton);
        QTest::keyClick(nom, Qt::Key_A, Qt::ControlModifier);
        typeText(nom, QStringLiteral("mon_reservoir"));
        QVERIFY(mark(nom)->property("visible").toBool());
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral(
            "Nom : le jeu nommera la pièce « mon.reservoir » ; il remplace chaque _ par un point."));
        QTest::mouseClick(field(window, "Titre"), Qt::LeftButton);
        QCOMPARE(window.statusBar()->currentMessage(), QString());

        const QStringList lines = pressGenerer(window).value(0).text.split('\n');
        QVERIFY(lines.contains("name = mon_reservoir") && lines.contains("description = voir http://exemple.fr"));
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral(
            "Attention : Nom, Description — le jeu les lira autrement (voir les champs marqués)"));
        description->clear();
        QVERIFY(!mark(description)->property("visible").toBool());
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral(
            "Attention : Nom — le jeu le lira autrement (voir le champ marqué)"));
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
        // The toolkit's animations (first layout, a button's hover) come and go on their own.
        const auto lasting = [&window] {
            const auto all = window.findChildren<QObject *>();
            return std::count_if(all.begin(), all.end(), [](QObject *o) { return !qobject_cast<QAbstractAnimation *>(o); });
        };
        const auto children = lasting();
        const int windows = QApplication::topLevelWidgets().size();
        const QString first = pressGenerer(window).value(0).text;
        QVERIFY(!first.isEmpty());
        for (int i = 1; i < presses; ++i) // the same form gives the same text every time
            QCOMPARE(pressGenerer(window).value(0).text, first);
        QCOMPARE(lasting(), children);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    }
};

QTEST_MAIN(TestGeneration)
#include "tst_generation.moc"

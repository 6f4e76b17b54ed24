// Pressing "Générer !" in the real window: the required fields, and the capture
// of every field into the text that reaches the dialog and the clipboard.
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
#include <QTextEdit>
#include <QtTest>

namespace {

void fillRequired(MainWindow &window)
{
    QTest::keyClicks(field<QLineEdit>(window, "Auteur"), QStringLiteral("auteur1"));
    QTest::keyClicks(field<QLineEdit>(window, "Createur"), QStringLiteral("auteur1"));
    QTest::keyClicks(field<QLineEdit>(window, "Nom"), QStringLiteral("tankA"));
    QTest::keyClicks(field<QLineEdit>(window, "Titre"), QStringLiteral("Tank A"));
}

} // namespace

class TestGeneration : public QObject
{
    Q_OBJECT

private slots:
    void requiredFields_data();
    void requiredFields();
    void everyFieldReachesTheText();
    void numbersAsTheFieldShowsThem_data();
    void numbersAsTheFieldShowsThem();
};

void TestGeneration::requiredFields_data()
{
    QTest::addColumn<QStringList>("empty");
    for (const char *name : {"Auteur", "Createur", "Nom", "Titre"})
        QTest::newRow(name) << QStringList(QLatin1String(name));
    QTest::newRow("all four") << QStringList({"Auteur", "Createur", "Nom", "Titre"});
}

void TestGeneration::requiredFields()
{
    QFETCH(QStringList, empty);
    MainWindow window;
    window.show();
    fillRequired(window);
    for (const QString &name : empty)
        field<QLineEdit>(window, qPrintable(name))->clear();
    QApplication::clipboard()->setText(QStringLiteral("before"));

    const QList<Shown> shown = pressGenerer(window);
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].isErrorBox);
    QCOMPARE(shown[0].title, QStringLiteral("Erreur"));
    QCOMPARE(shown[0].text, QStringLiteral("Veuillez remplir les champs Auteur; Créateur; Nom et Titre."));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));

    // Spaces count as filled.
    for (const QString &name : empty)
        QTest::keyClicks(field<QLineEdit>(window, qPrintable(name)), QStringLiteral(" "));
    const QList<Shown> second = pressGenerer(window);
    QCOMPARE(second.size(), 1);
    QVERIFY(!second[0].isErrorBox);
}

// Each field set to its own value, every block switched on: a field read into
// the wrong place, or not read, changes the text.
void TestGeneration::everyFieldReachesTheText()
{
    MainWindow window;
    window.show();
    fillRequired(window);
    const QList<QPair<const char *, double>> numbers = {
        {"Echelle", 2.5}, {"Cost", 800}, {"Mass", 3}, {"dragMax", 0.2}, {"dragMin", 0.15},
        {"dragTorque", 2}, {"Resist", 8}, {"Temp", 2000}, {"CoupleMax", 15}, {"PuissanceMin", 10},
        {"PuissanceMax", 200}, {"TempGen", 300}, {"voidISP", 350}, {"atmISP", 320},
        {"CLift", 0.5}, {"CDrag", 0.6}, {"Crew", 4}, {"MinCrew", 2}, {"Fuel", 100},
        {"Xenon", 5.5}, {"RCSFuel", 7.25}, {"Electric", 150}};
    for (const auto &number : numbers)
        field<QDoubleSpinBox>(window, number.first)->setValue(number.second);
    field<QDoubleSpinBox>(window, "Oxi")->setValue(88.8); // after Fuel, which suggests 90
    for (const char *group : {"LiquidEngine", "SAS", "Wing", "Pods", "Ressources"})
        field<QGroupBox>(window, group)->setChecked(true);
    for (const char *box : {"fuel", "Oxidizer", "RCSGaz", "Electricit", "Xenon_2", "FuelCrossfeed"})
        QTest::mouseClick(field<QCheckBox>(window, box), Qt::LeftButton);
    field<QComboBox>(window, "Module")->setCurrentIndex(2);
    field<QComboBox>(window, "Categorie")->setCurrentIndex(1);
    field<QTextEdit>(window, "Description")->setPlainText(QStringLiteral("Un réservoir."));
    field<QLineEdit>(window, "attachRules")->setText(QStringLiteral("1,1,1,1,0"));

    GenerationRequest expected;
    expected.echelle = "2.5", expected.cost = "800", expected.mass = "3";
    expected.dragMax = "0.20", expected.dragMin = "0.15", expected.dragTorque = "2.00";
    expected.resist = "8", expected.temp = "2000", expected.coupleMax = "15";
    expected.puissanceMin = "10", expected.puissanceMax = "200", expected.tempGen = "300";
    expected.voidIsp = "350", expected.atmIsp = "320", expected.cLift = "0.50";
    expected.cDrag = "0.60", expected.crew = "4", expected.minCrew = "2";
    expected.fuelAmount = "100.00", expected.oxiAmount = "88.80", expected.xenonAmount = "5.50";
    expected.rcsFuelAmount = "7.25", expected.electricAmount = "150.00";
    expected.nom = "tankA", expected.module = "CommandPod", expected.auteur = "auteur1";
    expected.categorie = "Propulsion", expected.titre = "Tank A", expected.createur = "auteur1";
    expected.description = QStringLiteral("Un réservoir."), expected.attachRules = "1,1,1,1,0";
    expected.liquidEngineOn = expected.iconeLiquidOn = expected.exhaustOn = true;
    expected.fuelCrossfeedOn = false;
    expected.sasOn = expected.wingOn = expected.podsOn = expected.ressourcesOn = true;
    expected.fuelOn = expected.oxidizerOn = expected.rcsGazOn = true;
    expected.electricitOn = expected.xenonOn = true;

    const QList<Shown> shown = pressGenerer(window);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, buildPartConfig(expected));
    QCOMPARE(QApplication::clipboard()->text(), buildPartConfig(expected));
}

void TestGeneration::numbersAsTheFieldShowsThem_data()
{
    QTest::addColumn<QString>("spinBox");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("cost beyond single precision") << "Cost" << 16777217.0 << "cost = 16777217";
    QTest::newRow("mass beyond single precision") << "Mass" << 123456789.0 << "mass = 123456789";
    QTest::newRow("mass near the maximum") << "Mass" << 999999999.0 << "mass = 999999999";
    QTest::newRow("large amount with cents") << "Fuel" << 1234567.89 << " amount = 1234567.89";
    QTest::newRow("no group separator") << "Temp" << 2000.0 << "maxTemp = 2000";
    QTest::newRow("two decimals") << "dragMax" << 0.2 << "maximum_drag = 0.20";
    QTest::newRow("scale start value") << "Echelle" << 1.0 << "scale = 1.0";
}

void TestGeneration::numbersAsTheFieldShowsThem()
{
    QFETCH(QString, spinBox);
    QFETCH(double, value);
    QFETCH(QString, line);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    MainWindow window;
    window.show();
    fillRequired(window);
    field<QGroupBox>(window, "Ressources")->setChecked(true);
    QTest::mouseClick(field<QCheckBox>(window, "fuel"), Qt::LeftButton);
    field<QDoubleSpinBox>(window, qPrintable(spinBox))->setValue(value);

    const QList<Shown> shown = pressGenerer(window);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.split(QLatin1Char('\n')).contains(line), qPrintable(shown[0].text));
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestGeneration)
#include "tst_generation.moc"

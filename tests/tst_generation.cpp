// Pressing "Générer !" in the real window: the required fields, the capture of
// every field into the text, the clipboard and the life of the result dialog.
#include "configsyntax.h"
#include "fencodegenere.h"
#include "mainwindow.h"
#include "partconfig.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

namespace {

struct Shown
{
    bool isErrorBox = false;
    QString title;
    QString text;
};

// Clicks "Générer !" and closes each modal window it opens, noting what it showed.
QList<Shown> press(MainWindow &window, const std::function<void(QDialog *)> &whileOpen = {})
{
    QList<Shown> shown;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            shown.append({box->icon() == QMessageBox::Critical, box->windowTitle(), box->text()});
            box->accept();
        } else if (auto *dialog = dynamic_cast<FenCodeGenere *>(modal)) {
            const QString text = dialog->findChild<QTextEdit *>()->toPlainText();
            const QString problem = configSyntaxError(text);
            QTest::qVerify(problem.isEmpty(), "configSyntaxError(text).isEmpty()", qPrintable(problem), __FILE__, __LINE__);
            shown.append({false, dialog->windowTitle(), text});
            if (whileOpen)
                whileOpen(dialog);
            for (auto *button : dialog->findChildren<QPushButton *>()) {
                if (button->text() == QLatin1String("Fermer"))
                    button->click();
            }
        }
    });
    closer.start();
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("generer")), Qt::LeftButton);
    return shown;
}

template<typename T> T *field(MainWindow &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

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
    void copyRestoresTheGeneratedText();
    void pressesRepeatAndFreeTheirDialogs();
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

    const QList<Shown> shown = press(window);
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].isErrorBox);
    QCOMPARE(shown[0].title, QStringLiteral("Erreur"));
    QCOMPARE(shown[0].text, QStringLiteral("Veuillez remplir les champs Auteur; Créateur; Nom et Titre."));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));

    // Spaces count as filled.
    for (const QString &name : empty)
        QTest::keyClicks(field<QLineEdit>(window, qPrintable(name)), QStringLiteral(" "));
    const QList<Shown> second = press(window);
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

    const QList<Shown> shown = press(window);
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

    const QList<Shown> shown = press(window);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.split(QLatin1Char('\n')).contains(line), qPrintable(shown[0].text));
    QLocale::setDefault(QLocale::c());
}

void TestGeneration::copyRestoresTheGeneratedText()
{
    MainWindow window;
    window.show();
    fillRequired(window);
    QString copied;
    const QList<Shown> shown = press(window, [&](QDialog *dialog) {
        QTest::keyClicks(dialog->findChild<QTextEdit *>(), QStringLiteral("edit"));
        QApplication::clipboard()->setText(QStringLiteral("something else"));
        for (auto *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("Copier le texte généré"))
                button->click();
        }
        copied = QApplication::clipboard()->text();
    });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(copied, shown[0].text);
    QCOMPARE(QApplication::clipboard()->text(), shown[0].text);
}

void TestGeneration::pressesRepeatAndFreeTheirDialogs()
{
    MainWindow window;
    window.show();
    fillRequired(window);
    const int childrenBefore = window.findChildren<QObject *>().size();
    const QList<Shown> first = press(window);
    const QList<Shown> second = press(window);
    QCOMPARE(first.size(), 1);
    QCOMPARE(second.size(), 1);
    QCOMPARE(second[0].text, first[0].text);
    QVERIFY(window.findChildren<QDialog *>().isEmpty());
    QCOMPARE(window.findChildren<QObject *>().size(), childrenBefore);
}

QTEST_MAIN(TestGeneration)
#include "tst_generation.moc"

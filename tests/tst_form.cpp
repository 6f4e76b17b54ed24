// The main window's form as the author meets it: ranges and number format,
// enabling rules, the fuel-to-oxidizer suggestion, texts and start-up.
#include "mainwindow.h"
#include "translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void spinBoxes_data();
    void spinBoxes();
    void featureGroupsStartOff_data();
    void featureGroupsStartOff();
    void resourceAmountsFollowTheirCheckBoxes();
    void fuelSuggestsOxidizer_data();
    void fuelSuggestsOxidizer();
    void typedOxidizerSurvivesUntilFuelChanges();
    void texts_data();
    void texts();
    void dropDowns();
    void everyLabelHasItsOwnBuddy();
    void windowShape();
    void languageCodeOf_data();
    void languageCodeOf();
    void toolkitTextsInFrench();
    void startsWithoutIconOrCatalogue();

private:
    template<typename T> T *field(const char *name)
    {
        T *widget = window->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    std::unique_ptr<MainWindow> window;
};

void TestForm::initTestCase()
{
    // A decimal comma in the user's locale must not reach the number fields.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestForm::cleanup()
{
    // Each test starts from the form as the window opened it.
    window = std::make_unique<MainWindow>();
    window->show();
}

void TestForm::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("start");
    QTest::addColumn<QString>("startText");

    const double big = 1e9;
    for (const char *name : {"Mass", "Resist", "Temp", "CoupleMax", "atmISP", "PuissanceMin",
                             "TempGen", "voidISP", "PuissanceMax", "Cost"})
        QTest::newRow(name) << name << 0 << big << 1.0 << 0.0 << "0";
    QTest::newRow("dragMax") << "dragMax" << 2 << 1.0 << 1.0 << 0.0 << "0.00";
    QTest::newRow("dragMin") << "dragMin" << 2 << 1.0 << 1.0 << 0.0 << "0.00";
    QTest::newRow("dragTorque") << "dragTorque" << 2 << 5.0 << 1.0 << 0.0 << "0.00";
    QTest::newRow("CLift") << "CLift" << 2 << 99.99 << 1.0 << 0.0 << "0.00";
    QTest::newRow("CDrag") << "CDrag" << 2 << 98.99 << 1.0 << 0.0 << "0.00";
    QTest::newRow("Crew") << "Crew" << 0 << 100.0 << 1.0 << 3.0 << "3";
    QTest::newRow("MinCrew") << "MinCrew" << 0 << 100.0 << 1.0 << 1.0 << "1";
    for (const char *name : {"Fuel", "Oxi", "Electric", "Xenon", "RCSFuel"})
        QTest::newRow(name) << name << 2 << big << 1.0 << 0.0 << "0.00";
    QTest::newRow("Echelle") << "Echelle" << 1 << 5.0 << 0.1 << 1.0 << "1.0";
}

void TestForm::spinBoxes()
{
    QFETCH(QString, name);
    QFETCH(int, decimals);
    QFETCH(double, maximum);
    QFETCH(double, step);
    QFETCH(double, start);
    QFETCH(QString, startText);

    auto *box = field<QDoubleSpinBox>(qPrintable(name));
    QCOMPARE(box->decimals(), decimals);
    QCOMPARE(box->minimum(), 0.0);
    QCOMPARE(box->maximum(), maximum);
    QCOMPARE(box->singleStep(), step);
    QCOMPARE(box->value(), start);
    QCOMPARE(box->text(), startText);

    // "." as decimal point and no group separator, whatever the user's locale.
    QCOMPARE(box->textFromValue(1234.5), QString::number(1234.5, 'f', decimals));

    // Typed by the author: accepted up to the maximum, never beyond.
    for (QWidget *above = box->parentWidget(); above; above = above->parentWidget()) {
        if (auto *group = qobject_cast<QGroupBox *>(above))
            group->setChecked(true);
    }
    box->setEnabled(true);
    QVERIFY(box->isEnabled());
    box->selectAll();
    QTest::keyClicks(box, decimals > 0 ? QStringLiteral("0.5") : QStringLiteral("7"));
    QCOMPARE(box->value(), decimals > 0 ? 0.5 : 7.0);
    box->setValue(maximum * 10);
    QCOMPARE(box->value(), maximum);
}

void TestForm::featureGroupsStartOff_data()
{
    QTest::addColumn<QString>("group");
    for (const char *name : {"Wing", "SAS", "LiquidEngine", "Pods", "Ressources"})
        QTest::newRow(name) << name;
}

void TestForm::featureGroupsStartOff()
{
    QFETCH(QString, group);
    auto *box = field<QGroupBox>(qPrintable(group));
    QVERIFY(box->isCheckable());
    QVERIFY(!box->isChecked());
    const auto inputs = box->findChildren<QWidget *>();
    QVERIFY(!inputs.isEmpty());
    for (QWidget *input : inputs)
        QVERIFY2(!input->isEnabled(), qPrintable(input->objectName()));

    box->setChecked(true);
    for (QWidget *input : box->findChildren<QCheckBox *>())
        QVERIFY2(input->isEnabled(), qPrintable(input->objectName()));
    if (group != QLatin1String("Ressources")) {
        for (QWidget *input : box->findChildren<QAbstractSpinBox *>())
            QVERIFY2(input->isEnabled(), qPrintable(input->objectName()));
    }
}

void TestForm::resourceAmountsFollowTheirCheckBoxes()
{
    const QList<QPair<const char *, const char *>> pairs = {
        {"fuel", "Fuel"}, {"Oxidizer", "Oxi"}, {"Electricit", "Electric"},
        {"Xenon_2", "Xenon"}, {"RCSGaz", "RCSFuel"}};
    auto *group = field<QGroupBox>("Ressources");
    group->setChecked(true);
    for (const auto &pair : pairs) {
        QVERIFY(field<QCheckBox>(pair.first)->isEnabled());
        QVERIFY(!field<QDoubleSpinBox>(pair.second)->isEnabled());
    }

    for (const auto &pair : pairs) {
        QTest::mouseClick(field<QCheckBox>(pair.first), Qt::LeftButton);
        QVERIFY2(field<QDoubleSpinBox>(pair.second)->isEnabled(), pair.second);
        QTest::mouseClick(field<QCheckBox>(pair.first), Qt::LeftButton);
        QVERIFY2(!field<QDoubleSpinBox>(pair.second)->isEnabled(), pair.second);
    }

    QTest::mouseClick(field<QCheckBox>("Oxidizer"), Qt::LeftButton);
    group->setChecked(false);
    QVERIFY(!field<QDoubleSpinBox>("Oxi")->isEnabled());
    QVERIFY(field<QCheckBox>("Oxidizer")->isChecked());
    group->setChecked(true);
    for (const auto &pair : pairs)
        QCOMPARE(field<QDoubleSpinBox>(pair.second)->isEnabled(), pair.second == QLatin1String("Oxi"));
}

void TestForm::fuelSuggestsOxidizer_data()
{
    QTest::addColumn<double>("fuel");
    QTest::addColumn<double>("oxidizer");
    QTest::newRow("100") << 100.0 << 90.0;
    QTest::newRow("12.34 rounds to two decimals") << 12.34 << 11.11;
    QTest::newRow("maximum") << 1e9 << 9e8;
}

void TestForm::fuelSuggestsOxidizer()
{
    QFETCH(double, fuel);
    QFETCH(double, oxidizer);
    auto *oxi = field<QDoubleSpinBox>("Oxi");
    QVERIFY(!oxi->isEnabled()); // follows even while the field is off
    field<QDoubleSpinBox>("Fuel")->setValue(fuel);
    QCOMPARE(oxi->value(), oxidizer);
    field<QDoubleSpinBox>("Fuel")->setValue(0);
    QCOMPARE(oxi->value(), 0.0);
}

void TestForm::typedOxidizerSurvivesUntilFuelChanges()
{
    field<QGroupBox>("Ressources")->setChecked(true);
    QTest::mouseClick(field<QCheckBox>("Oxidizer"), Qt::LeftButton);
    auto *oxi = field<QDoubleSpinBox>("Oxi");
    field<QDoubleSpinBox>("Fuel")->setValue(100);
    oxi->selectAll();
    QTest::keyClicks(oxi, QStringLiteral("42.5"));
    field<QDoubleSpinBox>("Mass")->setValue(3);
    QCOMPARE(oxi->value(), 42.5);
    field<QDoubleSpinBox>("Fuel")->setValue(50);
    QCOMPARE(oxi->value(), 45.0);
}

void TestForm::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("title") << window->windowTitle() << "Tallowin";
    QTest::newRow("button") << field<QPushButton>("generer")->text() << "Générer !";
    QTest::newRow("standard") << field<QGroupBox>("groupBox")->title() << "Paramètres standars :";
    QTest::newRow("custom") << field<QGroupBox>("groupBox_2")->title() << "Paramètres personalisés";
    QTest::newRow("engine") << field<QGroupBox>("LiquidEngine")->title() << "Moteur à ergols liquides";
    QTest::newRow("two spaces") << field<QLabel>("label_14")->text() << "Traînée min  :";
    QTest::newRow("crew trailing space") << field<QLabel>("label_22")->text() << "Equipage : ";
    QTest::newRow("min crew trailing space") << field<QLabel>("label_23")->text() << "Equipage min : ";
    QTest::newRow("exhaust") << field<QCheckBox>("Exhaust")->text() << "Dégâts échappement ?";
    QTest::newRow("rules label") << field<QLabel>("label_9")->text() << "Règles d'attachement :";
    QTest::newRow("tooltip on the label") << field<QLabel>("label_9")->toolTip()
                                          << "attachment rules: stack, srfAttach, allowStack, "
                                             "allowSrfAttach, allowCollision";
    QTest::newRow("no tooltip on the field") << field<QLineEdit>("attachRules")->toolTip() << "";
    QTest::newRow("rules") << field<QLineEdit>("attachRules")->text() << "1,0,1,1,0";
    QTest::newRow("scale shows its bare value") << field<QDoubleSpinBox>("Echelle")->text() << "1.0";
    for (const char *name : {"Auteur", "Nom", "Titre", "Createur"})
        QTest::newRow(name) << field<QLineEdit>(name)->text() << "";
}

void TestForm::texts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void TestForm::dropDowns()
{
    auto entries = [](QComboBox *box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    };
    auto *module = field<QComboBox>("Module");
    auto *category = field<QComboBox>("Categorie");
    QCOMPARE(entries(module), QStringList({"Part", "AdvSASModule", "CommandPod", "ControlSurface",
                                           "FuelLine", "SasModule", "Strut", "StrutConnector",
                                           "Winglet"}));
    QCOMPARE(entries(category), QStringList({"Pods", "Propulsion", "Control", "Structural", "Aero",
                                             "Utility", "Science"}));
    QCOMPARE(module->currentText(), QStringLiteral("Part"));
    QCOMPARE(category->currentText(), QStringLiteral("Pods"));
}

void TestForm::everyLabelHasItsOwnBuddy()
{
    const auto labels = window->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 26);
    QSet<QWidget *> buddies;
    for (QLabel *label : labels) {
        QVERIFY2(label->buddy(), qPrintable(label->objectName()));
        buddies.insert(label->buddy());
    }
    QCOMPARE(buddies.size(), 26);
    // The wing labels are created in the reverse order of their fields' names.
    QCOMPARE(field<QLabel>("label_17")->buddy(), field<QWidget>("CLift"));
    QCOMPARE(field<QLabel>("label_16")->buddy(), field<QWidget>("CDrag"));
    QCOMPARE(field<QLabel>("label_19")->buddy(), field<QWidget>("PuissanceMax"));
}

void TestForm::windowShape()
{
    QCOMPARE(window->size(), QSize(819, 594));
    QVERIFY(window->findChildren<QMenuBar *>().isEmpty());
    auto *toolBar = field<QToolBar>("mainToolBar");
    QCOMPARE(window->toolBarArea(toolBar), Qt::TopToolBarArea);
    QVERIFY(window->statusBar());
    QCOMPARE(window->findChildren<QDoubleSpinBox *>().size(), 23);

    // The four areas keep their places when the window grows.
    const QRect button = field<QPushButton>("generer")->geometry();
    window->resize(1200, 900);
    QCOMPARE(field<QPushButton>("generer")->geometry(), button);
}

void TestForm::languageCodeOf_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("code");
    QTest::newRow("fr_FR") << "fr_FR" << "fr";
    QTest::newRow("de_CH") << "de_CH" << "de";
    QTest::newRow("neutral locale") << "C" << "C";
    QTest::newRow("no underscore") << "eo" << "eo";
    QTest::newRow("empty") << "" << "";
}

void TestForm::languageCodeOf()
{
    QFETCH(QString, localeName);
    QFETCH(QString, code);
    QCOMPARE(languageCode(localeName), code);
}

void TestForm::toolkitTextsInFrench()
{
    QTranslator translator;
    installToolkitTranslator(translator, languageCode(QStringLiteral("fr_FR")));
    QVERIFY2(!translator.isEmpty(), "the toolkit's French catalogue is not installed");
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Annuler"));
    QCoreApplication::removeTranslator(&translator);
}

void TestForm::startsWithoutIconOrCatalogue()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(empty.path()));

    QTranslator translator;
    installToolkitTranslator(translator, languageCode(QStringLiteral("C")));
    QVERIFY(translator.isEmpty());
    MainWindow fresh;
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    QVERIFY(fresh.windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(fresh.findChild<QPushButton *>("generer")->text(), QStringLiteral("Générer !"));

    QCoreApplication::removeTranslator(&translator);
    QDir::setCurrent(previous);
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"

#include "formfields.h"

#include "mainwindow.h"
#include "partconfig.h"
#include "partfile.h"
#include "windowdriver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtTest>

using R = GenerationRequest;

// In the form's reading order, the order of Tab. Numbers are typed the French way; 16777217
// lies beyond single precision, 2000 would take a thousands separator in a locale's format.
// Fuel's 0.9 reaches Oxi too (the oxidizer follows).
const QVector<FormField> formFields = {
    {"Auteur", &R::auteur, nullptr, "author = ", "", "auteur1", "auteur1", nullptr},
    {"Nom", &R::nom, nullptr, "name = ", "", "tankA", "tankA", nullptr},
    {"Module", &R::module, nullptr, "module = ", "Part", "vv", "CommandPod", nullptr},
    {"Cost", &R::cost, nullptr, "cost = ", "0", "16777217", "16777217", "1000000000"},
    {"Categorie", &R::categorie, nullptr, "category = ", "Pods", "v", "Propulsion", nullptr},
    {"Echelle", &R::echelle, nullptr, "scale = ", "1.0", "2,5", "2.5", "5.0"},
    {"Titre", &R::titre, nullptr, "title = ", "", " ", " ", nullptr}, // spaces count as filled
    {"Createur", &R::createur, nullptr, "manufacturer = ", "", "Créateur", "Créateur", nullptr},
    {"Description", &R::description, nullptr, "description = ", "", "Un\nréservoir", "Un\nréservoir", nullptr},
    {"attachRules", &R::attachRules, nullptr, "attachRules = ", "1,0,1,1,0", "1,1,1,1,0", "1,1,1,1,0", nullptr},
    {"Mass", &R::mass, nullptr, "mass = ", "0", "123456789", "123456789", "1000000000"},
    {"Resist", &R::resist, nullptr, "crashTolerance = ", "0", "8", "8", "1000000000"},
    {"Temp", &R::temp, nullptr, "maxTemp = ", "0", "2000", "2000", "1000000000"},
    {"FuelCrossfeed", nullptr, &R::fuelCrossfeedOn, "fuelCrossFeed = ", "1", "", "", nullptr},
    {"dragMax", &R::dragMax, nullptr, "maximum_drag = ", "0.00", "0,2", "0.20", "1.00"},
    {"dragMin", &R::dragMin, nullptr, "minimum_drag = ", "0.00", "0.15", "0.15", "1.00"},
    {"dragTorque", &R::dragTorque, nullptr, "angularDrag = ", "0.00", "2", "2.00", "5.00"},
    {"Wing", nullptr, &R::wingOn, "dragCoeff = ", "0", "", "", nullptr},
    {"CLift", &R::cLift, nullptr, "deflectionLiftCoeff = ", "0.00", "0,5", "0.50", "99.99"},
    {"CDrag", &R::cDrag, nullptr, "dragCoeff = ", "0.00", "0,6", "0.60", "98.99"},
    {"Pods", nullptr, &R::podsOn, "CrewCapacity = ", "0", "", "", nullptr},
    {"Crew", &R::crew, nullptr, "CrewCapacity = ", "3", "4", "4", "100"},
    {"MinCrew", &R::minCrew, nullptr, "   minimumCrew = ", "1", "2", "2", "100"},
    {"SAS", nullptr, &R::sasOn, "maxTorque = ", "0", "", "", nullptr},
    {"CoupleMax", &R::coupleMax, nullptr, "maxTorque = ", "0", "15", "15", "1000000000"},
    {"LiquidEngine", nullptr, &R::liquidEngineOn, "MODULE", "0", "", "", nullptr},
    {"PuissanceMax", &R::puissanceMax, nullptr, "   maxThrust = ", "0", "200", "200", "1000000000"},
    {"PuissanceMin", &R::puissanceMin, nullptr, "   minThrust = ", "0", "10", "10", "1000000000"},
    {"TempGen", &R::tempGen, nullptr, "   heatProduction = ", "0", "300", "300", "1000000000"},
    {"Exhaust", nullptr, &R::exhaustOn, "   exhaustDamage = ", "1", "", "", nullptr},
    {"voidISP", &R::voidIsp, nullptr, "    key = 0 ", "0", "350", "350", "1000000000"},
    {"atmISP", &R::atmIsp, nullptr, "    key = 1 ", "0", "320", "320", "1000000000"},
    {"IconeLiquid", nullptr, &R::iconeLiquidOn, "stagingIcon = ", "1", "", "", nullptr},
    {"Ressources", nullptr, &R::ressourcesOn, "RESOURCE", "0", "", "", nullptr},
    {"fuel", nullptr, &R::fuelOn, " name = LiquidFuel", "0", "", "", nullptr},
    {"Fuel", &R::fuelAmount, nullptr, " amount = ", "0.00", "1234567,89", "1234567.89", "1000000000.00"},
    {"Oxidizer", nullptr, &R::oxidizerOn, " name = Oxidizer", "0", "", "", nullptr},
    {"Oxi", &R::oxiAmount, nullptr, " amount = ", "0.00", "88,8", "88.80", "1000000000.00"},
    {"Electricit", nullptr, &R::electricitOn, " name = ElectricCharge", "0", "", "", nullptr},
    {"Electric", &R::electricAmount, nullptr, " amount = ", "0.00", "150", "150.00", "1000000000.00"},
    {"Xenon_2", nullptr, &R::xenonOn, " name = XenonGas", "0", "", "", nullptr},
    {"Xenon", &R::xenonAmount, nullptr, " amount = ", "0.00", "5,5", "5.50", "1000000000.00"},
    {"RCSGaz", nullptr, &R::rcsGazOn, " name = MonoPropellant", "0", "", "", nullptr},
    {"RCSFuel", &R::rcsFuelAmount, nullptr, " amount = ", "0.00", "7,25", "7.25", "1000000000.00"},
};

GenerationRequest freshForm()
{
    R request;
    for (const FormField &field : formFields) {
        if (field.value)
            request.*field.value = QString::fromUtf8(field.fresh);
        else
            request.*field.checked = field.fresh[0] == '1';
    }
    return request;
}

GenerationRequest everyBlockOn(GenerationRequest request)
{
    for (const FormField &field : formFields) {
        if (field.checked)
            request.*field.checked = true;
    }
    return request;
}

GenerationRequest named(GenerationRequest request)
{
    request.auteur = "A", request.createur = "C", request.nom = "N", request.titre = "T";
    return request;
}

void openText(MainWindow &window, const QString &path, const GenerationRequest &form)
{
    QCOMPARE(savePartFile(path, buildPartConfig(form)), QString());
    const QString name = QFileInfo(path).fileName();
    const QStringList said = answerModals([&] { window.openPartFile(path); }, {"Ne pas enregistrer"});
    QVERIFY2(said.isEmpty() || said == QStringList("Tallowin|Enregistrer les modifications de " + name + " ?"), qPrintable(said.join('\n')));
    activate(window);
}

const QStringList moduleEntries = {"Part", "AdvSASModule", "CommandPod", "ControlSurface", "FuelLine",
                                   "SasModule", "Strut", "StrutConnector", "Winglet"};
const QStringList categoryEntries = {"Pods", "Propulsion", "Control", "Structural", "Aero", "Utility", "Science",
                                     "FuelTank", "Engine", "Communication", "Electrical", "Ground", "Coupling",
                                     "Payload", "Thermal", "Cargo", "Robotics", "none"};

const FormShape &formShape()
{
    static const FormShape shape = [] {
        MainWindow window;
        return window.shape();
    }();
    return shape;
}

GenerationRequest withRowChanged(GenerationRequest form, const FormField &f)
{
    if (f.checked)
        form.*f.checked = !(form.*f.checked);
    else
        form.*f.value = form.*f.value == QLatin1String(f.written) ? QString::fromUtf8(f.fresh) : QString::fromUtf8(f.written);
    return form;
}

GenerationRequest randomForm(QRandomGenerator &random)
{
    const QString letters = QStringLiteral("abcXYZ019 éèÉçœ€«»-.,;:=()[]'\"ΩЖ中");
    R form = freshForm();
    for (const FormField &f : formFields) {
        const FormShape::Field *shape = f.value ? formShape().field(f.value) : nullptr;
        if (f.checked) {
            form.*f.checked = random.bounded(2);
        } else if (!shape->choices.isEmpty()) {
            form.*f.value = shape->choices.at(random.bounded(shape->choices.size()));
        } else if (shape->decimals >= 0) {
            const double value = random.bounded(3) ? random.bounded(shape->maximum) : shape->maximum * random.bounded(2);
            form.*f.value = numberText(QString::number(value, 'f', shape->decimals).toDouble(), shape->decimals, shape->trailingZeros);
        } else if (f.value == &R::attachRules) {
            QStringList rules;
            for (int i = 5 + random.bounded(4); i > 0; --i)
                rules << QString::number(random.bounded(2));
            form.*f.value = rules.join(',');
        } else {
            QString text;
            for (int i = random.bounded(12); i > 0; --i)
                text += letters.at(random.bounded(letters.size()));
            form.*f.value = text.trimmed();
        }
    }
    return form;
}

void keepAsFuzzSeed(const QByteArray &bytes)
{
    const QString folder = qEnvironmentVariable("TALLOWIN_FUZZ_SEEDS");
    QFile seed(QDir(folder).filePath(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
    if (!folder.isEmpty() && bytes.size() <= 65536 && seed.open(QIODevice::WriteOnly))
        seed.write(bytes);
}

const QByteArray authorsTank =
    "\xef\xbb\xbf// Réservoir fait main\r\nPART\r\n{\r\n\tname = hand.tank // son nom\r\n\tmodule = Part\r\n"
    "\tauthor = Moi\r\n\ttitle = Réservoir\r\n\tmanufacturer = Moi\r\n\tcategory = FuelTank\r\n"
    "\tmass = 0.25 // à vide\r\n\tmaxTemp = 2000\r\n\tMODEL\r\n\t{\r\n\t\tmodel = Parts/tank\r\n\t}\r\n"
    "\tRESOURCE\r\n\t{\r\n\t\tname = LiquidFuel\r\n\t\tamount = 90\r\n\t\tmaxAmount = 90\r\n\t}\r\n"
    "\tRESOURCE\r\n\t{\r\n\t\tname = XenonGas\r\n\t\tamount = 400 // plein\r\n\t\tmaxAmount = 400\r\n\t}\r\n"
    "\tMODULE\r\n\t{\r\n\t\tname = ModuleFuelJettison\r\n\t}\r\n}\r\nPART\r\n{\r\n\tname = second\r\n}\r\n";

// Reading a part file into the form, without a window: the builder's texts come back whole, a
// part written by hand fills its fields and the account names the rest, no file does harm.
#include "formfields.h"
#include "gamereading.h"
#include "partconfig.h"
#include "partreading.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

PartFile read(const QByteArray &bytes)
{
    keepAsFuzzSeed(bytes);
    return readPartFile(bytes);
}

// The account's summary counts what its details list: each line the form does not show in
// one item, each value shown otherwise and each remark one item.
void addsUp(const PartFile &file, const PartReading &reading)
{
    int lines = 0, counted[3] = {};
    QVector<bool> listed(file.config.lineCount + 1);
    for (const AccountItem &item : reading.items) {
        ++counted[item.kind];
        for (int line = item.line; item.kind == AccountItem::NotShown && line <= item.lastLine; ++line) {
            lines += file.config.lineHasContent.at(line) && !listed.at(line);
            listed[line] = true;
        }
    }
    QCOMPARE(lines, reading.linesNotShown);
    QCOMPARE(counted[AccountItem::ShownOtherwise], reading.valuesShownOtherwise);
    QCOMPARE(counted[AccountItem::Remark], reading.remarks);
}

PartReading readBytes(const QByteArray &bytes)
{
    const PartFile file = read(bytes);
    if (file.parts.isEmpty())
        QTest::qFail(qPrintable("no part: " + file.whatInstead()), __FILE__, __LINE__);
    const PartReading reading = file.parts.isEmpty() ? PartReading() : readPart(file, 0, formShape());
    addsUp(file, reading);
    return reading;
}

// By hand: tabs, "PART {", one-line nodes, a value before "}", comments after values, unknown blocks.
const QByteArray handWritten =
    "// Réservoir fait main\nPART {\n\tname = hand_tank   // son nom\n\tmodule = Part\n\tauthor = Moi\n"
    "\tMODEL { model = Parts/tank }\n\tmesh = model.mu\n\tmass = 0.5\n\ttitle = Réservoir\n"
    "\tdescription = Deux\\nlignes\n\tRESOURCE { name = LiquidFuel\n\t\tamount = 50\n\t\tmaxAmount = 100 }\n"
    "\tRESOURCE\n\t{\n\t\tname = Oxidizer\n\t\tamount = 122\n\t\tmaxAmount = 122\n\t}\n"
    "\tMODULE\n\t{\n\t\tname = ModuleReactionWheel\n\t\tPitchTorque = 5\n\t}\n}";

} // namespace

class TestPartReading : public QObject
{
    Q_OBJECT

private slots:
    // Random forms, every block on in one of four: the text read back fills the form exactly
    // as it was, without a word, and gives the same text.
    void randomForms()
    {
        QRandomGenerator random(20261209);
        for (int n = 0; n < 300; ++n) {
            const GenerationRequest form = n % 4 ? randomForm(random) : everyBlockOn(randomForm(random));
            QVERIFY(!misread(readingWarnings(form)));
            const QString text = buildPartConfig(form);
            const PartReading reading = readBytes(text.toUtf8());
            QVERIFY2(reading.complete(), qPrintable(reading.details()));
            QCOMPARE(buildPartConfig(reading.request), text);
        }
    }

    // The same part in every layout an editor may save: the same values, the same account.
    void layouts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray crlf = handWritten;
        crlf.replace("\n", "\r\n");
        QByteArray cr = handWritten;
        cr.replace("\n", "\r");
        const QString text = QString::fromUtf8(handWritten);
        QByteArray utf16("\xff\xfe");
        for (const QChar c : text)
            utf16.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
        QTest::newRow("LF, no final line break") << handWritten;
        QTest::newRow("CRLF with a byte order mark, final line break") << "\xef\xbb\xbf" + crlf + "\r\n";
        QTest::newRow("CR") << cr;
        QTest::newRow("UTF-16 with a byte order mark") << utf16;
    }
    void layouts()
    {
        QFETCH(QByteArray, bytes);
        const PartReading reading = readBytes(bytes);
        const QStringList lines = buildPartConfig(reading.request).split('\n');
        for (const char *line : {"name = hand_tank", "module = Part", "author = Moi", "mass = 0.5", "title = Réservoir",
                                 "description = Deux\\nlignes", " name = LiquidFuel", " maxAmount = 100.00",
                                 " amount = 122.00"})
            QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
        QCOMPARE(reading.details(), QStringLiteral(
            "ligne 1 : le commentaire « // Réservoir fait main » ; le jeu l'ignore.\n"
            "ligne 3 : le commentaire « // son nom » ; le jeu l'ignore.\n"
            "ligne 6 : « MODEL » : le formulaire n'a pas de champ pour ce bloc.\n"
            "ligne 12 : « amount = 50 » : le formulaire ne montre que la capacité ; cette quantité reste dans le fichier.\n"
            "lignes 20 à 24 : « MODULE ModuleReactionWheel » : le formulaire n'a pas de champ pour ce bloc."));
        QCOMPARE(reading.summary("r.cfg"), QStringLiteral(
            "r.cfg : 9 valeurs reprises ; 9 lignes que le formulaire ne montre pas resteront dans le fichier."));
    }

    // Each line the form takes or leaves, in a part named N: what the text writes, what the account says.
    void lines_data()
    {
        QTest::addColumn<QString>("lines");    // added to the part, "|" between them
        QTest::addColumn<QString>("written");  // a line of the text generated from it, or ""
        QTest::addColumn<QString>("account");  // its account, or "" for none
        const auto row = [](const char *name, const char *lines, const char *written, const char *account) {
            QTest::newRow(name) << QString::fromUtf8(lines) << QString::fromUtf8(written) << QString::fromUtf8(account);
        };
        row("negative", "maxTemp = -5", "maxTemp = 0", "« maxTemp = -5 » : le champ Température max ne prend pas de nombre négatif et affiche 0.");
        row("past the maximum", "maximum_drag = 2e3", "maximum_drag = 1.00", "« maximum_drag = 2e3 » : le champ Traînée max va jusqu'à 1.00 et affiche 1.00.");
        row("rounded to 2 decimals", "angularDrag = .125", "angularDrag = 0.13", "« angularDrag = .125 » : le champ Traînée angulaire a 2 décimales et affiche 0.13.");
        row("sign and exponent, exact", "cost = +1.5E3", "cost = 1500", "");
        row("a decimal comma", "mass = 1,5", "mass = 0", "« mass = 1,5 » : le jeu ne lit pas « 1,5 » comme un nombre ; le champ Masse garde 0.");
        row("a mass of six decimals, at its shortest", "mass = 0.0000125", "mass = 0.000013", "« mass = 0.0000125 » : le champ Masse a 6 décimales et affiche 0.000013.");
        row("a long number, its end shown", "mass = 0.000000000000000000000000000000000000000000000000000000000000123", "mass = 0",
            "« mass = 0.0000000000000000000…0000000000000000000000000123 » : le champ Masse a 6 décimales et affiche 0.");
        row("given twice: the last", "mass = 7|mass = 8", "mass = 8", "« mass = 7 » : mass est donnée aussi ligne 5 ; le jeu garde la dernière.");
        row("the name twice: the first", "name = second", "name = N", "« name = second » : name est donnée aussi ligne 3 ; le jeu garde la première.");
        row("not in the list", "module = Engine", "module = Part", "« module = Engine » : la liste Module n'a pas cette entrée ; elle garde « Part ».");
        row("an unknown value", "rescaleFactor = 1", "", "« rescaleFactor = 1 » : le formulaire n'a pas de champ pour cette valeur.");
        row("cross-feed False", "fuelCrossFeed = false", "fuelCrossFeed = False", "");
        row("cross-feed neither", "fuelCrossFeed = oui", "", "« fuelCrossFeed = oui » : le jeu n'y lit ni True ni False ; la case reste cochée.");
        row("a command module without crew", "MODULE { name = ModuleCommand }", "", "« MODULE ModuleCommand » : la pièce n'a pas de CrewCapacity, le groupe Pods n'est pas repris.");
        row("an engine FX, its icon", "stagingIcon = LIQUID_ENGINE|MODULE|{|name = ModuleEnginesFX|maxThrust = 200|exhaustDamage = True"
            "|atmosphereCurve|{|key = 0 350|key = 1 320 0 0|key = 6 1|}|}", "    key = 1 320",
            "« name = ModuleEnginesFX » : le formulaire n'a pas de champ pour cette valeur ; « Générer ! » écrit « name = ModuleEngines ».\n"
            "« key = 1 320 0 0 » : le formulaire ne montre pas les tangentes ; elles restent dans le fichier.\n"
            "« key = 6 1 » : le formulaire n'a que les points 0 et 1 de la courbe.");
        row("an icon without engine", "stagingIcon = LIQUID_ENGINE", "", "« stagingIcon = LIQUID_ENGINE » : la pièce n'a pas de moteur ; le formulaire ne montre cette ligne qu'avec lui.");
        row("a line alone", "loose words", "", "« loose words » : ni une valeur ni le nom d'un bloc ; le jeu l'ignore.");
    }
    void lines()
    {
        QFETCH(QString, lines);
        QFETCH(QString, written);
        QFETCH(QString, account);
        const PartReading reading = readBytes(("PART\n{\nname = N\n" + lines.replace('|', '\n') + "\n}").toUtf8());
        QString said;
        for (const AccountItem &item : reading.items)
            said += (said.isEmpty() ? "" : "\n") + item.text;
        QCOMPARE(said, account);
        if (!written.isEmpty())
            QVERIFY2(buildPartConfig(reading.request).split('\n').contains(written), qPrintable(buildPartConfig(reading.request)));
    }

    // Any bytes: a reading that ends with an account short enough to show, or what a file
    // that defines no part holds instead.
    void hostileBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("parts");
        QTest::addColumn<QString>("instead");
        QTest::newRow("empty") << QByteArray() << 0 << "il est vide";
        QTest::newRow("comments") << QByteArray("// rien\n") << 0 << "il ne contient que des commentaires";
        QTest::newRow("a patch") << QByteArray("@PART[tank]:FINAL { @mass = 2 }") << 0 << "il modifie des pièces existantes (@PART[...])";
        QTest::newRow("part in small letters") << QByteArray("part { name = x }") << 0 << "il définit « part », mais le jeu ne lit comme pièce que PART, en majuscules";
        QTest::newRow("other nodes") << QByteArray("RESOURCE_DEFINITION { }\nA{}\nB{}\nC{}") << 0 << "il définit d'autres blocs que des pièces (« RESOURCE_DEFINITION », « A », « B », …)";
        QTest::newRow("values only") << QByteArray("name = x") << 0 << "il ne contient que des valeurs, hors de tout bloc";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 0 << "ce n'est pas un fichier texte";
        QTest::newRow("100,000 braces closed") << QByteArray(100000, '}') << 0 << "il ne contient ni valeur ni bloc";
        QTest::newRow("NUL bytes in a part") << QByteArray("PART{name = a\0b\n}", 17) << 1 << "";
        QTest::newRow("bytes that are not UTF-8") << QByteArray("PART{title = R\xe9servoir \xff\xfe\x80}") << 1 << "";
        QTest::newRow("100,000 braces deep") << "PART{" + QByteArray(100000, '{') << 1 << "";
        QTest::newRow("a 10 MB line") << "PART{description = " + QByteArray(10 << 20, 'x') + "}" << 1 << "";
    }
    void hostileBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, parts);
        QFETCH(QString, instead);
        const PartFile file = read(bytes);
        QCOMPARE(file.parts.size(), parts);
        if (parts == 0) {
            QCOMPARE(file.whatInstead(), instead);
            return;
        }
        const PartReading reading = readPart(file, 0, formShape());
        QVERIFY(reading.details().count('\n') <= 1000 && reading.request.description.size() <= 1 << 20);
    }
};

QTEST_MAIN(TestPartReading)
#include "tst_partreading.moc"

// A part file as the document the form edits, without a window: read, a part written by hand
// fills its fields and the account names the rest, no file does harm; written back, nothing
// changed gives the file's own bytes, each change exactly its own lines, our own texts as
// "Générer !" writes them for the form left, every other byte of an author's file kept, and the
// saved file read back as the form was left.
#include "formfields.h"
#include "gamereading.h"
#include "partconfig.h"
#include "partwriting.h"

#include <QtTest>

namespace {

using R = GenerationRequest;

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

// The document of the file's part, its account checked; a seed of the fuzzer's corpus too.
PartDocument opened(const QByteArray &bytes, int part = 0)
{
    keepAsFuzzSeed(bytes);
    PartDocument document{QString(), bytes, readPartFile(bytes), part, {}, {}};
    if (document.file.parts.size() <= part)
        QTest::qFail(qPrintable("no part: " + document.file.whatInstead()), __FILE__, __LINE__);
    else
        document.reading = readPart(document.file, part, formShape());
    addsUp(document.file, document.reading);
    document.opened = document.reading.request;
    return document;
}

// The lines only a has ("-") and only b has ("+").
QStringList diff(const QString &a, const QString &b)
{
    QStringList x = a.split('\n'), y = b.split('\n'), changes;
    for (const QString &line : QStringList(x)) {
        if (y.removeOne(line))
            x.removeOne(line);
    }
    for (const QString &line : x)
        changes << '-' + line;
    for (const QString &line : y)
        changes << '+' + line;
    return changes;
}

// "Mass=3;Ressources=0": the fields changed, by their widget's name; a check box takes 1 or 0.
R changed(R form, const QString &changes)
{
    for (const QString &change : changes.split(';', Qt::SkipEmptyParts)) {
        const QString name = change.section('=', 0, 0), value = change.section('=', 1);
        const auto f = std::find_if(formFields.begin(), formFields.end(), [&](const FormField &f) { return name == f.widget; });
        if (f == formFields.end())
            QTest::qFail(qPrintable("no field " + name), __FILE__, __LINE__);
        else if (f->value)
            form.*f->value = value;
        else
            form.*f->checked = value == "1";
    }
    return form;
}

// By hand: tabs, "PART {", one-line nodes, a value before "}", comments after values, unknown blocks.
const QByteArray handWritten =
    "// Réservoir fait main\nPART {\n\tname = hand_tank   // son nom\n\tmodule = Part\n\tauthor = Moi\n"
    "\tMODEL { model = Parts/tank }\n\tmesh = model.mu\n\tmass = 0.5\n\ttitle = Réservoir\n"
    "\tdescription = Deux\\nlignes\n\tRESOURCE { name = LiquidFuel\n\t\tamount = 50\n\t\tmaxAmount = 100 }\n"
    "\tRESOURCE\n\t{\n\t\tname = Oxidizer\n\t\tamount = 122\n\t\tmaxAmount = 122\n\t}\n"
    "\tMODULE\n\t{\n\t\tname = ModuleReactionWheel\n\t\tPitchTorque = 5\n\t}\n}";

} // namespace

class TestPartDocument : public QObject
{
    Q_OBJECT

private slots:
    // The same part in every layout an editor may save: the same values, the same account, and
    // written back unchanged, the same bytes.
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
        const PartDocument document = opened(bytes);
        const PartReading &reading = document.reading;
        QCOMPARE(document.writeBack(document.opened).bytes, bytes);
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
        const PartReading reading = opened(("PART\n{\nname = N\n" + lines.replace('|', '\n') + "\n}").toUtf8()).reading;
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
        keepAsFuzzSeed(bytes);
        const PartFile file = readPartFile(bytes);
        QCOMPARE(file.parts.size(), parts);
        if (parts == 0) {
            QCOMPARE(file.whatInstead(), instead);
            return;
        }
        const PartReading reading = readPart(file, 0, formShape());
        QVERIFY(reading.details().count('\n') <= 1000 && reading.request.description.size() <= 1 << 20);
    }

    // Nothing changed in either part of an author's file: nothing to write, and the document
    // written back is its file, byte for byte. (Other layouts above, our own texts below.)
    void nothingChanged()
    {
        for (int part : {0, 1}) {
            const PartDocument document = opened(authorsTank, part);
            const PartWriting writing = document.writeBack(document.opened);
            QVERIFY(!writing.changed());
            QCOMPARE(writing.bytes, authorsTank);
        }
    }

    // Each field changed alone, each block and check box switched alone, in an author's part:
    // its own line rewritten or the builder's added, and read back as the form was left. (In
    // our own texts, tst_generation saves each such change through the window.)
    void eachChangeAlone_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < formFields.size(); ++i)
            QTest::newRow(formFields[i].widget) << i;
    }
    void eachChangeAlone()
    {
        QFETCH(int, row);
        const FormField &f = formFields[row];
        const PartDocument document = opened(authorsTank);
        const R now = withRowChanged(document.opened, f);
        const PartWriting writing = document.writeBack(now);
        const QString before = QString::fromUtf8(authorsTank).remove('\r'), after = QString::fromUtf8(writing.bytes).remove('\r');
        const QStringList changes = diff(before, after);
        if (f.value) { // its own lines rewritten (a full tank's two), or the builder's added
            QStringList keys;
            for (const BuilderLine &line : builderLines())
                keys << (line.value == f.value ? QString(line.text).section('=', 0, 0).trimmed() : QString());
            const int added = int(std::count_if(changes.begin(), changes.end(), [](const QString &c) { return c.startsWith('+'); }));
            QVERIFY2(added <= keys.size() - keys.count(QString()) && changes.size() <= 2 * added, qPrintable(changes.join('\n')));
            for (const QString &change : changes)
                QVERIFY2(keys.contains(change.mid(1).section('=', 0, 0).trimmed()), qPrintable(change));
        }
        QCOMPARE(writing.changed(), !changes.isEmpty());
        QCOMPARE(opened(writing.bytes).opened, opened(buildPartConfig(now).toUtf8()).opened);
        QVERIFY(writing.bytes.endsWith("PART\r\n{\r\n\tname = second\r\n}\r\n"));
    }

    // Random forms as opened and as left, every block on in one of four: our text read back is
    // the form as it was, without a word; saved in place, it is "Générer !"'s for the form left.
    void ownTextsRandomly()
    {
        QRandomGenerator random(20261209);
        for (int n = 0; n < 300; ++n) {
            const R first = n % 4 ? randomForm(random) : everyBlockOn(randomForm(random)), left = randomForm(random);
            QVERIFY(!misread(readingWarnings(first)) && !misread(readingWarnings(left)));
            const QByteArray text = buildPartConfig(first).toUtf8();
            const PartDocument document = opened(text);
            QVERIFY2(document.reading.complete(), qPrintable(document.reading.details()));
            QCOMPARE(buildPartConfig(document.opened), QString::fromUtf8(text));
            QCOMPARE(QString::fromUtf8(document.writeBack(left).bytes), buildPartConfig(left));
            QCOMPARE(document.writeBack(document.opened).bytes, text);
        }
    }

    // The rules for what an author wrote: the file's own way of writing a line stays.
    void authorsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QByteArray>("saved");
        const auto row = [](const char *name, const char *bytes, const char *changes, const char *saved) {
            QTest::newRow(name) << QByteArray(bytes) << QString(changes) << QByteArray(saved);
        };
        row("a full tank stays full", "PART{\nRESOURCE { name = Oxidizer\n amount = 10 \n maxAmount = 10.0\n}\n}",
            "Oxi=20.00", "PART{\nRESOURCE { name = Oxidizer\n amount = 20.00 \n maxAmount = 20.00\n}\n}");
        row("a tank half full keeps its amount", "PART{\nRESOURCE { name = Oxidizer\n amount = 5\n maxAmount = 10\n}\n}",
            "Oxi=20.00", "PART{\nRESOURCE { name = Oxidizer\n amount = 5\n maxAmount = 20.00\n}\n}");
        row("a value given twice: the one the game keeps", "PART\n{\nmass = 1\nmass = 2\n}", "Mass=3", "PART\n{\nmass = 1\nmass = 3\n}");
        row("an unchanged value shown otherwise stays", "PART\n{\nmass = lourd\ncost = 1.5\n}", "Resist=7",
            "PART\n{\nmass = lourd\ncrashTolerance = 7\ncost = 1.5\n}");
        row("cross-feed False becomes True", "PART\n{\n\tfuelCrossFeed = False // non\n}", "FuelCrossfeed=1",
            "PART\n{\n\tfuelCrossFeed = True // non\n}");
        row("exhaustDamage True becomes False", "PART {\n MODULE {\n  name = ModuleEngines\n  exhaustDamage = True\n }\n}",
            "Exhaust=0", "PART {\n MODULE {\n  name = ModuleEngines\n  exhaustDamage = False\n }\n}");
        row("a value into a part written on one line", "PART { name = a }", "Cost=5", "PART { name = a\ncost = 5\n }");
        row("typed braces and comments, as typed", "PART {\n title = T\n}", "Titre=a // b {c}", "PART {\n title = a // b {c}\n}");
        row("an empty value, filled", "PART {\n title =\n}", "Titre=T", "PART {\n title = T\n}");
        row("bytes that are not UTF-8 kept", "PART{\ntitle = \xe9t\xe9 \xff\nmass = 1\n}", "Mass=2", "PART{\ntitle = \xe9t\xe9 \xff\nmass = 2\n}");
        row("an engine's own keys go with it", "PART\n{\nMODULE\n{\nname = ModuleEngines\nEngineType = LiquidFuel\n}\n}",
            "LiquidEngine=0", "PART\n{\n}");
        row("a curve point keeps its tangents", "PART{\nMODULE{\nname = ModuleEngines\natmosphereCurve{\nkey = 1 300 0 0\n}\n}\n}",
            "atmISP=320", "PART{\nMODULE{\nname = ModuleEngines\natmosphereCurve{\nkey = 1 320 0 0\n}\n}\n}");
        row("a block into a node of four spaces", "PART\n{\n    name = x\n    MODULE\n    {\n        name = ModuleEngines\n    }\n}",
            "Exhaust=1", "PART\n{\n    name = x\n    MODULE\n    {\n        name = ModuleEngines\n        exhaustDamage = True\n    }\n}");
    }
    void authorsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, changes);
        QFETCH(QByteArray, saved);
        const PartDocument document = opened(bytes);
        const R now = changed(document.opened, changes);
        const PartWriting writing = document.writeBack(now);
        QCOMPARE(writing.bytes, saved);
        QCOMPARE(writing.authorsLinesRemoved.size(), int(bytes.contains("EngineType")));
        if (!changes.contains("//"))
            QCOMPARE(opened(writing.bytes).opened, opened(buildPartConfig(now).toUtf8()).opened);
    }
};

QTEST_MAIN(TestPartDocument)
#include "tst_partdocument.moc"

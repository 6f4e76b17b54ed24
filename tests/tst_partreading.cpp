// Reading a part file back into the form, without a window: every text the builder writes
// comes back whole, a part written by hand in any layout fills the fields it has lines for,
// the account names all the rest, and no file, however hostile, does harm.
#include "formfields.h"
#include "gamereading.h"
#include "partconfig.h"
#include "partfile.h"
#include "partreading.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(GenerationRequest)

namespace {

using R = GenerationRequest;

R named(R request)
{
    request.auteur = "A", request.createur = "C", request.nom = "N", request.titre = "T";
    return request;
}

// Each file read here is also a seed of the fuzzer's corpus (build.sh), in TALLOWIN_FUZZ_SEEDS.
PartFile read(const QByteArray &bytes)
{
    const QString seeds = qEnvironmentVariable("TALLOWIN_FUZZ_SEEDS");
    if (!seeds.isEmpty() && bytes.size() <= 65536 && QDir().mkpath(seeds)) {
        QFile seed(QDir(seeds).filePath(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
        if (seed.open(QIODevice::WriteOnly))
            seed.write(bytes);
    }
    return readPartFile(bytes);
}

PartReading readBytes(const QByteArray &bytes)
{
    const PartFile file = read(bytes);
    if (file.parts.isEmpty())
        QTest::qFail(qPrintable("no part: " + file.whatInstead()), __FILE__, __LINE__);
    return file.parts.isEmpty() ? PartReading() : readPart(file, 0, formShape());
}

// A text read back gives the same text; a form without a reading mark needs no account.
void checkRoundTrip(const R &form)
{
    const QString text = buildPartConfig(form);
    const PartReading reading = readBytes(text.toUtf8());
    const QList<ReadingWarning> warnings = readingWarnings(form);
    const bool misread = std::any_of(warnings.begin(), warnings.end(), [](const ReadingWarning &w) { return !w.advice; });
    QVERIFY2(misread || reading.complete(), qPrintable(reading.details()));
    if (reading.complete())
        QCOMPARE(buildPartConfig(reading.request), text);
}

// A part written by hand: tabs, "PART {", nodes on one line, values before a "}", comments
// after values, modules and nodes the form has no field for.
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
    // Each field of the table at its fresh, typed and largest values with every block on, and
    // each block and check box off: the text comes back byte for byte, without an account.
    void roundTrip_data()
    {
        QTest::addColumn<GenerationRequest>("form");
        for (const FormField &f : formFields) {
            if (f.checked) {
                R off = named(everyBlockOn());
                off.*f.checked = false;
                QTest::newRow(qPrintable(QStringLiteral("%1 off").arg(f.widget))) << off;
                continue;
            }
            for (const char *value : {f.fresh, f.written, f.maximum}) {
                R form = named(everyBlockOn());
                if (value)
                    form.*f.value = QString::fromUtf8(value);
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(f.widget, value))) << form;
            }
        }
        QTest::newRow("the fresh form") << named(freshForm());
    }
    void roundTrip()
    {
        QFETCH(GenerationRequest, form);
        checkRoundTrip(form);
        const PartReading reading = readBytes(buildPartConfig(form).toUtf8());
        if (form.ressourcesOn && form.liquidEngineOn && form.podsOn && readingWarnings(form).isEmpty())
            QVERIFY(reading.request == form); // every value in the text: the same form
    }

    // Forms of random values, texts with any character; a form without reading marks comes
    // back without an account, and a text read back whole is the same text.
    void randomForms()
    {
        QRandomGenerator random(20261209);
        const FormShape shape = formShape();
        const QString letters = QStringLiteral("abcXYZ019 éèÉçœ€«»_-.,;:=()[]'\"\\\t/{}ΩЖ中");
        for (int n = 0; n < 300; ++n) {
            R form = freshForm();
            for (const FormField &f : formFields) {
                if (f.checked) {
                    form.*f.checked = random.bounded(2);
                } else if (f.maximum) {
                    const FormShape::Field &field = *shape.field(f.value);
                    const double value = random.bounded(3) ? random.bounded(field.maximum) : field.maximum * random.bounded(2);
                    form.*f.value = QString::number(value, 'f', field.decimals);
                } else if (f.value == &R::module || f.value == &R::categorie) {
                    const QStringList &entries = f.value == &R::module ? moduleEntries : categoryEntries;
                    form.*f.value = entries.at(random.bounded(entries.size()));
                } else {
                    QString text;
                    for (int i = random.bounded(12); i > 0; --i)
                        text += letters.at(random.bounded(letters.size() - (n % 2 ? 6 : 0)));
                    form.*f.value = text;
                }
            }
            checkRoundTrip(form);
        }
    }

    // The same part in every layout a person's editor may save: the fields take the same values
    // and the account names the same lines.
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
        QTest::newRow("spaces for tabs") << QByteArray(handWritten).replace('\t', "    ");
        QTest::newRow("UTF-16 with a byte order mark") << utf16;
    }
    void layouts()
    {
        QFETCH(QByteArray, bytes);
        const PartReading reading = readBytes(bytes);
        const QStringList lines = buildPartConfig(reading.request).split('\n');
        for (const char *line : {"name = hand_tank", "module = Part", "author = Moi", "mass = 1", "title = Réservoir",
                                 "description = Deux\\nlignes", " name = LiquidFuel", " maxAmount = 100.00",
                                 " amount = 122.00"})
            QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
        QCOMPARE(reading.details(), QStringLiteral(
            "ligne 1 : le commentaire « // Réservoir fait main » ; le jeu l'ignore, il ne sera pas dans le texte.\n"
            "ligne 3 : le commentaire « // son nom » ; le jeu l'ignore, il ne sera pas dans le texte.\n"
            "ligne 6 : « MODEL » : le formulaire n'a pas de champ pour ce bloc.\n"
            "ligne 8 : « mass = 0.5 » : le champ Mass n'a pas de décimales et affiche 1.\n"
            "ligne 12 : « amount = 50 » : le texte écrira la capacité, « amount = 100.00 ».\n"
            "lignes 20 à 24 : « MODULE ModuleReactionWheel » : le formulaire n'a pas de champ pour ce bloc."));
        QCOMPARE(reading.summary("r.cfg"), QStringLiteral(
            "r.cfg : 9 valeurs reprises ; 8 lignes ne tiennent pas dans le formulaire et ne seront pas dans "
            "le texte généré ; 2 valeurs changées pour tenir dans leur champ."));
    }

    // Each line the form takes or leaves, inside a part named N: what the text then writes,
    // and what the account says of it.
    void lines_data()
    {
        QTest::addColumn<QString>("lines");    // added to the part, "|" between them
        QTest::addColumn<QString>("written");  // a line of the text generated from it, or ""
        QTest::addColumn<QString>("account");  // its account, or "" for none
        const auto row = [](const char *name, const char *lines, const char *written, const char *account) {
            QTest::newRow(name) << QString::fromUtf8(lines) << QString::fromUtf8(written) << QString::fromUtf8(account);
        };
        row("more decimals", "mass = 0.0625", "mass = 0", "« mass = 0.0625 » : le champ Mass n'a pas de décimales et affiche 0.");
        row("negative", "maxTemp = -5", "maxTemp = 0", "« maxTemp = -5 » : le champ Temp ne prend pas de nombre négatif et affiche 0.");
        row("past the maximum", "maximum_drag = 2e3", "maximum_drag = 1.00", "« maximum_drag = 2e3 » : le champ dragMax va jusqu'à 1.00 et affiche 1.00.");
        row("rounded to 2 decimals", "angularDrag = .125", "angularDrag = 0.13", "« angularDrag = .125 » : le champ dragTorque a 2 décimales et affiche 0.13.");
        row("sign and exponent, exact", "cost = +1.5E3", "cost = 1500", "");
        row("a decimal comma", "mass = 1,5", "mass = 0", "« mass = 1,5 » : le jeu ne lit pas « 1,5 » comme un nombre ; le champ Mass garde 0.");
        row("a word", "mass = lourd", "mass = 0", "« mass = lourd » : le jeu ne lit pas « lourd » comme un nombre ; le champ Mass garde 0.");
        row("given twice: the last", "mass = 7|mass = 8", "mass = 8", "« mass = 7 » : mass est donnée aussi ligne 5 ; le jeu garde la dernière.");
        row("the name twice: the first", "name = second", "name = N", "« name = second » : name est donnée aussi ligne 3 ; le jeu garde la première.");
        row("not in the list", "module = Engine", "module = Part", "« module = Engine » : la liste Module n'a pas cette entrée ; elle garde « Part ».");
        row("a fixed line, otherwise", "mesh = tank.mu", "mesh = model.mu", "« mesh = tank.mu » : le texte écrira « mesh = model.mu ».");
        row("an unknown value", "rescaleFactor = 1", "", "« rescaleFactor = 1 » : le formulaire n'a pas de champ pour cette valeur.");
        row("cross-feed False", "fuelCrossFeed = false", "fuelCrossFeed = False", "");
        row("cross-feed neither", "fuelCrossFeed = oui", "", "« fuelCrossFeed = oui » : le jeu n'y lit ni True ni False ; la case reste cochée.");
        row("wing", "dragCoeff = 0.6|deflectionLiftCoeff = 0.5", "deflectionLiftCoeff = 0.50", "");
        row("reaction wheel", "maxTorque = 15", "maxTorque = 15", "");
        row("crew pod", "CrewCapacity = 2|MODULE|{|name = ModuleCommand|minimumCrew = 2|}", "   minimumCrew = 2", "");
        row("a command module without crew", "MODULE { name = ModuleCommand }", "", "« MODULE ModuleCommand » : la pièce n'a pas de CrewCapacity, le groupe Pods n'est pas repris.");
        row("an engine FX, its icon", "stagingIcon = LIQUID_ENGINE|MODULE|{|name = ModuleEnginesFX|maxThrust = 200|exhaustDamage = True"
            "|atmosphereCurve|{|key = 0 350|key = 1 320 0 0|key = 6 1|}|}", "    key = 1 320",
            "« name = ModuleEnginesFX » : le texte écrira « name = ModuleEngines ».\n"
            "« key = 1 320 0 0 » : le formulaire ne garde pas les tangentes ; le texte écrira « key = 1 320 ».\n"
            "« key = 6 1 » : le formulaire n'a que les points 0 et 1 de la courbe.");
        row("an icon without engine", "stagingIcon = LIQUID_ENGINE", "", "« stagingIcon = LIQUID_ENGINE » : la pièce n'a pas de moteur ; le texte n'écrit cette ligne qu'avec lui.");
        row("the oxidizer keeps its amount", "RESOURCE { name = LiquidFuel|amount = 100|maxAmount = 100 }|RESOURCE { name = Oxidizer|maxAmount = 122|amount = 122 }",
            " maxAmount = 122.00", "");
        row("an unknown resource", "RESOURCE { name = Ore|maxAmount = 5 }", "", "« RESOURCE Ore » : le formulaire n'a pas de champ pour ce bloc.");
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

    // Whatever the bytes, a reading that ends, names what it could not hold, and keeps the
    // account short enough to show; a file that defines no part says what it holds instead.
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
        QByteArray noise(1 << 20, 0);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        QTest::newRow("1 MiB of noise") << noise << 0 << "ce n'est pas un fichier texte";
        QTest::newRow("100,000 braces closed") << QByteArray(100000, '}') << 0 << "il ne contient ni valeur ni bloc";
        QTest::newRow("NUL bytes in a part") << QByteArray("PART{name = a\0b\n}", 17) << 1 << "";
        QTest::newRow("bytes that are not UTF-8") << QByteArray("PART{title = R\xe9servoir \xff\xfe\x80}") << 1 << "";
        QTest::newRow("100,000 braces deep") << "PART{" + QByteArray(100000, '{') << 1 << "";
        QTest::newRow("a 10 MB line") << "PART{description = " + QByteArray(10 << 20, 'x') + "}" << 1 << "";
        QTest::newRow("three parts") << QByteArray("PART{name=a}PART{name=b}PART{name=c title=d}") << 3 << "";
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
        const PartReading reading = readPart(file, parts - 1, formShape());
        QVERIFY(reading.details().count('\n') <= 1000);
        QVERIFY(reading.request.description.size() <= 1 << 20);
        QVERIFY(!reading.summary("f.cfg").isEmpty());
    }

    // The file itself: one sentence naming it and why it cannot be read as a part file.
    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("gone") << "absent.cfg" << "il n'existe pas";
        QTest::newRow("a folder") << "dossier.cfg" << "c'est un dossier";
        QTest::newRow("200 MB") << "grand.cfg" << "il fait 200 Mo, bien plus qu'un fichier de pièces (4 Mo au plus)";
        QTest::newRow("unreadable") << "secret.cfg" << "il n'est pas accessible en lecture";
#ifdef Q_OS_UNIX
        QTest::newRow("a device that never ends") << "/dev/zero" << "ce n'est pas un fichier ordinaire";
#endif
    }
    void unreadableFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("dossier.cfg"));
        QFile large(dir.filePath("grand.cfg"));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(200 << 20)); // sparse: no disk used
        QFile secret(dir.filePath("secret.cfg"));
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("PART{}"));
        secret.close();
        secret.setPermissions({}); // where the system has such permissions
        if (name == "secret.cfg" && QFileInfo(secret).isReadable())
            QSKIP("this user reads unreadable files");
        const QString path = name.startsWith('/') ? name : dir.filePath(name);
        QByteArray bytes = "before";
        QCOMPARE(readPartFileBytes(path, &bytes), QStringLiteral("Impossible d'ouvrir le fichier « %1 » : %2.")
                                                      .arg(QDir::toNativeSeparators(path), reason));
        QVERIFY(bytes.size() <= largestPartFile);
    }
};

QTEST_APPLESS_MAIN(TestPartReading)
#include "tst_partreading.moc"

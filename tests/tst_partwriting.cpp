// Saving a part file in place, without a window: with nothing changed the file's own bytes, each
// change exactly its own lines, our own texts as "Générer !" writes them for the changed form,
// every other byte of an author's file kept, and the saved file read back as the form was left.
#include "formfields.h"
#include "gamereading.h"
#include "partconfig.h"
#include "partwriting.h"

#include <QtTest>

namespace {

using R = GenerationRequest;

PartDocument opened(const QByteArray &bytes, int part = 0)
{
    keepAsFuzzSeed(bytes);
    PartDocument document;
    document.bytes = bytes;
    document.file = readPartFile(bytes);
    document.part = part;
    document.reading = readPart(document.file, part, formShape());
    document.opened = document.reading.request;
    return document;
}

R readBack(const QByteArray &bytes, int part = 0)
{
    return opened(bytes, part).reading.request;
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

} // namespace

class TestPartWriting : public QObject
{
    Q_OBJECT

private slots:
    // Nothing changed: nothing to write, and the document written back is its file, byte for byte.
    void nothingChanged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("part");
        QByteArray lf = authorsTank.mid(3);
        lf.replace("\r\n", "\n");
        QByteArray utf16("\xff\xfe");
        for (const QChar c : QString::fromUtf8(lf))
            utf16.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
        QTest::newRow("an author's part") << authorsTank << 0;
        QTest::newRow("its second part") << authorsTank << 1;
        QTest::newRow("LF, no final line break") << lf.chopped(1) << 0;
        QTest::newRow("CR") << QByteArray(lf).replace('\n', '\r') << 0;
        QTest::newRow("UTF-16") << utf16 << 0;
        QTest::newRow("bytes that are not UTF-8") << QByteArray("PART{title = R\xe9servoir \xff\xfe\x80\n}") << 0;
        QTest::newRow("our own, every block") << buildPartConfig(everyBlockOn()).toUtf8() << 0;
        QTest::newRow("our own, the fresh form") << buildPartConfig(freshForm()).toUtf8() << 0;
    }
    void nothingChanged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, part);
        const PartDocument document = opened(bytes, part);
        const PartWriting writing = document.writeBack(document.opened);
        QVERIFY(!writing.changed());
        QCOMPARE(writing.bytes, bytes);
    }

    // Each field changed alone, each block and check box switched alone: in our own text,
    // exactly the lines "Générer !" changes; in an author's, its own line rewritten or the
    // builder's added; either read back as the form was left.
    void eachChangeAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("row");
        const QByteArray own = buildPartConfig(everyBlockOn(changed(freshForm(), "Auteur=A;Nom=N;Titre=T;Createur=C"))).toUtf8();
        for (int i = 0; i < formFields.size(); ++i) {
            QTest::newRow(qPrintable(QStringLiteral("own, ") + formFields[i].widget)) << own << i;
            QTest::newRow(qPrintable(QStringLiteral("an author's, ") + formFields[i].widget)) << authorsTank << i;
        }
    }
    void eachChangeAlone()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, row);
        const FormField &f = formFields[row];
        const PartDocument document = opened(bytes);
        const R now = withRowChanged(document.opened, f);
        const PartWriting writing = document.writeBack(now);
        const QString before = QString::fromUtf8(bytes).remove('\r'), after = QString::fromUtf8(writing.bytes).remove('\r');
        const QStringList changes = diff(before, after);
        if (bytes.startsWith("PART{")) {
            QCOMPARE(QString::fromUtf8(writing.bytes), buildPartConfig(now));
        } else if (f.value) { // its own lines rewritten (a full tank's two), or the builder's added
            QStringList keys;
            for (const BuilderLine &line : builderLines())
                keys << (line.value == f.value ? QString(line.text).section('=', 0, 0).trimmed() : QString());
            const int added = int(std::count_if(changes.begin(), changes.end(), [](const QString &c) { return c.startsWith('+'); }));
            QVERIFY2(added <= keys.size() - keys.count(QString()) && changes.size() <= 2 * added, qPrintable(changes.join('\n')));
            for (const QString &change : changes)
                QVERIFY2(keys.contains(change.mid(1).section('=', 0, 0).trimmed()), qPrintable(change));
        }
        QCOMPARE(writing.changed(), !changes.isEmpty());
        QCOMPARE(readBack(writing.bytes), readBack(buildPartConfig(now).toUtf8()));
        QVERIFY(QString::fromUtf8(writing.bytes).contains("PART\r\n{\r\n\tname = second\r\n}\r\n") || !bytes.contains("second"));
    }

    // Random forms as opened and as left: our text saved in place is "Générer !"'s for the form
    // left, and the form left comes back from it.
    void ownTextsRandomly()
    {
        QRandomGenerator random(20261209);
        for (int n = 0; n < 300; ++n) {
            const R first = randomForm(random), left = randomForm(random);
            QVERIFY(!misread(readingWarnings(first)) && !misread(readingWarnings(left)));
            const QByteArray text = buildPartConfig(first).toUtf8();
            const PartDocument document = opened(text);
            QVERIFY2(document.reading.complete(), qPrintable(document.reading.details()));
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
            QCOMPARE(readBack(writing.bytes), readBack(buildPartConfig(now).toUtf8()));
    }
};

QTEST_MAIN(TestPartWriting)
#include "tst_partwriting.moc"

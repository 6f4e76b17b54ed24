// What the game will read differently from what the author typed: each rule on
// each field it applies to, and no warning on ordinary values.
#include "gamereading.h"

#include <QtTest>

Q_DECLARE_METATYPE(TextField)

namespace {

using F = TextField;
const QList<F> typedTexts = {F::Auteur, F::Nom, F::Titre, F::Createur, F::Description};

QString advice(const QString &text)
{
    return QStringLiteral("(conseil) ") + text;
}

const QString nameAdvice = advice(QStringLiteral("Nom : conseil, évitez les espaces et ( ) , | * ? [ ] ; "
    "la pièce se charge, mais les outils de patch usuels ne peuvent pas la désigner exactement."));
const QString breakAdvice = advice(QStringLiteral("%1 : conseil, un saut de ligne tapé ici devient un espace ; "
    "pour un saut de ligne dans le jeu, écrivez \\n."));

void addColumns()
{
    QTest::addColumn<TextField>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected"); // advice marked "(conseil) "
}

// One row for each field; "%1" in an expected text stands for the field's label.
void addRows(const QString &name, const QList<F> &fields, const QString &value, const QStringList &expected)
{
    for (F field : fields) {
        QStringList texts;
        for (const QString &text : expected)
            texts << QString(text).replace(QLatin1String("%1"), fieldLabel(field));
        QTest::newRow(qPrintable(name + QStringLiteral(", ") + fieldLabel(field))) << field << value << texts;
    }
}

void compareWarnings()
{
    QFETCH(TextField, field);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    QStringList shown;
    for (const ReadingWarning &warning : readingWarnings(field, value)) {
        QVERIFY(warning.field == field);
        shown << (warning.advice ? advice(warning.text) : warning.text);
    }
    QCOMPARE(shown, expected);
}

} // namespace

class TestGameReading : public QObject
{
    Q_OBJECT

private slots:
    void misreadings_data()
    {
        addColumns();
        const QString reads = "%1 : le jeu lira ", comment = " ; // commence un commentaire.";
        const QString trimmed = " ; il retire les espaces et tabulations du début et de la fin.";
        const QString closed = " ; } ferme la pièce trop tôt, les lignes suivantes restent dehors.";
        const QString unclosed = " ; { ouvre un bloc qui avale tout ce qui suit, et la pièce n'est jamais fermée.";
        const QString zeroed = " ; tout champ autre que 1 exactement vaut 0.";
        const QList<F> titre = {F::Titre}, description = {F::Description}, rules = {F::AttachRules};
        addRows("comment", typedTexts, "http://exemple.fr", {reads + "« http: »" + comment});
        addRows("long reading", titre, "Réservoir " + QString(50, 'a') + "//",
                {reads + "« Réservoir " + QString(30, 'a') + "… »" + comment});
        addRows("block", typedTexts, "Réservoir{grand}",
                {"%1 : le jeu lira « Réservoir » ; { ouvre un bloc qui avale la suite de la valeur."});
        addRows("lone {", titre, "Réservoir {", {reads + "« Réservoir »" + unclosed});
        addRows("lone }", titre, "Réservoir } fin", {reads + "« Réservoir »" + closed});
        addRows("blanks at the ends", typedTexts, "\tRéservoir  ", {reads + "« Réservoir »" + trimmed});
        addRows("spaces only", titre, "  ", {reads + "une valeur vide" + trimmed});
        addRows("escape", typedTexts, "C:\\nouveau", {"%1 : le jeu lira \\n comme un saut de ligne."});
        addRows("every escape", description, "a\\tb \\\"c\\\" \\n",
                {reads + "\\n comme un saut de ligne, \\t comme une tabulation et \\\" comme un guillemet."});
        addRows("escape", rules, "1,0,1,1,0,\\t",
                {reads + "\\t comme une tabulation.", reads + "« 1,0,1,1,0,0 »" + zeroed});
        addRows("underscore", {F::Nom}, "mon_reservoir",
                {"Nom : le jeu nommera la pièce « mon.reservoir » ; il remplace chaque _ par un point."});
        addRows("space", {F::Nom}, "mon reservoir", {nameAdvice});
        addRows("patch characters", {F::Nom}, "r(1)|[2]*?", {nameAdvice});
        addRows("spaces after the commas", rules, "1, 0, 1, 1, 0",
                {"Règles d'attachement : le jeu lira « 1,0,0,0,0 » ; tout champ autre que 1 exactement vaut 0."});
        const QString tooFew = "%1 : il faut au moins 5 champs séparés par des virgules, le jeu n'en lira ";
        addRows("3 fields", rules, "1,0,1", {tooFew + "que 3 ; la pièce ne se chargera pas."});
        addRows("empty", rules, "", {tooFew + "qu'un ; la pièce ne se chargera pas."});
        addRows("9 fields", rules, "1,0,1,1,0,1,1,1,1",
                {reads + "« 1,0,1,1,0,1,1,1 » ; les champs après le 8e sont ignorés."});
        addRows("line break", {F::Auteur, F::Titre, F::Createur, F::Description}, "a\nb", {breakAdvice});
        addRows("line break", {F::Nom}, "a\nb", {nameAdvice, breakAdvice});
        addRows("line break", rules, "1,0,1,\n1,0", {reads + "« 1,0,1,0,0 »" + zeroed, breakAdvice});
        QString big;
        while (big.size() < (1 << 20))
            big += QStringLiteral("Réservoir {de 2 m}\r\n\n\r\u2028\u2029\U0001F680 ");
        addRows("1 MiB, braces, breaks", description, big + "}", {reads + "« Réservoir »" + closed, breakAdvice});
    }
    void misreadings() { compareWarnings(); }

    void ordinaryValues_data()
    {
        addColumns();
        // Each value, and whether it holds a character the patch tools trip on.
        const QPair<QString, bool> values[] = {
            {"Réservoir à hélium", true}, {"« Grand » réservoir", true}, {"12 €", true}, {"\U0001F680", false},
            {"火箭发动机", false}, {"מנוע רקטי", true}, {"محرك", false}, {"exemple.fr", false}, {"1/2", false},
            {"mk1-pod.v2", false}, {"", false}, {"1,0,1,1,0", true}, {"1,0,1,1,0,1,1,1", true}};
        for (const auto &value : values) {
            addRows(value.first, {F::Auteur, F::Titre, F::Createur, F::Description}, value.first, {});
            addRows(value.first, {F::Nom}, value.first, value.second ? QStringList{nameAdvice} : QStringList());
        }
        for (const char *rules : {"1,0,1,1,0", "1,0,1,1,0,1,1,1"})
            addRows(rules, {F::AttachRules}, rules, {});
    }
    void ordinaryValues() { compareWarnings(); }
};

QTEST_APPLESS_MAIN(TestGameReading)
#include "tst_gamereading.moc"

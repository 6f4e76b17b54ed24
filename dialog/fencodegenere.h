#ifndef FENCODEGENERE_H
#define FENCODEGENERE_H

#include <QDialog>
#include <QString>

class QClipboard;
class QPushButton;
class QTextEdit;

// Result dialog: shows the generated part configuration text, puts it on the
// clipboard as soon as it is built, and lets the author copy it again or save
// it to a file. The copy and save buttons always use the text as generated,
// never the (editable) contents of the text area.
class FenCodeGenere : public QDialog
{
public:
    FenCodeGenere(const QString &code, QWidget *parent = nullptr,
                  const QString &partName = QString());
    ~FenCodeGenere() override;

    void CtrlC(const QString &code, QClipboard *clipboard);
    // Asks for a file, offering the part's name, then writes the text there; says why
    // when it could not, leaving any existing file as it was.
    void Save(const QString &code);

    // The file the form was opened from, and how many of its lines the text does not hold:
    // saving over it asks first.
    void keepLinesOf(const QString &openedFile, int linesLeftOut);

private:
    QTextEdit *texte;
    QPushButton *fermer;
    QPushButton *copier;
    QPushButton *enregistrer;
    const QString codeGenere;
    const QString nomPiece;
    QString fichierOuvert;
    int lignesPerdues = 0;
};

#endif // FENCODEGENERE_H

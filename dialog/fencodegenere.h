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
    // Asks for a file name, then writes the text there.
    void Save(const QString &code);
    // Writes the generated text to path atomically; on failure shows an error
    // box, leaves any existing file untouched and returns false.
    bool saveTo(const QString &path);

    // File name offered for a part: its name with ".cfg", characters that are
    // not allowed in file names replaced by "_"; "piece.cfg" if none is left.
    static QString proposedFileName(const QString &partName);
    // proposedFileName in the folder of the last file chosen in this run,
    // else in the user's documents folder.
    static QString proposedPath(const QString &partName);

private:
    QTextEdit *texte;
    QPushButton *fermer;
    QPushButton *copier;
    QPushButton *enregistrer;
    const QString codeGenere;
    const QString nomPiece;

    bool writeText(const QString &path, const QString &text);
};

#endif // FENCODEGENERE_H

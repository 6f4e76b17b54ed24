#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fencodegenere.h"
#include "formfont.h"
#include "partchoice.h"
#include "partconfig.h"
#include "partfile.h"
#include "partreading.h"
#include "questions.h"
#include "readingmarks.h"
#include "toolbaricons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

using R = GenerationRequest;
using U = Ui_MainWindow;

// Each entry of the record and the field it is read from and written to.
const std::pair<QString R::*, NumberField *U::*> numberFields[] = {
    {&R::echelle, &U::Echelle}, {&R::cost, &U::Cost}, {&R::mass, &U::Mass}, {&R::dragMax, &U::dragMax},
    {&R::dragMin, &U::dragMin}, {&R::dragTorque, &U::dragTorque}, {&R::resist, &U::Resist},
    {&R::temp, &U::Temp}, {&R::coupleMax, &U::CoupleMax}, {&R::puissanceMin, &U::PuissanceMin},
    {&R::puissanceMax, &U::PuissanceMax}, {&R::tempGen, &U::TempGen}, {&R::voidIsp, &U::voidISP},
    {&R::atmIsp, &U::atmISP}, {&R::cLift, &U::CLift}, {&R::cDrag, &U::CDrag}, {&R::crew, &U::Crew},
    {&R::minCrew, &U::MinCrew}, {&R::fuelAmount, &U::Fuel}, {&R::oxiAmount, &U::Oxi}, // Oxi after Fuel,
    {&R::xenonAmount, &U::Xenon}, {&R::rcsFuelAmount, &U::RCSFuel},                    // which it follows
    {&R::electricAmount, &U::Electric}};
const std::pair<QString R::*, QLineEdit *U::*> lineFields[] = {
    {&R::nom, &U::Nom}, {&R::auteur, &U::Auteur}, {&R::titre, &U::Titre}, {&R::createur, &U::Createur},
    {&R::attachRules, &U::attachRules}};
const std::pair<QString R::*, QComboBox *U::*> listFields[] = {{&R::module, &U::Module}, {&R::categorie, &U::Categorie}};
const std::pair<bool R::*, QGroupBox *U::*> groups[] = {
    {&R::liquidEngineOn, &U::LiquidEngine}, {&R::sasOn, &U::SAS}, {&R::wingOn, &U::Wing}, {&R::podsOn, &U::Pods},
    {&R::ressourcesOn, &U::Ressources}};
const std::pair<bool R::*, QCheckBox *U::*> checkBoxes[] = {
    {&R::iconeLiquidOn, &U::IconeLiquid}, {&R::exhaustOn, &U::Exhaust}, {&R::fuelCrossfeedOn, &U::FuelCrossfeed},
    {&R::fuelOn, &U::fuel}, {&R::oxidizerOn, &U::Oxidizer}, {&R::rcsGazOn, &U::RCSGaz},
    {&R::electricitOn, &U::Electricit}, {&R::xenonOn, &U::Xenon_2}};

// The text that names a field: its label's, or that of the check box on its row (the
// resource amounts), without the colon or question mark.
QString labelOf(const QWidget *field)
{
    QString text = field->objectName();
    for (const QLabel *label : field->window()->findChildren<QLabel *>()) {
        if (label->buddy() == field)
            text = label->text();
    }
    if (auto *grid = qobject_cast<QGridLayout *>(field->parentWidget()->layout())) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(const_cast<QWidget *>(field)), &row, &column, &rows, &columns);
        QLayoutItem *first = grid->itemAtPosition(row, 0);
        if (auto *box = first ? qobject_cast<QAbstractButton *>(first->widget()) : nullptr)
            text = box->text();
    }
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char('?')) || text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// The local file that a drag carries, if any.
QString draggedFile(const QEvent *event)
{
    const QMimeData *data = static_cast<const QDropEvent *>(event)->mimeData();
    for (const QUrl &url : data ? data->urls() : QList<QUrl>()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // On the form alone: the result dialog and the message boxes keep the toolkit's font.
    setFormFont(ui->centralWidget);
    connect(ui->Fuel, SIGNAL(valueChanged(double)), this, SLOT(modif(double)));
    connect(ui->generer, SIGNAL(clicked()), this, SLOT(genererCode()));
    readingMarks = new ReadingMarks({ui->Auteur, ui->Nom, ui->Titre, ui->Createur, ui->Description, ui->attachRules},
                                    ui->statusBar, this);

    // The desktop's own icons, else the style's (on Windows, the system's).
    const int iconSize = ui->mainToolBar->iconSize().width();
    ui->actionOuvrir->setIcon(toolBarIcon(QStringLiteral("document-open"), QStyle::SP_DialogOpenButton, this, iconSize));
    ui->actionOuvrir->setShortcuts(QKeySequence::Open);
    ui->actionEnregistrer->setIcon(toolBarIcon(QStringLiteral("document-save"), QStyle::SP_DialogSaveButton, this, iconSize));
    ui->actionEnregistrer->setShortcuts(QKeySequence::Save);
    if (QIcon::hasThemeIcon(QStringLiteral("document-save-as"))) // the style has none of its own
        ui->actionEnregistrerSous->setIcon(QIcon::fromTheme(QStringLiteral("document-save-as")));
    // Not every platform binds Save As; Ctrl+Maj+S is what authors know.
    ui->actionEnregistrerSous->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(ui->actionOuvrir, &QAction::triggered, this, &MainWindow::chooseFile);
    connect(ui->actionEnregistrer, &QAction::triggered, this, &MainWindow::enregistrer);
    connect(ui->actionEnregistrerSous, &QAction::triggered, this, &MainWindow::enregistrerSous);
    setAcceptDrops(true);
    qApp->installEventFilter(this);

    // Whatever the author changes may make the opened file's changes unsaved, or saved again.
    const auto changed = [this] { QTimer::singleShot(0, this, &MainWindow::showModified); };
    for (const auto &field : numberFields)
        connect(ui->*field.second, &QDoubleSpinBox::textChanged, this, changed);
    for (const auto &field : lineFields)
        connect(ui->*field.second, &QLineEdit::textChanged, this, changed);
    for (const auto &field : listFields)
        connect(ui->*field.second, QOverload<int>::of(&QComboBox::currentIndexChanged), this, changed);
    connect(ui->Description, &QTextEdit::textChanged, this, changed);
    for (const auto &group : groups)
        connect(ui->*group.second, &QGroupBox::toggled, this, changed);
    for (const auto &box : checkBoxes)
        connect(ui->*box.second, &QAbstractButton::toggled, this, changed);

    // Nothing in the form moves or grows: the window keeps the form's size plus what its tool
    // bar and status bar need, and there is nothing to maximise.
    setFixedSize(sizeHint());
    formShape.fresh = untouched = request(false); // its fields are asked of the widgets when first needed
    // The first field a person reads; the tab order goes on from there.
    ui->Auteur->setFocus();
}

MainWindow::~MainWindow()
{
    delete ui;
}

// Suggests an oxidizer amount in the usual 0.9 proportion to the liquid fuel.
void MainWindow::modif(double fuel)
{
    ui->Oxi->setValue(fuel * 0.9);
}

bool MainWindow::requiredFilled()
{
    for (const QLineEdit *required : {ui->Auteur, ui->Createur, ui->Nom, ui->Titre}) {
        if (required->text().isEmpty()) {
            QMessageBox::critical(this, QStringLiteral("Erreur"),
                                  QStringLiteral("Veuillez remplir les champs Auteur; Créateur; Nom et Titre."),
                                  QMessageBox::Ok, QMessageBox::NoButton);
            return false;
        }
    }
    return true;
}

void MainWindow::genererCode()
{
    if (!requiredFilled())
        return;
    const QString code = buildPartConfig(request());
    // The text is written as typed; the status bar names what the game will read otherwise.
    readingMarks->showSummary();
    // Freed once closed: a dialog kept per press would hold its window buffer for good.
    QPointer<FenCodeGenere> dialog = new FenCodeGenere(code, this, ui->Nom->text());
    if (document)
        dialog->keepLinesOf(document->path, document->reading.linesNotShown);
    dialog->exec();
    delete dialog;
}

GenerationRequest MainWindow::request(bool commit) const
{
    GenerationRequest r;
    // Exactly what each field shows, or will show once left: its own decimals, "." and no
    // group separator.
    for (const auto &field : numberFields) {
        NumberField *box = ui->*field.second;
        if (commit)
            box->interpretText();
        const double value = commit ? box->value() : qBound(box->minimum(), box->valueFromText(box->cleanText()), box->maximum());
        r.*field.first = box->textFromValue(value);
    }
    for (const auto &field : lineFields)
        r.*field.first = (ui->*field.second)->text();
    for (const auto &field : listFields)
        r.*field.first = (ui->*field.second)->currentText();
    r.description = ui->Description->toPlainText();
    for (const auto &group : groups)
        r.*group.first = (ui->*group.second)->isChecked();
    for (const auto &box : checkBoxes)
        r.*box.first = (ui->*box.second)->isChecked();
    return r;
}

void MainWindow::setForm(const GenerationRequest &form)
{
    for (const auto &field : numberFields)
        (ui->*field.second)->setValue((form.*field.first).toDouble());
    for (const auto &field : lineFields)
        (ui->*field.second)->setText(form.*field.first);
    for (const auto &field : listFields)
        (ui->*field.second)->setCurrentIndex((ui->*field.second)->findText(form.*field.first));
    ui->Description->setPlainText(form.description);
    for (const auto &group : groups)
        (ui->*group.second)->setChecked(form.*group.first);
    for (const auto &box : checkBoxes)
        (ui->*box.second)->setChecked(form.*box.first);
}

const FormShape &MainWindow::shape() const
{
    if (!formShape.fields.isEmpty())
        return formShape;
    QVector<FormShape::Field> &fields = formShape.fields;
    for (const auto &field : numberFields) {
        const NumberField *box = ui->*field.second;
        fields.append({field.first, labelOf(box), box->decimals(), box->maximum(), {}, 0, box->trailingZeros()});
    }
    for (const auto &field : lineFields)
        fields.append({field.first, labelOf(ui->*field.second), -1, 0, {}, (ui->*field.second)->maxLength()});
    for (const auto &field : listFields) {
        QStringList entries;
        for (int i = 0; i < (ui->*field.second)->count(); ++i)
            entries << (ui->*field.second)->itemText(i);
        fields.append({field.first, labelOf(ui->*field.second), -1, 0, entries, 0});
    }
    // Past a million characters, laying the text out would hold the window for seconds.
    fields.append({&R::description, labelOf(ui->Description), -1, 0, {}, 1 << 20});
    return formShape;
}

bool MainWindow::touched() const
{
    return request(false) != (document ? document->opened : untouched);
}

void MainWindow::showModified()
{
    // The title has no place for the mark until a file is opened.
    setWindowModified(document && touched());
}

bool MainWindow::changesMaySafelyGo()
{
    if (!isWindowModified())
        return true;
    switch (askToSaveChanges(this, QFileInfo(document->path).fileName())) {
    case ChangesAnswer::Save:
        return enregistrer();
    case ChangesAnswer::Discard:
        return true;
    case ChangesAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    showModified(); // a change of this very moment counts too
    if (changesMaySafelyGo())
        event->accept();
    else
        event->ignore();
}

void MainWindow::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Ouvrir une pièce"), proposedFolder(),
        QStringLiteral("Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
    if (!path.isEmpty())
        openPartFile(path);
}

void MainWindow::openStartFile(const QStringList &arguments)
{
    if (arguments.size() > 1 && QFileInfo(arguments.at(1)).isFile())
        openPartFile(arguments.at(1));
}

void MainWindow::openPartFile(const QString &path)
{
    const QString title = QStringLiteral("Ouvrir une pièce");
    const QString name = QFileInfo(path).fileName();
    showModified();
    if (!changesMaySafelyGo())
        return;
    QByteArray bytes;
    if (const QString failure = readPartFileBytes(path, &bytes); !failure.isEmpty())
        return void(QMessageBox::warning(this, title, failure));
    PartFile file = readPartFile(bytes);
    if (file.parts.isEmpty()) {
        return void(QMessageBox::warning(this, title, QStringLiteral("%1 ne définit aucune pièce : %2.")
                                                          .arg(name, file.whatInstead())));
    }
    int part = 0;
    if (file.parts.size() > 1) {
        QStringList parts;
        for (const PartEntry &entry : file.parts) {
            const QString shown = entry.name.isEmpty() ? QStringLiteral("(sans nom)") : entry.name;
            parts << (entry.title.isEmpty() ? shown : shown + QStringLiteral(" — ") + entry.title);
        }
        if ((part = PartChoice::choose(name, parts, this)) < 0)
            return;
    }
    if (!document && touched()
        && !askToReplace(this, QMessageBox::Question, title,
                         QStringLiteral("Remplacer le formulaire par le contenu de %1 ?").arg(name)))
        return;

    PartReading reading = readPart(file, part, shape());
    setForm(reading.request);
    document = PartDocument{path, bytes, std::move(file), part, std::move(reading), request()};
    rememberChosenFile(path);
    setWindowTitle(name + QStringLiteral("[*] — Tallowin"));
    showAccountButton();
    if (!document->reading.complete())
        showAccount();
}

void MainWindow::showAccountButton()
{
    showModified();
    const bool account = document && !document->reading.complete();
    if (account && !accountButton) { // the account of the file opened, to be read again while it is open
        accountButton = new QToolButton(ui->statusBar);
        accountButton->setObjectName(QStringLiteral("accountButton"));
        accountButton->setAutoRaise(true);
        accountButton->setText(QStringLiteral("Compte rendu de la lecture…"));
        ui->statusBar->addPermanentWidget(accountButton);
        connect(accountButton, &QToolButton::clicked, this, &MainWindow::showAccount);
    }
    if (accountButton) {
        accountButton->setVisible(account);
        accountButton->setToolTip(account ? document->reading.summary(QFileInfo(document->path).fileName()) : QString());
    }
}

void MainWindow::showAccount()
{
    if (document)
        ::showAccount(this, document->reading.summary(QFileInfo(document->path).fileName()), document->reading.details());
}

void MainWindow::becomeDocument(const QString &path, const QByteArray &bytes, int part)
{
    PartFile file = readPartFile(bytes);
    part = qBound(0, part, int(file.parts.size()) - 1);
    PartReading reading = file.parts.isEmpty() ? PartReading() : readPart(file, part, shape());
    document = PartDocument{path, bytes, std::move(file), part, std::move(reading), request()};
    const QString name = QFileInfo(path).fileName();
    setWindowTitle(name + QStringLiteral("[*] — Tallowin"));
    showAccountButton();
}

bool MainWindow::enregistrer()
{
    if (!document)
        return enregistrerSous();
    const QString name = QFileInfo(document->path).fileName();
    const PartWriting writing = document->writeBack(request());
    if (!writing.changed()) { // what changed writes nothing (a field of a group left off)
        document->opened = request();
        statusBar()->showMessage(QStringLiteral("%1 est à jour : rien à enregistrer.").arg(name));
        showModified();
        return true;
    }
    bool unchanged = false;
    if (const QString failure = checkOpenedFile(document->path, document->bytes, &unchanged); !failure.isEmpty()) {
        QMessageBox::critical(this, QStringLiteral("Erreur"), failure);
        return false;
    }
    if (!unchanged && !askToGoOn(this, QMessageBox::Warning, QStringLiteral("Enregistrer"),
                                 QStringLiteral("%1 a été modifié en dehors de Tallowin depuis son ouverture. L'écraser ?").arg(name),
                                 QStringLiteral("Écraser")))
        return false;
    return writeDocument(document->path);
}

bool MainWindow::enregistrerSous()
{
    if (!document && !requiredFilled())
        return false;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Enregistrer la pièce"), document ? document->path : proposedPartFile(ui->Nom->text()),
        QStringLiteral("Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
    if (path.isEmpty())
        return false;
    rememberChosenFile(path);
    if (document && QFileInfo(path) == QFileInfo(document->path))
        return enregistrer(); // the same file: saved in place, with its questions
    if (document)
        return writeDocument(path);
    const QByteArray bytes = buildPartConfig(request()).toUtf8();
    if (const QString failure = savePartFileBytes(path, bytes); !failure.isEmpty()) {
        QMessageBox::critical(this, QStringLiteral("Erreur"), failure);
        return false;
    }
    becomeDocument(path, bytes, 0);
    statusBar()->showMessage(QStringLiteral("%1 enregistré").arg(QFileInfo(path).fileName()));
    return true;
}

bool MainWindow::writeDocument(const QString &path)
{
    const PartWriting writing = document->writeBack(request());
    const QString name = QFileInfo(document->path).fileName();
    const int lost = writing.authorsLinesRemoved.size();
    if (lost > 0
        && !askToGoOn(this, QMessageBox::Warning, QStringLiteral("Enregistrer"),
                      QStringLiteral("Enregistrer supprimera %1 de %2 que le formulaire ne contient pas.")
                          .arg(lost == 1 ? QStringLiteral("une ligne") : QStringLiteral("%1 lignes").arg(lost), name),
                      QStringLiteral("Enregistrer"), writing.authorsLinesRemoved.join(QLatin1Char('\n'))))
        return false;
    if (const QString failure = savePartFileBytes(path, writing.bytes); !failure.isEmpty()) {
        QMessageBox::critical(this, QStringLiteral("Erreur"), failure);
        return false;
    }
    becomeDocument(path, writing.bytes, document->part);
    statusBar()->showMessage(writing.summary(QFileInfo(path).fileName()));
    return true;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    const QString path = draggedFile(event);
    if (!widget || widget->window() != this || path.isEmpty() || QApplication::activeModalWidget())
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    drop->acceptProposedAction();
    // Opened once the drop is over: the program it came from waits for the drop to end.
    if (type == QEvent::Drop)
        QTimer::singleShot(0, this, [this, path] { openPartFile(path); });
    return true;
}

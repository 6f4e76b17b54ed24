#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fencodegenere.h"
#include "formfont.h"
#include "partconfig.h"
#include "readingmarks.h"

#include <QMessageBox>
#include <QPointer>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    // Nothing in the form moves or grows: the window keeps the form's size, and there is
    // nothing to maximise (a maximised window would only add empty space around it).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // On the form alone: the result dialog and the message boxes keep the toolkit's font.
    setFormFont(ui->centralWidget);
    connect(ui->Fuel, SIGNAL(valueChanged(double)), this, SLOT(modif(double)));
    connect(ui->generer, SIGNAL(clicked()), this, SLOT(genererCode()));
    readingMarks = new ReadingMarks({ui->Auteur, ui->Nom, ui->Titre, ui->Createur, ui->Description, ui->attachRules},
                                    ui->statusBar, this);
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

void MainWindow::genererCode()
{
    for (const QLineEdit *required : {ui->Auteur, ui->Createur, ui->Nom, ui->Titre}) {
        if (required->text().isEmpty()) {
            QMessageBox::critical(this, QStringLiteral("Erreur"),
                                  QStringLiteral("Veuillez remplir les champs Auteur; Créateur; Nom et Titre."),
                                  QMessageBox::Ok, QMessageBox::NoButton);
            return;
        }
    }

    // A number still being typed is read as the field will show it once left.
    for (QDoubleSpinBox *box : ui->centralWidget->findChildren<QDoubleSpinBox *>())
        box->interpretText();
    const QString code = buildPartConfig(request());
    // The text is written as typed; the status bar names what the game will read otherwise.
    readingMarks->showSummary();
    // Freed once closed: a dialog kept per press would hold its window buffer for good.
    QPointer<FenCodeGenere> dialog = new FenCodeGenere(code, this, ui->Nom->text());
    dialog->exec();
    delete dialog;
}

GenerationRequest MainWindow::request() const
{
    // Exactly what each field shows: its own decimals, "." and no group separator.
    const auto number = [](const QDoubleSpinBox *box) { return box->textFromValue(box->value()); };

    GenerationRequest r;
    r.echelle = number(ui->Echelle);
    r.cost = number(ui->Cost);
    r.mass = number(ui->Mass);
    r.dragMax = number(ui->dragMax);
    r.dragMin = number(ui->dragMin);
    r.dragTorque = number(ui->dragTorque);
    r.resist = number(ui->Resist);
    r.temp = number(ui->Temp);
    r.coupleMax = number(ui->CoupleMax);
    r.puissanceMin = number(ui->PuissanceMin);
    r.puissanceMax = number(ui->PuissanceMax);
    r.tempGen = number(ui->TempGen);
    r.voidIsp = number(ui->voidISP);
    r.atmIsp = number(ui->atmISP);
    r.cLift = number(ui->CLift);
    r.cDrag = number(ui->CDrag);
    r.crew = number(ui->Crew);
    r.minCrew = number(ui->MinCrew);
    r.fuelAmount = number(ui->Fuel);
    r.oxiAmount = number(ui->Oxi);
    r.xenonAmount = number(ui->Xenon);
    r.rcsFuelAmount = number(ui->RCSFuel);
    r.electricAmount = number(ui->Electric);

    r.nom = ui->Nom->text();
    r.module = ui->Module->currentText();
    r.auteur = ui->Auteur->text();
    r.categorie = ui->Categorie->currentText();
    r.titre = ui->Titre->text();
    r.createur = ui->Createur->text();
    r.description = ui->Description->toPlainText();
    r.attachRules = ui->attachRules->text();

    r.liquidEngineOn = ui->LiquidEngine->isChecked();
    r.iconeLiquidOn = ui->IconeLiquid->isChecked();
    r.exhaustOn = ui->Exhaust->isChecked();
    r.fuelCrossfeedOn = ui->FuelCrossfeed->isChecked();
    r.sasOn = ui->SAS->isChecked();
    r.wingOn = ui->Wing->isChecked();
    r.podsOn = ui->Pods->isChecked();
    r.ressourcesOn = ui->Ressources->isChecked();
    r.fuelOn = ui->fuel->isChecked();
    r.oxidizerOn = ui->Oxidizer->isChecked();
    r.rcsGazOn = ui->RCSGaz->isChecked();
    r.electricitOn = ui->Electricit->isChecked();
    r.xenonOn = ui->Xenon_2->isChecked();
    return r;
}

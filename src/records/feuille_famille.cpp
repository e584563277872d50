#include "records/feuille_famille.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/controles_simples.h"
#include "platform/db/dialecte.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/clignotement.h"
#include "platform/forms/formulaire.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/onglets.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/twips.h"
#include "platform/report/crystal_report.h"
#include "records/feuille_famille_champs.h"
#include "records/liste_auto_extensible.h"
#include "records/tri_fiches.h"
#include "partage/numerotation.h"
#include "platform/forms/selecteurs.h"
#include "platform/forms/reactions.h"
#include "partage/module1.h"
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

using forms::bouton;

namespace famille {

const QString FeuilleFamille::LegendeConsentement =
    QStringLiteral("autorisation de communiquer les données non-confidentielles");
const QString FeuilleFamille::LegendeConsentementClignotante =
    QStringLiteral("Autorisation de communiquer les données non-confidentielles");

namespace {

const QString Alphabetique = QStringLiteral("Par ordre alphabétique");
const QStringList EntreesTri = {Alphabetique, QStringLiteral("Par ordre alphabétique inverse"),
                                QStringLiteral("Par ordre des matricules"),
                                QStringLiteral("Par ordre inverse des matricules")};
const QString TitreRecherche = QStringLiteral("Positionnement sur une fiche");
const QString Introuvable = QStringLiteral("Fiche introuvable...");

const QString InfobulleNom = QStringLiteral(
    "Cliquez ici pour accéder à une fiche précise directement à partir d'un nom (ou d'une partie de nom avec "
    "utilisation de ? et *)");

}  // namespace

FeuilleFamille::FeuilleFamille() : forms::FenetreDonnees(noms::famille) {
    setCaption(QStringLiteral("Fiche famille"));
    datPrimaryRS()->setRecordSource(sourceAlphabetique());
    construire();
    listes_auto::installer(*this);
}

void FeuilleFamille::construire() {
    auto* disposition = new QVBoxLayout(this);

    QHash<QString, QGridLayout*> grilles;
    QVector<QGridLayout*> grillesPage;
    forms::Formulaire formulaire(datPrimaryRS(), [&](const forms::Champ& c) {
        return c.cadre.isEmpty() ? grillesPage[c.onglet] : grilles.value(c.cadre);
    });

    // Above the tabs: the reference and its search, the sort box, the children, the sheet.
    auto* haut = new QHBoxLayout;
    const forms::Champ& reference = champs().first();
    QWidget* text13 = formulaire.creer(reference, this);
    text13->setFixedWidth(forms::pixels(1500));
    text13->installEventFilter(this);
    QWidget* chercherReference = formulaire.voisin(reference.controle);
    connect(static_cast<QPushButton*>(chercherReference), &QPushButton::clicked, this, [this] { rechercherReference(); });
    haut->addWidget(chercherReference);
    haut->addWidget(text13);
    haut->addSpacing(12);

    tri_ = tri_fiches::creer(this, EntreesTri);
    // Chosen by the user, the entry shown included: the sort runs again.
    connect(tri_, &QComboBox::activated, this, [this] { Combo1_Click(); });
    haut->addWidget(tri_);
    haut->addStretch();
    auto* enfants = bouton(this, QStringLiteral("Command4"), QStringLiteral("Enfants"),
                           QStringLiteral("Cliquez pour accéder aux fiches des enfants de la famille en cours"));
    forms::relier(enfants, &QPushButton::clicked, this, &FeuilleFamille::Command4_Click);
    haut->addWidget(enfants);
    auto* imprimer = bouton(this, QStringLiteral("Command3"), QStringLiteral("&Imprimer"),
                            QStringLiteral("Cliquez pour imprimer la fiche"));
    forms::relier(imprimer, &QPushButton::clicked, this, &FeuilleFamille::Command3_Click, forms::Prefixe::Donnees);
    haut->addWidget(imprimer);
    disposition->addLayout(haut);
    disposition->addWidget(barreBoutons());

    onglets_ = new QTabWidget(this);
    onglets_->setObjectName(QStringLiteral("SSTab1"));
    disposition->addWidget(onglets_, 1);

    // One page per tab; on each, the boxes that stand directly on it, then its frames.
    QVector<QVBoxLayout*> pages;
    for (const QString& legende : onglets()) {
        auto* page = new QWidget;
        auto* vertical = new QVBoxLayout(page);
        auto* direct = new QGridLayout;
        vertical->addLayout(direct);
        pages << vertical;
        grillesPage << direct;
        onglets_->addTab(page, legende);
    }
    for (const Cadre& c : cadres()) {
        auto* cadre = new QGroupBox(c.legende);
        cadre->setObjectName(c.nom);
        auto* grille = new QGridLayout(cadre);
        grille->setColumnStretch(1, 1);
        grille->setColumnStretch(4, 1);
        grille->setColumnMinimumWidth(2, 16);
        pages[c.onglet]->addWidget(cadre);
        grilles.insert(c.nom, grille);
    }
    for (QVBoxLayout* v : pages) v->addStretch();

    formulaire.construire(champs().mid(1));
    forms::onglet_suit_focus(onglets_, formulaire.suiviOnglets());
    selecteurs::brancher(*this);
    connect(controle<QPushButton>(QStringLiteral("Command23")), &QPushButton::clicked, this,
            [this] { rechercherResponsable(); });
    connect(controle<QPushButton>(QStringLiteral("Command22")), &QPushButton::clicked, this,
            [this] { rechercherConjoint(); });
    for (const char* nom : {"nom_responsable_légal", "nom_conjoint"}) formulaire.controle(forms::u(nom))->installEventFilter(this);
    {
        // The consent's caption blinks; its box is kept short.
        const QString nom = QStringLiteral("communication_données");
        consentement_ = static_cast<QPushButton*>(formulaire.voisin(nom));
        forms::clignoter(consentement_, LegendeConsentementClignotante, this);
        formulaire.controle(nom)->setMaximumWidth(forms::pixels(1500));
        grillesPage[champ(nom)->onglet]->setColumnStretch(5, 1);
    }

    // Parent 2's address copied from Parent 1's, below Parent 2's address.
    QGridLayout* parent2 = grilles.value(QStringLiteral("Frame2"));
    auto* copie = bouton(parent2->parentWidget(), QStringLiteral("Command16"),
                         QStringLiteral("Adresse du Parent 2 identique à celle du Parent 1"),
                         QStringLiteral("Cliquez pour accepter automatiquement l'adresse du parent 1 en tant "
                                        "qu'adresse du Parent 2"));
    forms::relier(copie, &QPushButton::clicked, this, &FeuilleFamille::Command16_Click);
    parent2->addWidget(copie, champ(QStringLiteral("Text9"))->ligne + 1, 3, 1, 2);
    QWidget::setTabOrder(controle<QWidget>(QStringLiteral("Text9")), copie);

    // At 1024 x 768, placed 1500 twips up and 1000 left of the centre, the whole frame shows.
    definirTaille(13200, 7500);
}

QString FeuilleFamille::sourceAlphabetique() {
    return QStringLiteral("SELECT * FROM familles ORDER BY nom_responsable_légal ASC, prénom_responsable_légal ASC");
}

QString FeuilleFamille::sourceTri(const QString& entree) {
    if (entree == EntreesTri[1])
        return QStringLiteral(
            "SELECT * FROM familles ORDER BY nom_responsable_légal DESC, prénom_responsable_légal DESC");
    if (entree == EntreesTri[2]) return QStringLiteral("SELECT * FROM familles ORDER BY référence_famille ASC");
    if (entree == EntreesTri[3]) return QStringLiteral("SELECT * FROM familles ORDER BY référence_famille DESC");
    return sourceAlphabetique();
}

QString FeuilleFamille::texte(const QString& zone) const { return controle<QLineEdit>(zone)->text(); }
void FeuilleFamille::ecrire(const QString& zone, const QString& valeur) { controle<QLineEdit>(zone)->setText(valeur); }

// The keyboard starts on the guardian's name, not on the reference that comes first in Tab
// order (nor on a button).
void FeuilleFamille::showEvent(QShowEvent* e) {
    FenetreDonnees::showEvent(e);
    QWidget* actuel = focusWidget();
    if (!actuel || qobject_cast<QPushButton*>(actuel) || actuel->objectName() == QLatin1String("Text13"))
        controle<QWidget>(QStringLiteral("nom_responsable_légal"))->setFocus(Qt::OtherFocusReason);
}

// Loading binds the window through its sort box's first entry.
void FeuilleFamille::apresPlacement() { tri_fiches::charger(*this, tri_, &sourceTri); }

void FeuilleFamille::Combo1_Click() { tri_fiches::choisir(*this, tri_, &sourceTri); }

void FeuilleFamille::nouvelleFamille() {
    tri_fiches::lier(datPrimaryRS(), sourceAlphabetique());
    const QString reference = numerotation::libre(datPrimaryRS()->Database(), numerotation::ReferenceFamille);
    datPrimaryRS()->Recordset().AddNew();
    datPrimaryRS_Reposition();
    ecrire(QStringLiteral("Text13"), reference);
    // Numbered by the program: saved only once the user types into it.
    datPrimaryRS()->noterValeursProposees();
}

void FeuilleFamille::cmdAjouter_Click() {
    if (!quitterFiche()) return;
    {
        const QSignalBlocker bloque(tri_);
        tri_->setCurrentIndex(0);
    }
    Combo1_Click();
    nouvelleFamille();
}

void FeuilleFamille::cmdMettreajour_Click() { validerEnDisantLeRefus(); }

bool FeuilleFamille::enregistrerFiche() {
    return numerotation::enregistrer(*datPrimaryRS(), controle<QLineEdit>(QStringLiteral("Text13")),
                                     numerotation::ReferenceFamille);
}

QString question_suppression(const QString& prenom, const QString& nom, const QString& reference) {
    const QString famille = (prenom.trimmed() + QLatin1Char(' ') + nom.trimmed()).trimmed();
    return QStringLiteral("Voulez-vous supprimer définitivement la fiche de la famille %1 (référence %2) ?\n\n"
                          "Les fiches de ses enfants resteront, sans famille.")
        .arg(famille.isEmpty() ? QStringLiteral("sans nom") : famille, reference);
}

QString FeuilleFamille::questionSuppression() const {
    return question_suppression(texte(QStringLiteral("prénom_responsable_légal")),
                                texte(QStringLiteral("nom_responsable_légal")), texte(QStringLiteral("Text13")));
}

void FeuilleFamille::Text13_LostFocus() {
    forms::pieger([this] {
        const QString t = texte(QStringLiteral("Text13"));
        if (!t.isEmpty()) ecrire(QStringLiteral("Text13"), numerotation::six_chiffres(t));
    });
}

void FeuilleFamille::rechercherReference() {
    rechercher(QStringLiteral("Entrez la REFERENCE EXACTE de la famille dont vous voulez voir la fiche..."),
               QStringLiteral("référence_famille"), false);
}

void FeuilleFamille::rechercherResponsable() {
    rechercher(QStringLiteral("Entrez le nom du Responsable légal (entier OU partiel) dont vous voulez voir la "
                              "fiche..."),
               QStringLiteral("nom_responsable_légal"), true);
}

void FeuilleFamille::rechercherConjoint() {
    rechercher(QStringLiteral("Entrez le nom du Conjoint (entier OU partiel) dont vous voulez voir la fiche..."),
               QStringLiteral("nom_conjoint"), true);
}

// The typed text is looked for as typed: a quote is part of the name, "*" and "?" stay
// wildcards. The name searches find a name by its beginning; the reference is not padded.
void FeuilleFamille::rechercher(const QString& invite, const QString& champ, bool debutSeulement) {
    const QString reponse = forms::boite_saisie(invite, TitreRecherche, QString()).trimmed();
    if (reponse.isEmpty()) return;
    forms::pieger([&] {
        if (!quitterFiche()) return;
        auto& rs = datPrimaryRS()->Recordset();
        if (rs.Eof() && rs.Bof()) {
            forms::boite_message(Introuvable, forms::styles::Information);
            return;
        }
        rs.MoveFirst();
        rs.FindFirst(champ + QStringLiteral(" like ") +
                     db::dialecte::entre_apostrophes(db::dialecte::motif_tape(debutSeulement ? reponse + QLatin1Char('*') : reponse)));
        if (!rs.NoMatch()) return;
        // The find is over: no move will reset the hourglass it showed.
        forms::definir_pointeur_souris(forms::PointeurDefaut);
        forms::boite_message(Introuvable, forms::styles::Information);
    });
}

void FeuilleFamille::Command16_Click() {
    const char* const paires[][2] = {
        {"Text3", "Text8"}, {"Text2", "Text7"}, {"Text1", "Text6"}, {"Text5", "Text10"}, {"Text4", "Text9"}};
    for (const auto& p : paires) ecrire(QString::fromUtf8(p[1]), texte(QString::fromUtf8(p[0])));
}

void FeuilleFamille::Command3_Click() {
    // The sheet is read from the file: what the window shows is saved first.
    if (!quitterFiche()) return;
    auto& cr = report::CrystalReport1();
    cr.setReportFileName(Module1::chemin_programme + QStringLiteral("fiche_famille.rpt"));
    cr.setDataFiles(0, Module1::chemin_base);
    cr.setSelectionFormula(QStringLiteral("{familles.référence_famille} = ") +
                           db::dialecte::entre_guillemets(texte(QStringLiteral("Text13"))));
    cr.setDestination(report::destination::Fenetre);
    cr.setWindowState(2);
    cr.setAction(1);
}

// The pupil window, restricted to this family's pupils; for a family without any, a new
// pupil linked to it when the user wants one.
void FeuilleFamille::Command4_Click() {
    const QString reference = texte(QStringLiteral("Text13"));
    if (reference.isEmpty()) return;
    Module1::ouvrir_table_documents();
    forms::Feuille& eleve = forms::Feuilles::charger(noms::eleve);
    auto* documents = eleve.controle<forms::ControleDonnees>(QStringLiteral("Data2"));
    documents->setDatabaseName(Module1::chemin_base);
    documents->setRecordSource(QStringLiteral("SELECT * FROM documents"));
    documents->Refresh();
    Module1::ouvrir_table_eleves();
    auto* eleves = eleve.controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
    eleves->setRecordSource(QStringLiteral("SELECT * FROM élèves WHERE ") +
                            db::dialecte::critere_cle(QStringLiteral("référence_famille"), reference));
    eleves->Refresh();
    auto& rs = eleves->Recordset();
    if (rs.Eof() && rs.Bof()) {
        const int reponse = forms::boite_message(
            QStringLiteral(
                "Aucune fiche 'enfant' n'existe dans la famille en cours...\n\nVoulez-vous en créer une?"),
            forms::styles::OuiNon + forms::styles::Question);
        if (reponse != forms::Oui) return;
        rs.AddNew();
        eleve.controle<QLineEdit>(QStringLiteral("référence_famille"))->setText(reference);
        // Linked by the program: saved, with its matricule, once the user types into it.
        eleves->noterValeursProposees();
    }
    eleve.afficher();
}

bool FeuilleFamille::eventFilter(QObject* objet, QEvent* e) {
    const QString nom = objet->objectName();
    if (e->type() == QEvent::MouseButtonDblClick) {
        if (nom == QLatin1String("Text13")) rechercherReference();
        else if (nom == QStringLiteral("nom_responsable_légal")) rechercherResponsable();
        else if (nom == QLatin1String("nom_conjoint")) rechercherConjoint();
        else return false;
        return true;
    }
    if (e->type() == QEvent::FocusOut && nom == QLatin1String("Text13")) {
        const auto raison = static_cast<QFocusEvent*>(e)->reason();
        if (raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason) Text13_LostFocus();
    }
    return false;
}

}  // namespace famille

#include "records/feuille_eleve.h"
#include "platform/texte/jour.h"
#include "platform/forms/controles_simples.h"
#include "records/age.h"
#include "records/feuille_famille.h"
#include "records/liste_auto_extensible.h"
#include "records/tri_fiches.h"
#include "partage/numerotation.h"
#include "platform/db/dialecte.h"
#include "platform/forms/commandes.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/clignotement.h"
#include "platform/forms/formulaire.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/grille_donnees.h"
#include "platform/forms/image_liee.h"
#include "platform/forms/onglets.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/twips.h"
#include "platform/forms/selecteurs.h"
#include "platform/forms/reactions.h"
#include "partage/module1.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using forms::u;

namespace eleve {

namespace {

constexpr int OngletDocuments = 7;

// One of the pupil window's own buttons, with its caption and tooltip from boutons().
QPushButton* creer_bouton(const QString& nom, QWidget* parent) {
    const Bouton* b = bouton(nom);
    return forms::bouton(parent, nom, b ? u(b->legende) : nom, b ? u(b->infobulle) : QString());
}

// A number read at the end of a name: "Label7" gives 7.
int numero_final(const QString& nom) {
    int i = nom.size();
    while (i > 0 && nom[i - 1].isDigit()) --i;
    return nom.mid(i).toInt();
}

}  // namespace

FeuilleEleve::FeuilleEleve() : FenetreDonnees(noms::eleve) {
    setCaption(QStringLiteral("Fiche élève"));
    construire();
}

QLineEdit* FeuilleEleve::zone(const QString& controle) const { return this->controle<QLineEdit>(controle); }

QGridLayout* FeuilleEleve::grilleDe(int onglet, const QString& cadre, QWidget* parent) {
    const QString cle = QString::number(onglet) + '/' + cadre;
    if (QGridLayout* g = grilles_.value(cle)) return g;
    QWidget* porteur = parent;
    if (!cadre.isEmpty()) {
        auto* boite = new QGroupBox(parent);
        boite->setObjectName(cadre);
        parent->layout()->addWidget(boite);
        porteur = boite;
    } else {
        auto* conteneur = new QWidget(parent);
        parent->layout()->addWidget(conteneur);
        porteur = conteneur;
    }
    auto* g = new QGridLayout(porteur);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(5);
    grilles_.insert(cle, g);
    return g;
}

// The configurable fields' captions and tooltips, from the one record of `paramètres`.
void FeuilleEleve::lierLibellesParametrables(const forms::Formulaire& formulaire) {
    for (const forms::Champ& c : champs()) {
        if (!c.nomVoisin.startsWith(QStringLiteral("lblLabels("))) continue;
        auto* libelle = static_cast<QLabel*>(formulaire.voisin(c.controle));
        const int k = numero_final(c.controle);
        data1_->lier(libelle, QStringLiteral("intitulé_champ_paramétrable%1").arg(k));
        // Its tooltip label: hidden, its text becomes the field's tooltip.
        auto* bulle = forms::etiquette(libelle->parentWidget(), QStringLiteral("Label%1").arg(k + 1),
                                       QStringLiteral("infobulle"));
        bulle->hide();
        QWidget* zone = formulaire.controle(c.controle);
        data1_->lier(bulle, QStringLiteral("infobulle_champ_paramétrable%1").arg(k),
                     [bulle, zone](const QVariant& v) {
                         bulle->setText(v.toString());
                         zone->setToolTip(v.toString());
                     },
                     {});
    }
}

void FeuilleEleve::construire() {
    data1_ = new forms::ControleDonnees(this);
    data1_->setObjectName(QStringLiteral("Data1"));
    data1_->hide();
    data2_ = new forms::ControleDonnees(this);
    data2_->setObjectName(QStringLiteral("Data2"));
    data2_->hide();

    auto* disposition = new QVBoxLayout(this);
    disposition->setSpacing(6);

    // Above the tabs: the pupil's name and matricule; the family and the sort box; the record
    // buttons.
    auto* porteurHaut = new QWidget(this);
    auto* dispositionHaut = new QVBoxLayout(porteurHaut);
    dispositionHaut->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(porteurHaut);
    auto* rangeeFamille = new QHBoxLayout;

    onglets_ = new QTabWidget(this);
    onglets_->setObjectName(QStringLiteral("SSTab1"));
    QVector<QWidget*> pages;
    for (const QString& legende : eleve::onglets()) {
        auto* page = new QWidget;
        auto* dp = new QVBoxLayout(page);
        dp->setContentsMargins(10, 10, 10, 10);
        onglets_->addTab(page, legende);
        pages << page;
    }

    // Tab 0 keeps a column on its right for the photo, tab 3 opens with the address copy.
    auto* identite = new QWidget(pages[0]);
    new QVBoxLayout(identite);
    identite->layout()->setContentsMargins(0, 0, 0, 0);
    auto* ligneIdentite = new QHBoxLayout;
    static_cast<QVBoxLayout*>(pages[0]->layout())->addLayout(ligneIdentite);
    ligneIdentite->addWidget(identite, 1);
    auto* cadrePhoto = new QGroupBox(QStringLiteral("photo"), pages[0]);
    cadrePhoto->setObjectName(QStringLiteral("cadre_photo"));
    auto* dispositionPhoto = new QVBoxLayout(cadrePhoto);
    photo_ = new QLabel(cadrePhoto);
    photo_->setObjectName(QStringLiteral("photo"));
    photo_->setFixedSize(150, 180);
    photo_->setAlignment(Qt::AlignCenter);
    photo_->setFrameShape(QFrame::StyledPanel);
    photo_->installEventFilter(this);
    dispositionPhoto->addWidget(photo_, 0, Qt::AlignHCenter);
    ligneIdentite->addWidget(cadrePhoto, 0, Qt::AlignTop);

    auto* command16 = creer_bouton(QStringLiteral("Command16"), pages[3]);
    pages[3]->layout()->addWidget(command16);

    // The frames above the tabs stand side by side, the pupil's own above the family's.
    const auto grilleDuChamp = [&](const forms::Champ& c) {
        const QString cle = QString::number(c.onglet) + '/' + c.cadre;
        if (c.onglet == forms::AuDessusDesOnglets && !grilles_.contains(cle)) {
            auto* boite = new QGroupBox(porteurHaut);
            boite->setObjectName(c.cadre);
            if (c.cadre == QLatin1String("Frame1")) dispositionHaut->addWidget(boite);
            else rangeeFamille->addWidget(boite);
            auto* g = new QGridLayout(boite);
            g->setHorizontalSpacing(8);
            grilles_.insert(cle, g);
        }
        QWidget* parent = c.onglet == forms::AuDessusDesOnglets ? porteurHaut : (c.onglet == 0 ? identite : pages[c.onglet]);
        return grilleDe(c.onglet, c.cadre, parent);
    };
    forms::Mise mise;
    mise.largeurSelonLongueur = true;
    mise.lignesMultiligne = 4;
    mise.alignementVoisin = Qt::AlignVCenter;
    forms::Formulaire formulaire(datPrimaryRS(), grilleDuChamp, mise);
    formulaire.construire(champs());
    ordre_ = formulaire.ordre();
    suivi_ = formulaire.suiviOnglets();
    check2_ = static_cast<QCheckBox*>(formulaire.controle(QStringLiteral("Check2")));
    lierLibellesParametrables(formulaire);
    {
        // "Parents" beside the family reference.
        QWidget* reference = formulaire.controle(QStringLiteral("référence_famille"));
        const forms::Champ* c = champ(reference->objectName());
        auto* parents = creer_bouton(QStringLiteral("Command4"), reference->parentWidget());
        grilles_.value(QString::number(c->onglet) + '/' + c->cadre)->addWidget(parents, c->ligne, c->colonne + 2);
        ordre_.insert(ordre_.indexOf(reference) + 1, parents);
    }
    // Room to grow on the right and below, so that the fields keep their size.
    for (QGridLayout* g : std::as_const(grilles_)) {
        g->setColumnStretch(g->columnCount(), 1);
        if (g->parentWidget()->parentWidget() != porteurHaut) g->setRowStretch(g->rowCount(), 1);
    }
    // The labels of tab 0 and of its frame make one column.
    {
        QGridLayout* identiteGrilles[] = {grilles_.value(QStringLiteral("0/")), grilles_.value(QStringLiteral("0/Frame3"))};
        int largeur = 0;
        for (QGridLayout* g : identiteGrilles)
            for (int r = 0; r < g->rowCount(); ++r)
                if (QLayoutItem* item = g->itemAtPosition(r, 0)) largeur = std::max(largeur, item->sizeHint().width());
        for (QGridLayout* g : identiteGrilles) g->setColumnMinimumWidth(0, largeur);
    }
    if (auto* g = grilles_.value(QStringLiteral("2/"))) {
        const char* const titres[] = {"Noms", "Prénoms", "Téléphones"};
        for (int i = 0; i < 3; ++i) g->addWidget(new QLabel(u(titres[i]), g->parentWidget()), 0, 2 * i + 1);
    }
    // The age stands beside the birth date.
    label12_ = new QLabel(identite);
    label12_->setObjectName(QStringLiteral("Label12"));
    label12_->setMinimumWidth(label12_->fontMetrics().horizontalAdvance(QStringLiteral("99 a - 11 m - 30 j")) + 8);
    grilles_.value(QStringLiteral("0/"))->addWidget(label12_, 0, 2, 1, 2);
    auto* command14 = creer_bouton(QStringLiteral("Command14"), cadrePhoto);
    dispositionPhoto->addWidget(command14);
    ordre_.insert(ordre_.indexOf(zone(QStringLiteral("date_radiation"))) - 1, command14);
    ordre_.insert(ordre_.indexOf(zone(QStringLiteral("numéro_résidence"))) - 1, command16);

    // Tab 7: the document templates and their commands.
    auto* grille = new forms::GrilleDonnees(pages[OngletDocuments]);
    grille->setObjectName(QStringLiteral("grdDataGrid"));
    grille->lier(data2_);
    grille->definirColonnes({{QStringLiteral("documents existants"), QStringLiteral("intitulé_bouton"), 6000}});
    grille->definirLectureSeule(true);
    auto* check1 = new QCheckBox(QStringLiteral("Impression directe sans prévisualisation"), pages[OngletDocuments]);
    check1->setObjectName(QStringLiteral("Check1"));
    auto* command6 = creer_bouton(QStringLiteral("Command6"), pages[OngletDocuments]);
    auto* suite = creer_bouton(QStringLiteral("documents_suite"), pages[OngletDocuments]);
    auto* documents = new QHBoxLayout;
    auto* colonneDocuments = new QVBoxLayout;
    documents->addWidget(grille, 1);
    documents->addLayout(colonneDocuments);
    colonneDocuments->addWidget(check1);
    colonneDocuments->addWidget(command6);
    colonneDocuments->addWidget(suite);
    colonneDocuments->addStretch();
    static_cast<QVBoxLayout*>(pages[OngletDocuments]->layout())->addLayout(documents);
    for (QWidget* w : {static_cast<QWidget*>(grille), static_cast<QWidget*>(check1), static_cast<QWidget*>(command6),
                       static_cast<QWidget*>(suite)}) {
        ordre_ << w;
        suivi_.append({w, OngletDocuments});
    }
    forms::onglet_suit_focus(onglets_, suivi_);

    dispositionHaut->addLayout(rangeeFamille);
    auto* imprimer = creer_bouton(QStringLiteral("Command3"), barreBoutons());
    dispositionBoutons()->addWidget(imprimer);
    disposition->addWidget(barreBoutons());
    QStringList entreesTri;
    for (const Tri& t : tris()) entreesTri << u(t.legende);
    combo1_ = tri_fiches::creer(this, entreesTri);
    combo1_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    rangeeFamille->addStretch();
    rangeeFamille->addWidget(combo1_);
    disposition->addWidget(onglets_, 1);

    // The keyboard runs down the pupil's name, the tabs, then the family and the commands.
    ordre_ << controle<QLineEdit>(QStringLiteral("référence_famille"));
    for (QPushButton* b : barreBoutons()->findChildren<QPushButton*>()) ordre_ << b;
    ordre_ << combo1_;
    ordre_.removeAll(nullptr);
    for (int i = 1; i < ordre_.size(); ++i) setTabOrder(ordre_[i - 1], ordre_[i]);

    for (const char* nom : {"matricule", "nom_enfant", "prénom_enfant"}) zone(u(nom))->installEventFilter(this);
    listes_auto::installer(*this);

    forms::clignoter(check2_, champ(check2_->objectName())->texteVoisin, this);

    brancherBoutons();
    connect(combo1_, &QComboBox::activated, this, [this] { Combo1_Click(); });
    forms::relier(zone(QStringLiteral("date_naissance")), &QLineEdit::textChanged, this,
                  &FeuilleEleve::date_naissance_Change, forms::Prefixe::Donnees);
    connect(zone(QStringLiteral("chemin_photo")), &QLineEdit::textChanged, this, [this] { afficherPhoto(false); });

    definirTaille(forms::twips(sizeHint().width() + 20), forms::twips(sizeHint().height() + 40));
}

void FeuilleEleve::brancherBoutons() {
    for (const Recherche& r : recherches()) {
        const Recherche* pr = &r;
        forms::relier(controle<QPushButton>(u(r.bouton)), &QPushButton::clicked, this, [this, pr] { rechercher(*pr); });
    }
    selecteurs::brancher(*this);
    forms::relier(controle<QPushButton>(QStringLiteral("Command15")), &QPushButton::clicked, this,
                  &FeuilleEleve::Command15_Click);
    forms::relier(controle<QPushButton>(QStringLiteral("Command14")), &QPushButton::clicked, this,
                  &FeuilleEleve::Command14_Click);
    forms::relier(controle<QPushButton>(QStringLiteral("Command4")), &QPushButton::clicked, this,
                  &FeuilleEleve::Command4_Click);
    forms::relier(controle<QPushButton>(QStringLiteral("Command16")), &QPushButton::clicked, this,
                  &FeuilleEleve::Command16_Click);
    // Printing lives with the documents, which register these buttons' commands.
    for (const char* bouton : {"Command3", "Command6", "documents_suite"})
        if (auto* b = findChild<QPushButton*>(u(bouton))) forms::brancher_bouton(b, nom());
}

void FeuilleEleve::showEvent(QShowEvent* e) {
    FenetreDonnees::showEvent(e);
    if (!focusWidget()) zone(QStringLiteral("nom_enfant"))->setFocus(Qt::OtherFocusReason);
}

// Loading: the sort box's first entry binds the pupils in alphabetical order.
void FeuilleEleve::apresPlacement() { tri_fiches::charger(*this, combo1_, &requete_tri); }

void FeuilleEleve::choisirTri(int entree) {
    {
        const QSignalBlocker bloque(combo1_);
        combo1_->setCurrentIndex(entree);
    }
    Combo1_Click();
}

void FeuilleEleve::Combo1_Click() { tri_fiches::choisir(*this, combo1_, &requete_tri); }

// "&Ajouter": the next matricule after the highest, the family kept on request.
void FeuilleEleve::cmdAjouter_Click() {
    const int reponse = forms::boite_message(
        QStringLiteral("Voulez-vous ajouter une fiche dans la fratrie en cours (OUI) ou ajouter une fiche sans "
                       "référence à la fratrie en cours (NON)..."),
        forms::styles::OuiNonAnnuler + forms::styles::Question);
    if (reponse != forms::Oui && reponse != forms::Non) return;
    const QString famille = reponse == forms::Oui ? zone(QStringLiteral("référence_famille"))->text() : QString();
    if (!quitterFiche()) return;
    forms::placer_tri(combo1_, 0);
    forms::ControleDonnees* dat = datPrimaryRS();
    tri_fiches::lier(dat, requete_tri(combo1_->itemText(0)));
    const QString matricule = numerotation::libre(dat->Database(), numerotation::Matricule);
    dat->Recordset().AddNew();
    datPrimaryRS_Reposition();
    zone(QStringLiteral("matricule"))->setText(matricule);
    if (reponse == forms::Oui) zone(QStringLiteral("référence_famille"))->setText(famille);
    // Numbered and linked by the program: saved only once the user types into it.
    dat->noterValeursProposees();
}

// "&Valider": a refusal is told, the record and what was typed staying on screen.
void FeuilleEleve::cmdMettreajour_Click() { validerEnDisantLeRefus(); }

bool FeuilleEleve::enregistrerFiche() {
    QLineEdit* m = zone(QStringLiteral("matricule"));
    if (m->text().trimmed().isEmpty()) m->setText(numerotation::libre(datPrimaryRS()->Database(), numerotation::Matricule));
    return numerotation::enregistrer(*datPrimaryRS(), m, numerotation::Matricule);
}

QString FeuilleEleve::questionSuppression() const {
    const auto t = [this](const char* nom) { return zone(u(nom))->text().trimmed(); };
    const QString nom = (t("prénom_enfant") + QLatin1Char(' ') + t("nom_enfant")).trimmed();
    return QStringLiteral("Voulez-vous supprimer définitivement la fiche de l'élève %1 (matricule %2) ?")
        .arg(nom.isEmpty() ? QStringLiteral("sans nom") : nom, t("matricule"));
}

void FeuilleEleve::rechercher(const Recherche& r) {
    const QString reponse =
        forms::boite_saisie(u(r.invite), QStringLiteral("Positionnement sur une fiche")).trimmed();
    if (reponse.isEmpty()) return;
    if (!quitterFiche()) return;
    auto& rs = datPrimaryRS()->Recordset();
    bool trouve = false;
    if (!(rs.Bof() && rs.Eof())) {
        rs.MoveFirst();
        rs.FindFirst(critere(r, reponse));
        trouve = !rs.NoMatch();
    }
    if (trouve) return;
    // The find is over: no move will reset the hourglass it showed.
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    forms::boite_message(QStringLiteral("Fiche introuvable..."), forms::styles::Information);
}

// The age of the birth date shown; none when the pupil has no birth date or the text is no
// date (never the age of another pupil, nor that of a date no longer shown).
void FeuilleEleve::date_naissance_Change() {
    const QDate naissance = lire_date(zone(QStringLiteral("date_naissance"))->text());
    label12_->setText(naissance.isValid() ? age(naissance, jour::aujourdhui()) : QString());
}

// Leaving the matricule or the pupil's name turns to the first tab, unless the focus goes to
// a field of the tabs (a field clicked, a tab's letter): that field keeps the focus and the
// typing, its own tab in front.
void FeuilleEleve::revenirAuPremierOnglet() {
    QWidget* suivant = QApplication::focusWidget();
    if (suivant && onglets_->isAncestorOf(suivant) && !qobject_cast<QTabBar*>(suivant)) return;
    onglets_->setCurrentIndex(0);
}

void FeuilleEleve::matricule_LostFocus() {
    forms::pieger([this] {
        revenirAuPremierOnglet();
        QLineEdit* m = zone(QStringLiteral("matricule"));
        if (!m->text().isEmpty()) {
            const QString forme = numerotation::six_chiffres(m->text());
            if (forme != m->text()) m->setText(forme);
        }
    });
}

void FeuilleEleve::Command15_Click() {
    zone(QStringLiteral("date_inscription"))->setText(jour::aujourdhui().toString(QStringLiteral("dd/MM/yyyy")));
}

void FeuilleEleve::Command14_Click() {
    forms::pieger([] { forms::Feuilles::charger(noms::choix_photo).afficher(); });
}

void FeuilleEleve::photoChoisie(const QString& chemin) {
    QLineEdit* z = zone(QStringLiteral("chemin_photo"));
    const QSignalBlocker bloque(z);
    z->setText(chemin);
    afficherPhoto(true);
}

namespace {

// A photo path as stored may be relative ("photos/eleve_000001.jpg"): it is found in the
// program folder, else beside the working database, so that a copied folder still shows its
// photos. A full path is used as it stands.
QString photo_sur_disque(const QString& stocke) {
    if (stocke.isEmpty() || QFileInfo(stocke).isAbsolute()) return stocke;
    const QString programme = QDir(Module1::chemin_programme).filePath(stocke);
    if (QFileInfo(programme).isFile() || Module1::chemin_base.isEmpty()) return programme;
    const QString base = QFileInfo(Module1::chemin_base).dir().filePath(stocke);
    return QFileInfo(base).isFile() ? base : programme;
}

}  // namespace

void FeuilleEleve::afficherPhoto(bool choisie) {
    const QString chemin = photo_sur_disque(zone(QStringLiteral("chemin_photo"))->text());
    try {
        if (choisie && !chemin.isEmpty() && !QFileInfo(chemin).isFile()) {
            photo_->clear();
            forms::boite_message(QStringLiteral("La photo ne peut pas être affichée : le fichier « %1 » n'existe pas.")
                                     .arg(QDir::toNativeSeparators(chemin)),
                                 forms::styles::Avertissement);
            return;
        }
        forms::charger_image(photo_, chemin);
    } catch (const Erreur& e) {
        // Only the user who has just chosen the file is told; moving onto a pupil whose photo
        // cannot be read shows no picture.
        if (choisie)
            forms::boite_message(QStringLiteral("La photo ne peut pas être affichée : le fichier « %1 » n'est pas une "
                                                "image lisible.\n\n%2")
                                     .arg(QDir::toNativeSeparators(chemin), e.texte),
                                 forms::styles::Avertissement);
    }
}

namespace {

// The family window bound with its picker, its data control on every family.
forms::ControleDonnees* familles_liees() {
    Module1::ouvrir_table_familles();
    Module1::ouvrir_table_choix_famille();
    return forms::Feuilles::charger(noms::famille)
        .controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
}

// The family of that reference, taken as stored, made current in the family window; false
// when none has it.
bool trouver_famille(forms::ControleDonnees* familles, const QString& reference) {
    familles->setRecordSource(QStringLiteral("SELECT * FROM familles"));
    familles->Refresh();
    auto& rs = familles->Recordset();
    if (rs.Eof() && rs.Bof()) return false;
    rs.FindFirst(db::dialecte::critere_cle(QStringLiteral("référence_famille"), reference));
    if (rs.NoMatch()) return false;
    rs.Edit();
    return true;
}

const QString NonLiee = QStringLiteral("La fiche de l'élève n'est pas encore liée à la fiche des parents.");

}  // namespace

// "Parents": the pupil's family shown, or linked through the family picker, or created.
void FeuilleEleve::Command4_Click() {
    forms::ControleDonnees* familles = familles_liees();
    const QString reference = zone(QStringLiteral("référence_famille"))->text();
    auto& famille = forms::Feuilles::charger(noms::famille);
    if (!reference.isEmpty()) {
        if (!trouver_famille(familles, reference)) {
            forms::boite_message(QStringLiteral("La fiche de la famille n'existe pas... Créez-la!"),
                                 forms::styles::OuiNon + forms::styles::Question);
            return;
        }
        famille.afficher();
        return;
    }
    const int reponse = forms::boite_message(
        NonLiee + QStringLiteral("\n\n La fiche des parents a t-elle déjà été créée lors d'une saisie précédente?"),
        forms::styles::OuiNon + forms::styles::Question);
    if (reponse == forms::Oui) {
        selecteurs::appeler(noms::choix_famille, 1);
        return;
    }
    auto* fenetreFamille = qobject_cast<famille::FeuilleFamille*>(&famille);
    if (!fenetreFamille) return;
    fenetreFamille->nouvelleFamille();
    famille.afficher();
}

// The legal guardian's address copied into the pupil's residence (the telephones are not).
void FeuilleEleve::Command16_Click() {
    forms::ControleDonnees* familles = familles_liees();
    const QString reference = zone(QStringLiteral("référence_famille"))->text();
    if (reference.isEmpty()) return;
    if (!trouver_famille(familles, reference)) {
        forms::boite_message(NonLiee, forms::styles::OuiNon + forms::styles::Question);
        return;
    }
    auto& famille = forms::Feuilles::charger(noms::famille);
    const char* const copies[][2] = {{"Text3", "numéro_résidence"},
                                     {"Text2", "adresse_résidence"},
                                     {"Text1", "adresse2_résidence"},
                                     {"Text5", "code_postal_résidence"},
                                     {"Text4", "ville_résidence"}};
    for (const auto& c : copies) zone(u(c[1]))->setText(famille.controle<QLineEdit>(u(c[0]))->text());
}

bool FeuilleEleve::eventFilter(QObject* objet, QEvent* e) {
    const QString nom = objet->objectName();
    if (e->type() == QEvent::FocusOut) {
        const auto raison = static_cast<QFocusEvent*>(e)->reason();
        // Only the user's own moves: not a box opening over the window, nor another window.
        if (raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason) {
            if (nom == QLatin1String("matricule"))
                matricule_LostFocus();
            else if (nom == QLatin1String("nom_enfant") || nom == QStringLiteral("prénom_enfant"))
                revenirAuPremierOnglet();
        }
    } else if (e->type() == QEvent::MouseButtonDblClick) {
        if (objet == photo_) {
            Command14_Click();
            return true;
        }
        for (const Recherche& r : recherches()) {
            if (nom == u(r.champ)) {
                rechercher(r);
                return true;
            }
        }
    }
    return FenetreDonnees::eventFilter(objet, e);
}

}  // namespace eleve

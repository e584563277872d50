#include "reports/feuille_documents.h"
#include "platform/texte/jour.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/reactions.h"

#include "platform/forms/controle_donnees.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/formulaire.h"
#include "platform/forms/pointeur.h"
#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using forms::u;

namespace reports {

namespace {

using forms::Genre;

// One row of the window: a box beside its label, or a box to tick in the column of the boxes.
forms::Champ rangee(const char* champ, const char* controle, const char* libelle, Genre genre, int max = 0,
                    const char* infobulle = "") {
    forms::Champ c;
    c.controle = u(controle);
    c.champ = u(champ);
    c.longueur = max;
    c.genre = genre;
    c.voisin = genre == Genre::Case ? forms::Voisin::Aucun : forms::Voisin::Libelle;
    c.texteVoisin = u(libelle);
    c.infobulle = u(infobulle);
    return c;
}

// The fields in the order of the window, which is also the keyboard order.
const QVector<forms::Champ>& champs() {
    static const QVector<forms::Champ> t = [] {
        constexpr Genre L = Genre::Ligne, T = Genre::Multiligne, K = Genre::Case;
        QVector<forms::Champ> r = {
            rangee("intitulé_bouton", "intitulé", "nom du document", L, 30,
                   "Saisissez le nom du document tel qu'il apparaîtra dans la liste des documents"),
            rangee("affichage_date", "Check5", "affichage de la date", K, 0,
                   "Cliquez pour afficher la date sur le document"),
            rangee("affichage_coordonnées_responsable_légal", "Check2", "affichage des coordonnées du responsable légal",
                   K, 0,
                   "Cliquez pour afficher les coordonnées du responsable légal (nom et adresse) sur le document"),
            rangee("titre_document", "titre", "titre", L, 50),
            rangee("destinataire_document", "destinataire", "destinataire", L, 50),
            rangee("paragraphe1_document", "paragraphe1", "paragraphe 1", T, 254),
            rangee("affichage_coordonnées_directeur", "Check3",
                   "affichage des coordonnées du directeur / de la directrice", K),
            rangee("paragraphe2_document", "paragraphe2", "paragraphe 2", T, 254),
            rangee("affichage_coordonnées_élève", "Check1", "affichage des coordonnées de l'élève", K, 0,
                   "Cliquez pour afficher les coordonnées de l'élève (nom, prénom date de nais. et classe) sur le "
                   "document"),
            rangee("paragraphe3_document", "paragraphe3", "paragraphe 3", T, 254),
            rangee("paragraphe4_document", "paragraphe4", "paragraphe 4", T, 254),
            rangee("paragraphe5_document", "paragraphe5", "paragraphe 5", T, 254),
            rangee("paragraphe6_document", "paragraphe6", "paragraphe 6", T, 254),
            rangee("politesse_document", "politesse", "politesse", T, 254),
            rangee("affichage_signature_directeur", "Check4",
                   "affichage des zones de signature et de cachet sur le document", K, 0,
                   "Cliquez pour afficher la zone de signature sur le document"),
            rangee("post_scriptum", "post_scriptum", "post-scriptum", T, 254),
        };
        for (int i = 0; i < r.size(); ++i) r[i].ligne = i;
        return r;
    }();
    return t;
}

}  // namespace

FeuilleDocuments::FeuilleDocuments() : FenetreDonnees(noms::documents) {
    setCaption(QStringLiteral("Documents"));
    auto* disposition = new QVBoxLayout(this);
    auto* grille = new QGridLayout;
    disposition->addLayout(grille, 1);
    forms::Mise mise;
    mise.lignesMultiligne = 2;
    forms::Formulaire formulaire(datPrimaryRS(), [grille](const forms::Champ&) { return grille; }, mise);
    formulaire.construire(champs());

    auto* voir = forms::bouton(barreBoutons(), QStringLiteral("Command2"), QStringLiteral("V&oir"),
                               QStringLiteral("Cliquez pour voir le document"));
    dispositionBoutons()->insertWidget(1, voir);
    forms::relier(voir, &QPushButton::clicked, this, &FeuilleDocuments::Command2_Click);
    disposition->addWidget(barreBoutons());
    definirTaille(10500, 9900);
}

void FeuilleDocuments::apresPlacement() {
    if (QWidget* premier = findChild<QWidget*>(QStringLiteral("intitulé"))) premier->setFocus();
}

QString FeuilleDocuments::intitule() const { return controle<QLineEdit>(QStringLiteral("intitulé"))->text(); }

documents::Gabarit FeuilleDocuments::gabarit() const {
    documents::Gabarit g;
    for (const forms::Champ& c : champs()) {
        const QString& nom = c.controle;
        switch (c.genre) {
        case Genre::Multiligne: g.textes.insert(nom, controle<QPlainTextEdit>(nom)->toPlainText()); break;
        case Genre::Case:
            // Only a ticked box counts; a greyed one does not.
            if (controle<QCheckBox>(nom)->checkState() == Qt::Checked) g.cochees.insert(nom);
            break;
        default: g.textes.insert(nom, controle<QLineEdit>(nom)->text()); break;
        }
    }
    return g;
}

documents::Valeurs valeurs_apercu() {
    documents::Valeurs v;
    const QString z10 = QStringLiteral("ZZZZZZZZZZ"), z15 = QStringLiteral("ZZZZZZZZZZZZZZZ");
    v[0] = QStringLiteral("VILLE, ") + jour::aujourdhui().toString(QStringLiteral("dd/MM/yyyy"));
    v[1] = QStringLiteral("Monsieur Jean XXXXXXXXXX");
    v[2] = QStringLiteral("XXXX, Rue XXXXXXXXXX");
    v[3] = QStringLiteral("B.P. XXXX");
    v[4] = QStringLiteral("00000 VILLE");
    v[8] = QStringLiteral("MONSIEUR ") + z10 + ' ' + z15 + QStringLiteral(", Directeur");
    v[10] = QStringLiteral("PRENOM_ENFANT NOM_ENFANT");
    v[11] = QStringLiteral("Inscrit sous le matricule n° MATRICULE_ENFANT - Fréquentant la classe de CLASSE_ENFANT - cycle X");
    v[12] = QStringLiteral("Date de naissance : 00/00/0000 - Lieu de naissance : VILLE_NAISSANCE_ENFANT");
    v[18] = z10 + ' ' + z15 + QStringLiteral(", Directeur");
    v[19] = QStringLiteral("00000 - VILLE");
    return v;
}

// "V&oir": the template on screen as typed, saved or not, with sample values. The window
// stays on its record: its edits in progress are neither written nor dropped, and the
// preview shows the template the user sees.
void FeuilleDocuments::Command2_Click() {
    forms::pieger(
        [this] {
            documents::imprimer_document(documents::formules(gabarit(), valeurs_apercu()),
                                         documents::selection_document(intitule()), false);
        },
        forms::Prefixe::Donnees);
    forms::definir_pointeur_souris(forms::PointeurDefaut);
}

}  // namespace reports

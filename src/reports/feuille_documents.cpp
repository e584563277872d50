#include "reports/feuille_documents.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/reactions.h"

#include "platform/forms/controle_donnees.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/pointeur.h"
#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using forms::u;

namespace reports {

namespace {

enum class Genre { Ligne, Texte, Case };

struct Champ {
    const char* champ;
    const char* controle;
    const char* libelle;
    Genre genre;
    int max = 0;
    const char* infobulle = "";
};

// The fields in the order of the window, which is also the keyboard order.
const Champ champs[] = {
    {"intitulé_bouton", "intitulé", "nom du document", Genre::Ligne, 30,
     "Saisissez le nom du document tel qu'il apparaîtra dans la liste des documents"},
    {"affichage_date", "Check5", "affichage de la date", Genre::Case, 0,
     "Cliquez pour afficher la date sur le document"},
    {"affichage_coordonnées_responsable_légal", "Check2", "affichage des coordonnées du responsable légal", Genre::Case,
     0, "Cliquez pour afficher les coordonnées du responsable légal (nom et adresse) sur le document"},
    {"titre_document", "titre", "titre", Genre::Ligne, 50},
    {"destinataire_document", "destinataire", "destinataire", Genre::Ligne, 50},
    {"paragraphe1_document", "paragraphe1", "paragraphe 1", Genre::Texte, 254},
    {"affichage_coordonnées_directeur", "Check3", "affichage des coordonnées du directeur / de la directrice",
     Genre::Case},
    {"paragraphe2_document", "paragraphe2", "paragraphe 2", Genre::Texte, 254},
    {"affichage_coordonnées_élève", "Check1", "affichage des coordonnées de l'élève", Genre::Case, 0,
     "Cliquez pour afficher les coordonnées de l'élève (nom, prénom date de nais. et classe) sur le document"},
    {"paragraphe3_document", "paragraphe3", "paragraphe 3", Genre::Texte, 254},
    {"paragraphe4_document", "paragraphe4", "paragraphe 4", Genre::Texte, 254},
    {"paragraphe5_document", "paragraphe5", "paragraphe 5", Genre::Texte, 254},
    {"paragraphe6_document", "paragraphe6", "paragraphe 6", Genre::Texte, 254},
    {"politesse_document", "politesse", "politesse", Genre::Texte, 254},
    {"affichage_signature_directeur", "Check4", "affichage des zones de signature et de cachet sur le document",
     Genre::Case, 0, "Cliquez pour afficher la zone de signature sur le document"},
    {"post_scriptum", "post_scriptum", "post-scriptum", Genre::Texte, 254},
};

}  // namespace

FeuilleDocuments::FeuilleDocuments() : FenetreDonnees(noms::documents) {
    setCaption(QStringLiteral("Documents"));
    auto* disposition = new QVBoxLayout(this);
    auto* grille = new QGridLayout;
    disposition->addLayout(grille, 1);

    QWidget* precedent = nullptr;
    int rang = 0;
    for (const Champ& c : champs) {
        QWidget* w = nullptr;
        switch (c.genre) {
        case Genre::Ligne: {
            auto* z = new QLineEdit(this);
            datPrimaryRS()->lier(z, u(c.champ), c.max);
            z->setMaxLength(c.max);
            grille->addWidget(new QLabel(u(c.libelle), this), rang, 0);
            grille->addWidget(z, rang, 1);
            w = z;
            break;
        }
        case Genre::Texte: {
            auto* z = new QPlainTextEdit(this);
            z->setFixedHeight(z->fontMetrics().lineSpacing() * 2 + 12);
            datPrimaryRS()->lier(z, u(c.champ), c.max);
            grille->addWidget(new QLabel(u(c.libelle), this), rang, 0, Qt::AlignTop);
            grille->addWidget(z, rang, 1);
            w = z;
            break;
        }
        case Genre::Case: {
            auto* k = new QCheckBox(u(c.libelle), this);
            datPrimaryRS()->lier(k, u(c.champ));
            grille->addWidget(k, rang, 1);
            w = k;
            break;
        }
        }
        w->setObjectName(u(c.controle));
        if (*c.infobulle) w->setToolTip(u(c.infobulle));
        if (precedent) setTabOrder(precedent, w);
        precedent = w;
        ++rang;
    }

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
    for (const Champ& c : champs) {
        const QString nom = u(c.controle);
        switch (c.genre) {
        case Genre::Ligne: g.textes.insert(nom, controle<QLineEdit>(nom)->text()); break;
        case Genre::Texte: g.textes.insert(nom, controle<QPlainTextEdit>(nom)->toPlainText()); break;
        case Genre::Case:
            // Only a ticked box counts; a greyed one does not.
            if (controle<QCheckBox>(nom)->checkState() == Qt::Checked) g.cochees.insert(nom);
            break;
        }
    }
    return g;
}

documents::Valeurs valeurs_apercu() {
    documents::Valeurs v;
    const QString z10 = QStringLiteral("ZZZZZZZZZZ"), z15 = QStringLiteral("ZZZZZZZZZZZZZZZ");
    v[0] = QStringLiteral("VILLE, ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
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

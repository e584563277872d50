#include "shell/menus.h"
#include "partage/numerotation.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/commandes.h"
#include "partage/liants.h"
#include "shell/mdiform1.h"
#include "shell/module1.h"
#include "shell/ouverture.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include <QHash>
#include <QLineEdit>
#include <QTabWidget>

namespace shell::menus {

using G = Genre;

// Display order. "Gestion des &Tables" and "&Utilitaires" are submenus of "&Administration".
const Entree arbre[] = {
    {"menufichierindex0", "", G::Menu, "&Fichier"},
    {"menufichierindex1", "menufichierindex0", G::Commande, "&Ouvrir une base de données"},
    {"menufichierindex5", "menufichierindex0", G::Separateur, "-"},
    {"menufichierindex3", "menufichierindex0", G::Commande, "&Fermer la base de données en cours"},
    {"menufichierindex4", "menufichierindex0", G::Separateur, "-"},
    {"menufichierindex2", "menufichierindex0", G::Commande, "&Quitter le logiciel", "Ctrl+Q"},
    {"menuenfantsindex0", "", G::Menu, "&Gestion"},
    {"menuenfantsindex2", "menuenfantsindex0", G::Commande, "Gestion du fichier des &Familles", "Ctrl+F"},
    {"menuenfantsindex3", "menuenfantsindex0", G::Separateur, "-"},
    {"menuenfantsindex1", "menuenfantsindex0", G::Commande, "Gestion du fichier des &Elèves", "Ctrl+E"},
    {"menuexploitationindex0", "", G::Menu, "&Exploitation"},
    {"menuexploitationindex3", "menuexploitationindex0", G::Commande, "&Traitements", "Ctrl+T"},
    {"menuexploitationindex2", "menuexploitationindex0", G::Separateur, "-"},
    {"menuexploitationindex4", "menuexploitationindex0", G::Commande, "Exportation des données au format Excel"},
    {"menuparamètresindex0", "", G::Menu, "&Administration"},
    {"menuparamètresindex1", "menuparamètresindex0", G::Commande, "&Circonscription"},
    {"menuparamètresindex2", "menuparamètresindex0", G::Commande, "&Ecole"},
    {"menuparamètresindex3", "menuparamètresindex0", G::Commande, "Equipe &Pédagogique"},
    {"menuparamètresindex10", "menuparamètresindex0", G::Separateur, "-"},
    {"menuparamètresindex4", "menuparamètresindex0", G::Commande, "&Documents"},
    {"menuparamètresindex5", "menuparamètresindex0", G::Commande, "&Champs Paramétrables"},
    {"menuparamètresindex21", "menuparamètresindex0", G::Separateur, "-"},
    {"menuparamètresindex22", "menuparamètresindex0", G::Commande, "&Modification du code d'accès aux données"},
    {"menuparamètresindex11", "menuparamètresindex0", G::Separateur, "-"},
    {"menuparamètresindex20", "menuparamètresindex0", G::Menu, "Gestion des &Tables"},
    {"menuparamètresindex6", "menuparamètresindex20", G::Commande, "Table des Adresses"},
    {"menuparamètresindex7", "menuparamètresindex20", G::Commande, "Table des Assurances"},
    {"menuparamètresindex23", "menuparamètresindex20", G::Commande, "Table des Assertions"},
    {"menuparamètresindex8", "menuparamètresindex20", G::Commande, "Table des CSP"},
    {"menuparamètresindex19", "menuparamètresindex20", G::Commande, "Table des Genres"},
    {"menuparamètresindex9", "menuparamètresindex20", G::Commande, "Table des Hôpitaux"},
    {"menuparamètresindex13", "menuparamètresindex20", G::Commande, "Table des Langues Vivantes"},
    {"menuparamètresindex12", "menuparamètresindex20", G::Commande, "Table des Médecins"},
    {"menuparamètresindex15", "menuparamètresindex20", G::Commande, "Table des Nationalités"},
    {"menuparamètresindex18", "menuparamètresindex20", G::Commande, "Table des Niveaux et Cycles"},
    {"menuparamètresindex14", "menuparamètresindex20", G::Commande, "Table des Sexes"},
    {"menuparamètresindex17", "menuparamètresindex20", G::Commande, "Table des Situations Familiales"},
    {"menuparamètresindex16", "menuparamètresindex20", G::Commande, "Table des Villes"},
    {"menuparamètresindex24", "menuparamètresindex0", G::Separateur, "-"},
    {"menuutilitairesindex0", "menuparamètresindex0", G::Menu, "&Utilitaires"},
    {"menuutilitairesindex1", "menuutilitairesindex0", G::Commande, "Initialisation de la table des familles"},
    {"menuutilitairesindex2", "menuutilitairesindex0", G::Commande, "Initialisation de la table des élèves"},
    {"menuutilitairesindex3", "menuutilitairesindex0", G::Commande, "Initialisation des tables connexes"},
    {"menuutilitairesindex5", "menuutilitairesindex0", G::Separateur, "-"},
    {"menuutilitairesindex4", "menuutilitairesindex0", G::Commande, "Exportation pour la passerelle BE1d"},
    {"menuoptionsindex0", "", G::Menu, "&Options"},
    {"menuoptionsindex1", "menuoptionsindex0", G::Commande, "&Options de démarrage"},
    {"menuaideindex0", "", G::Menu, "&?"},
    {"menuaideindex1", "menuaideindex0", G::Commande, "&A propos de..."},
};

const Entree* entrees(int& nombre) {
    nombre = int(std::size(arbre));
    return arbre;
}

// "&Gestion", "&Administration", "&Utilitaires", "&Exploitation".
const char* const menus_de_travail[4] = {"menuenfantsindex0", "menuparamètresindex0",
                                         "menuutilitairesindex0", "menuexploitationindex0"};

namespace {

// The commands that bind a window's table and show the window, one pattern.
struct CommandeTable {
    const char* menu;
    const QString& feuille;
    const char* numeroPremier = "";  // field that takes the first number on a first record
    const numerotation::Cle* cle = nullptr;  // the key it numbers
    bool premierSiNonVide = false;   // moves to the first record of a table that has one
    bool ongletZero = false;         // SSTab1 back to its first tab once shown
    bool documentsEleve = false;     // the pupil window's document templates as well
};

const CommandeTable commandes_tables[] = {
    {"menuenfantsindex2", noms::famille, "Text13", &numerotation::ReferenceFamille, false, true},
    {"menuenfantsindex1", noms::eleve, "matricule", &numerotation::Matricule, false, true, true},
    {"menuparamètresindex1", noms::inspection, "", nullptr, false, true},
    {"menuparamètresindex2", noms::ecole, "", nullptr, false, true},
    {"menuparamètresindex3", noms::equipe},
    {"menuparamètresindex4", noms::documents},
    {"menuparamètresindex5", noms::parametres},
    {"menuparamètresindex22", noms::acces, "", nullptr, true},
    {"menuparamètresindex6", noms::adresses},
    {"menuparamètresindex7", noms::assurances},
    {"menuparamètresindex23", noms::assertions},
    {"menuparamètresindex8", noms::csp},
    {"menuparamètresindex19", noms::genres},
    {"menuparamètresindex9", noms::hopitaux},
    {"menuparamètresindex13", noms::langues_vivantes},
    {"menuparamètresindex12", noms::medecins},
    {"menuparamètresindex15", noms::nationalites},
    {"menuparamètresindex18", noms::niveaux},
    {"menuparamètresindex14", noms::sexe},
    {"menuparamètresindex17", noms::situations_familiales},
    {"menuparamètresindex16", noms::villes},
};

void executer_table(const CommandeTable& c) {
    const QString& feuille = c.feuille;
    if (!forms::Feuilles::estEnregistree(feuille)) return;  // its window comes later
    liants::lier_ou_lever(forms::description(feuille).liant);
    forms::Feuille& f = forms::Feuilles::charger(feuille);
    auto* controle = f.controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
    db::JeuEnregistrements& rs = controle->Recordset();
    if (rs.Bof() && rs.Eof()) {
        rs.AddNew();
        if (*c.numeroPremier) {
            f.controle<QLineEdit>(QString::fromUtf8(c.numeroPremier))
                ->setText(numerotation::libre(controle->Database(), *c.cle));
            // Numbered by the program: the record is saved only once the user types into it.
            controle->noterValeursProposees();
        }
    } else if (c.premierSiNonVide) {
        rs.MoveFirst();
    }
    if (c.documentsEleve) {
        Module1::ouvrir_table_documents();
        auto* documents = f.controle<forms::ControleDonnees>(QStringLiteral("Data2"));
        documents->setDatabaseName(Module1::chemin_base);
        documents->setRecordSource(QStringLiteral("SELECT * FROM documents"));
        documents->Refresh();
    }
    f.afficher();
    if (c.ongletZero) f.controle<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(0);
}

// Shows a window that binds nothing, if it exists yet.
void montrer(const QString& feuille, bool ongletZero = false) {
    if (!forms::Feuilles::estEnregistree(feuille)) return;
    forms::Feuille& f = forms::Feuilles::charger(feuille);
    f.afficher();
    f.repaint();
    if (ongletZero) {
        if (auto* onglets = f.findChild<QTabWidget*>(QStringLiteral("SSTab1"))) onglets->setCurrentIndex(0);
    }
}

using Action = std::function<void()>;

const QHash<QString, Action>& actions_propres() {
    static const QHash<QString, Action> actions = {
        {QStringLiteral("menufichierindex1"), [] { ouverture::commande_ouvrir(); }},
        {QStringLiteral("menufichierindex3"), [] { ouverture::commande_fermer(); }},
        {QStringLiteral("menufichierindex2"), [] { if (auto* m = fenetre_principale()) m->close(); }},
        {QStringLiteral("menuexploitationindex3"), [] { montrer(noms::traitements); }},
        {QStringLiteral("menuoptionsindex1"), [] { montrer(noms::options); }},
        {QStringLiteral("menuaideindex1"), [] { montrer(noms::copyright, true); }},
    };
    return actions;
}

}  // namespace

void executer(const QString& nom) {
    for (const CommandeTable& c : commandes_tables) {
        if (nom == QString::fromUtf8(c.menu)) {
            forms::pieger([&] { executer_table(c); });
            return;
        }
    }
    const auto& propres = actions_propres();
    if (auto it = propres.find(nom); it != propres.end()) {
        forms::pieger(*it);
        return;
    }
    if (auto externe = forms::commande(nom)) forms::pieger(externe);
}

}  // namespace shell::menus

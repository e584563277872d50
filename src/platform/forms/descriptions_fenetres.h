#pragma once
// One description per window of the program, under its name from noms_feuilles.h: the table
// it edits, the record source its binder gives its data control, the binder's name, and how it
// differs from the data window. The reference lists, the pickers, the self-extending lookups
// and the menus name a window and take these facts from here. Each part of the program hands
// the descriptions of its own windows over when it registers them.
#include "platform/forms/variation.h"
#include <QString>
#include <QVector>
#include <deque>

class QComboBox;

namespace forms {

// What the binder does when one of its steps fails: the general error box, or nothing.
enum class SurErreur { Boite, Passer };

// Another data control of the window that its binder binds too, after the main one.
struct AutreControle {
    QString controle;   // its name ("Data1")
    QString source;     // its record source
};

struct DescriptionFenetre {
    QString nom;
    QString table;      // the table its data control edits ("" none)
    QString source;     // the record source its binder gives it
    QString liant;      // its binder ("ouvrir_table_villes"; "" none)
    SurErreur surErreur = SurErreur::Passer;
    forms::Variation variation;  // for a data window
    QVector<AutreControle> autresControles;
    // A sort box whose first entry the binder chooses last, so that the window shows its
    // records in that order ("" none).
    QString boiteTri;
};

// A window's sort box (a QComboBox) holds, under this dynamic property, the entry whose order
// its window reads its records in: the box goes back to it when the user stays on a record,
// and a window brought back on its database takes it again.
inline constexpr const char* EntreeTriEnCours = "entreeTriEnCours";
// The sort box on `entree`, as the order in use, without choosing it (nothing is read).
void placer_tri(QComboBox* boite, int entree);

// Adds these descriptions; one under a name already described replaces it, so that a part
// registered twice describes its windows once.
void ajouter_descriptions(const QVector<DescriptionFenetre>& descriptions);
// Every description added, in the order added. Elements stay in place as others are added.
const std::deque<DescriptionFenetre>& descriptions();
// The description of a window; a name that none has is a programming error (5).
const DescriptionFenetre& description(const QString& nom);
// The window a binder addresses; nullptr for an unknown binder.
const DescriptionFenetre* description_du_liant(const QString& liant);

// The rows of the descriptions, as each part of the program writes its own.
// A window without a table.
DescriptionFenetre fenetre_simple(const QString& nom);
// A window bound to a table by its binder; `source` "" reads the whole table.
DescriptionFenetre fenetre_liee(const QString& nom, const char* table, const char* liant,
                                const forms::Variation& variation = {}, SurErreur surErreur = SurErreur::Passer,
                                const char* source = "");

}  // namespace forms

namespace forms {
// A variation written out in full.
Variation variation(Ajout ajout, bool supprimer, bool rafraichir, ErreurDonnees erreur, Legende position,
                    Placement placement, Accepter accepter, AuDechargement dechargement, bool validerPropre = false,
                    const QString& infobulle = InfobulleRafraichir);
}  // namespace forms

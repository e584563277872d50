#pragma once
// One description per window of the program, under its name from noms_feuilles.h: the table
// it edits, the record source its binder gives its data control, the binder's name, and how it
// differs from the data window. The reference lists, the pickers, the self-extending lookups
// and the menus name a window and take these facts from here.
#include "platform/forms/variation.h"
#include <QString>
#include <QVector>

namespace forms {

// What the binder does when one of its steps fails: the general error box, or nothing.
enum class SurErreur { Boite, Passer };

struct DescriptionFenetre {
    QString nom;
    QString table;      // the table its data control edits ("" none)
    QString source;     // the record source its binder gives it
    QString liant;      // its binder ("ouvrir_table_villes"; "" none)
    SurErreur surErreur = SurErreur::Passer;
    reglages::Variation variation;  // for a data window
};

const QVector<DescriptionFenetre>& descriptions();
// The description of a window; a name that none has is a programming error (5).
const DescriptionFenetre& description(const QString& nom);
// The window a binder addresses; nullptr for an unknown binder.
const DescriptionFenetre* description_du_liant(const QString& liant);

}  // namespace forms

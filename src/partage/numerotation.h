#pragma once
// Six-digit record numbers: the pupils' matricules and the families' references. One service
// per key gives the next free number: to the first record a menu opens on an empty table, to
// "&Ajouter", and to the offer made when a record is refused because another one already
// holds its key.
#include <QString>

class QLineEdit;
namespace db { class BaseDonnees; }
namespace forms { class ControleDonnees; }

namespace numerotation {

// A number written with at least six digits ("42" gives "000042", a longer number keeps its
// digits); a text that is not a number is returned unchanged.
QString six_chiffres(const QString& texte);

// A key numbered by the program, with what its window tells when a record is refused because
// another record holds its key.
struct Cle {
    const char* table;
    const char* champ;
    const char* refus;       // "%1": the key refused
    const char* offre;       // appended to the refusal; "%1": the free key
    const char* correction;  // appended when no free key is offered ("" none)
    bool offreSurFicheExistante;  // false: only a new record is offered the free key
};

extern const Cle Matricule;
extern const Cle ReferenceFamille;

// The number after the highest key of the table ("000001" while no record has one), passing over
// a number that the rows carrying the key still hold (db/cles_portees.h). Raises 13 when the last
// key in the key's sort order is not a number.
QString libre(db::BaseDonnees& base, const Cle& cle);

// Saves the record of `dat`. A key that another record holds (typed, or taken meanwhile by
// another workstation) is told; the free key is offered and, when the user takes it, put in
// `zone` and the save tried again. False when the record was not saved; the engine's other
// refusals are raised.
bool enregistrer(forms::ControleDonnees& dat, QLineEdit* zone, const Cle& cle);

}  // namespace numerotation

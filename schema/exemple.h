#pragma once
// The demonstration database: a copy of the blank template filled with a fictitious school,
// its inspection and teaching team, families and their children, and a few document
// templates. The same seed and the same day give the same database.
#include <QDate>
#include <QString>
#include <cstdint>

namespace exemple {

struct Parametres {
    int eleves = 180;
    int familles = 0;  // 0: about one family for 1.6 pupils
    std::uint64_t graine = 1;
    QDate aujourdhui = QDate::currentDate();
    QString dossier_photos;  // "": the folder "photos" beside the database
};

// The families that `eleves` pupils need when none is asked for.
int familles_par_defaut(int eleves);

// Writes `cible` from `modele`; refuses an existing target and counts that do not make
// families of one to four children. Throws EchecEcriture with a French text; no half-written
// file is left behind.
void generer(const QString& modele, const QString& cible, const Parametres& p);

}  // namespace exemple

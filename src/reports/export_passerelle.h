#pragma once
// "Exportation pour la passerelle BE1d": every pupil of the working database, in matricule
// order, with the main data of the pupil's family, appended to "CARNELIS.EXP" in a folder the
// user names, for the import gateway of the national pupil database. Errors are reported
// inside; the caller only calls it.
#include <QByteArray>
#include <QString>
#include <functional>

namespace reports {

void exporter_passerelle();

// The records of every pupil of `base`, as they are appended to the file: 39 lines per pupil,
// each value between double quotes, CR LF, in Windows-1252. They are read as they are written,
// given to `ecrire` a bufferful at a time; `avancement` hears of each record.
void ecrire_fiches_passerelle(const QString& base, const std::function<void(const QByteArray&)>& ecrire,
                              const std::function<void(qint64 faites, qint64 total)>& avancement);
QByteArray fiches_passerelle(const QString& base);

}  // namespace reports

#include "partage/numerotation.h"
#include "platform/db/base_donnees.h"
#include "platform/db/cles_portees.h"
#include "platform/forms/controle_donnees.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/db/sqlite_outils.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/pointeur.h"
#include <QLineEdit>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace numerotation {

namespace {
// The text read as a number: decimals round to the nearest whole number.
bool nombre(const QString& texte, qlonglong& n) {
    bool ok = false;
    const QString t = texte.trimmed();
    n = t.toLongLong(&ok);
    if (ok) return true;
    QString decimal = t;
    decimal.replace(QLatin1Char(','), QLatin1Char('.'));
    const double d = decimal.toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 1e15) return false;
    n = std::llround(d);
    return true;
}

QString ecrire(qlonglong n) {
    const QString chiffres = QString::number(n < 0 ? -n : n).rightJustified(6, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + chiffres : chiffres;
}

QString u(const char* s) { return QString::fromUtf8(s); }
}  // namespace

const Cle Matricule{"élèves", "matricule",
                    "Le matricule %1 est déjà attribué à un autre élève : la fiche n'a pas été enregistrée.",
                    "\n\nLe premier matricule libre est %1. Voulez-vous le donner à cette fiche et l'enregistrer ?",
                    "", true};
const Cle ReferenceFamille{
    "familles", "référence_famille",
    "La référence famille %1 est déjà celle d'une autre famille : cette fiche n'a pas été enregistrée.",
    "\n\nVoulez-vous l'enregistrer sous la référence libre suivante, %1 ?",
    "\n\nCorrigez la référence, puis validez à nouveau.", false};

QString six_chiffres(const QString& texte) {
    qlonglong n = 0;
    return nombre(texte, n) ? ecrire(n) : texte;
}

QString libre(db::BaseDonnees& base, const Cle& cle) {
    const QString champ = db::sqlite::nom_sql(u(cle.champ)), table = db::sqlite::nom_sql(u(cle.table));
    // The last key in the key's own order, the one the window sorted by it shows last: a text
    // there that is no number stops the numbering.
    const auto dernier =
        base.requete(QStringLiteral("SELECT %1 FROM %2 WHERE %1 <> '' ORDER BY %1 DESC LIMIT 1").arg(champ, table));
    qlonglong n = 0;
    if (!dernier.lignes.isEmpty()) {
        if (!nombre(dernier.lignes[0].value(0).toString(), n))
            throw Erreur(erreurs_execution::TypeIncompatible, QStringLiteral("Type incompatible."));
        // A number written with fewer or more digits ("9", "1000000") sorts elsewhere among the
        // texts: the number given follows the highest of all, so that it is always free.
        const auto plus_haut = base.requete(
            QStringLiteral("SELECT MAX(CAST(%1 AS INTEGER)) FROM %2 WHERE %1 GLOB '[0-9]*'").arg(champ, table));
        const QVariant m = plus_haut.lignes.value(0).value(0);
        if (!m.isNull()) n = std::max(n, m.toLongLong());
    }
    // A key that other rows still carry (a deleted family's reference kept by its pupils from
    // before deleting let go of it) is passed over: its rows never go to a stranger.
    QSet<QString> portees;
    for (const db::ClePortee& p : db::cles_portees(u(cle.table))) {
        if (p.champ.compare(u(cle.champ), Qt::CaseInsensitive) != 0) continue;
        const QString porteur = db::sqlite::nom_sql(p.champPorteur);
        const auto r = base.requete(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 GLOB '[0-9]*' AND "
                                                   "CAST(%1 AS INTEGER) > ?")
                                        .arg(porteur, db::sqlite::nom_sql(p.tablePorteuse)),
                                    {n});
        for (const auto& ligne : r.lignes) portees.insert(ligne.value(0).toString());
    }
    while (portees.contains(ecrire(n + 1))) ++n;
    return ecrire(n + 1);
}

bool enregistrer(forms::ControleDonnees& dat, QLineEdit* zone, const Cle& cle) {
    for (;;) {
        try {
            dat.UpdateRecord();
            return true;
        } catch (const Erreur& e) {
            if (e.numero != db::erreurs::Doublon) throw;
        }
        const QString refus = u(cle.refus).arg(zone->text());
        QString propose;
        if (cle.offreSurFicheExistante || dat.Recordset().EditMode() == 2)
            forms::ignorer_erreur([&] { propose = libre(dat.Database(), cle); });
        forms::definir_pointeur_souris(forms::PointeurDefaut);
        if (propose.isEmpty()) {
            forms::boite_message(refus + u(cle.correction), forms::styles::Avertissement);
            return false;
        }
        if (forms::boite_message(refus + u(cle.offre).arg(propose), forms::styles::OuiNon + forms::styles::Question) !=
            forms::Oui)
            return false;
        zone->setText(propose);
    }
}

}  // namespace numerotation

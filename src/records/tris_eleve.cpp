#include "records/tris_eleve.h"
#include "platform/db/dialecte.h"

namespace eleve {

const QVector<Tri>& tris() {
    static const QVector<Tri> t = {
        {"Par ordre alphabétique", "SELECT * FROM élèves ORDER BY nom_élève ASC, prénom_élève ASC"},
        {"Par ordre alphabétique inverse", "SELECT * FROM élèves ORDER BY nom_élève DESC, prénom_élève DESC"},
        {"Par ordre des matricules", "SELECT * FROM élèves ORDER BY matricule ASC"},
        {"Par ordre inverse des matricules", "SELECT * FROM élèves ORDER BY matricule DESC"},
        {"Par âge", "SELECT * FROM élèves ORDER BY date_naissance_élève ASC"},
        {"Par âge inverse", "SELECT * FROM élèves ORDER BY date_naissance_élève DESC"},
        {"Par date d'inscription", "SELECT * FROM élèves ORDER BY date_inscription_élève ASC"},
        {"Par date d'inscription inverse", "SELECT * FROM élèves ORDER BY date_inscription_élève DESC"},
        {"Par nationalité", "SELECT * FROM élèves ORDER BY nationalité_élève ASC"},
        {"Par numéro de classe", "SELECT * FROM élèves ORDER BY référence_classe_élève ASC"},
        {"Par niveau", "SELECT * FROM élèves ORDER BY niveau_classe_élève ASC"},
        {"Par cycle", "SELECT * FROM élèves ORDER BY cycle_classe_élève ASC"},
        {"Par ville de résidence", "SELECT * FROM élèves ORDER BY ville_résidence ASC"},
    };
    return t;
}

QString requete_tri(const QString& legende) {
    for (const Tri& t : tris())
        if (legende == QString::fromUtf8(t.legende)) return QString::fromUtf8(t.requete);
    return QString::fromUtf8(tris().first().requete);
}

const QVector<Recherche>& recherches() {
    static const QVector<Recherche> t = {
        {"Command2", "matricule", "Entrez le matricule de l'enfant dont vous voulez voir la fiche...", "matricule",
         false},
        {"Command13", "nom_enfant",
         "Entrez le nom de l'enfant (entier OU partiel) dont vous voulez voir la fiche...", "nom_élève", true},
    };
    return t;
}

QString critere(const Recherche& r, const QString& reponse) {
    return QString::fromUtf8(r.colonne) + QStringLiteral(" like ") +
           db::dialecte::entre_apostrophes(db::dialecte::motif_tape(r.debut ? reponse + QLatin1Char('*') : reponse));
}

}  // namespace eleve

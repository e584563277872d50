#include "reports/export_passerelle.h"

#include "platform/db/base_donnees.h"
#include "platform/db/francais.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/pointeur.h"
#include "platform/texte/windows1252.h"
#include "shell/module1.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace reports {

namespace {

const QString NomFichier = QStringLiteral("CARNELIS.EXP");

// One line of a record: the value as the record windows show it, between double quotes.
// The format has no escape, so a double quote inside becomes an apostrophe and a line break a
// blank: each value stays one line, each record 39 lines.
void ajouter(QByteArray& sortie, const QString& valeur) {
    QString v = valeur;
    v.replace(QLatin1Char('"'), QLatin1Char('\''));
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    sortie += '"';
    sortie += codage::vers_windows1252(v);
    sortie += "\"\r\n";
}

QString texte(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    return v.toString();
}

// Columns of the query below, in the order of the record's lines; "+" joins two columns
// with one blank, "1" is the constant, "ainé" the eldest mark.
const char* const colonnes[] = {
    "e.\"nom_élève\"", "e.\"prénom_élève\"", "e.\"date_inscription_élève\"", "e.matricule",
    "e.\"date_naissance_élève\"", "e.\"lieu_naissance_élève\"", "e.\"sexe_élève\"", "e.\"nationalité_élève\"",
    "e.\"numéro_résidence\"", "e.\"adresse_résidence\"", "e.\"code_postal_résidence\"", "e.\"ville_résidence\"",
    "e.\"téléphone1_résidence\"",
    "f.\"nom_responsable_légal\"", "f.\"prénom_responsable_légal\"", "f.\"profession_responsable_légal\"",
    "f.\"csp_responsable_légal\"", "f.\"téléphone_professionnel1_responsable_légal\"",
    "f.nom_conjoint", "f.\"prénom_conjoint\"", "f.profession_conjoint", "f.csp_conjoint",
    "f.\"téléphone_professionnel1_conjoint\"",
    "e.\"ainé\"", "e.nom_contact1", "e.\"prénom_contact1\"", "e.\"téléphone_contact1\"",
    "f.\"médecin_traitant\"", "f.\"téléphone_médecin_traitant\"", "f.\"hôpital_préférentiel\"",
    "f.\"téléphone_hôpital_préférentiel\"",
    "e.\"référence_classe_élève\"", "e.\"niveau_classe_élève\"", "e.\"cycle_classe_élève\"",
    "e.\"cursus_allongé_élève\"", "e.restauration_scolaire",
    "f.\"société_assurance\"", "f.police_assurance", "e.\"observations_générales\""};
enum Colonne { Numero = 8, Adresse = 9, Aine = 23, NomContact = 24, PrenomContact = 25 };

// Every pupil in the pupil window's order, with the family its reference names (none for an
// empty reference or one that names no family: those lines stay empty).
QString requete() {
    QStringList liste;
    for (const char* c : colonnes) liste << QString::fromUtf8(c);
    return QStringLiteral("SELECT ") + liste.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM \"élèves\" e LEFT JOIN familles f ON f.rowid = ("
                          "SELECT g.rowid FROM familles g WHERE g.\"référence_famille\" = e.\"référence_famille\""
                          " AND g.\"référence_famille\" <> '' ORDER BY g.rowid LIMIT 1)"
                          " ORDER BY e.matricule COLLATE ") +
           QLatin1String(db::francais::collation) + QStringLiteral(" ASC");
}

void refuser(const QString& texte) { forms::boite_message(texte, 16); }

}  // namespace

QByteArray fiches_passerelle(const QString& base) {
    auto b = db::BaseDonnees::ouvrir(base);
    const db::ResultatRequete r = b->requete(requete());
    b->Close();
    QByteArray sortie;
    sortie.reserve(r.lignes.size() * 39 * 16);
    for (const QVector<QVariant>& l : r.lignes) {
        for (int c = 0; c < Numero; ++c) ajouter(sortie, texte(l[c]));
        ajouter(sortie, texte(l[Numero]) + QLatin1Char(' ') + texte(l[Adresse]));
        for (int c = Adresse + 1; c < Aine; ++c) ajouter(sortie, texte(l[c]));
        ajouter(sortie, QStringLiteral("1"));
        ajouter(sortie, QStringLiteral("1"));
        ajouter(sortie, l[Aine].toBool() ? QStringLiteral("1") : QStringLiteral("2"));
        ajouter(sortie, texte(l[NomContact]) + QLatin1Char(' ') + texte(l[PrenomContact]));
        for (int c = PrenomContact + 1; c < int(std::size(colonnes)); ++c) ajouter(sortie, texte(l[c]));
    }
    return sortie;
}

void exporter_passerelle() {
    forms::pieger([] {
        QString dossier = forms::boite_saisie(QStringLiteral("Entrez le chemin à utiliser pour exporter les fiches :"),
                                              QStringLiteral("Exportation de fiches"), QDir::homePath());
        if (dossier.isEmpty()) {
            refuser(QStringLiteral("Chemin vide... Exportation impossible !"));
            return;
        }
        if (!dossier.endsWith(QLatin1Char('/'))) dossier += QLatin1Char('/');
        // Without its final separator, so that a file answered as the folder is seen as a file.
        const QFileInfo infoDossier(dossier.size() > 1 ? dossier.chopped(1) : dossier);
        if (!infoDossier.exists()) {
            refuser(QStringLiteral("Le dossier ") + dossier + QStringLiteral(" n'existe pas... Exportation impossible !"));
            return;
        }
        const QString chemin = dossier + NomFichier;
        const QFileInfo infoFichier(chemin);
        if (!infoDossier.isDir() || !infoDossier.isWritable() || infoFichier.isDir() ||
            (infoFichier.exists() && !infoFichier.isWritable())) {
            refuser(QStringLiteral("Le fichier ") + chemin +
                    QStringLiteral(" ne peut pas être écrit dans ce dossier... Exportation impossible !"));
            return;
        }
        if (infoFichier.exists() &&
            forms::boite_message(QStringLiteral("Attention ! Le fichier d'exportation ") + chemin +
                                     QStringLiteral(" existe déjà...\nLes fiches exportées seront ajoutées à celles "
                                                    "existantes. Voulez-vous continuer ?"),
                                 36) != forms::Oui)
            return;

        forms::definir_pointeur_souris(forms::Sablier);
        // Every record is ready before the file is touched: a database that cannot be read
        // leaves the file as it was.
        const QByteArray fiches = fiches_passerelle(Module1::chemin_base);
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
            throw Erreur(erreurs_execution::AccesFichier,
                         QStringLiteral("Le fichier ") + chemin + QStringLiteral(" ne peut pas être écrit : ") + f.errorString());
        const qint64 taille = f.size();
        if (f.write(fiches) != fiches.size() || !f.flush()) {
            // No half record is left behind: the file goes back to what it held.
            const QString raison = f.errorString();
            f.resize(taille);
            throw Erreur(erreurs_execution::AccesFichier,
                         QStringLiteral("L'écriture du fichier ") + chemin + QStringLiteral(" a échoué : ") + raison);
        }
        f.close();
        forms::definir_pointeur_souris(forms::PointeurDefaut);
        forms::boite_message(QStringLiteral("Exportation réussie !\nVous disposez maintenant du fichier (") + chemin +
                                 QStringLiteral(") contenant le résultat de l'exportation"),
                             64);
    });
}

}  // namespace reports

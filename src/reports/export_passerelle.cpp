#include "reports/export_passerelle.h"

#include "platform/db/base_donnees.h"
#include "platform/db/copie_sure.h"
#include "platform/db/sqlite_outils.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/progression.h"
#include "platform/texte/windows1252.h"
#include "partage/module1.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Every pupil in matricule order, read from the matricule index (matricules are codes, compared
// as such), with the family its reference names: references are unique among families, so
// each pupil comes once; an empty reference, or one that names no family, leaves the family
// lines empty.
QString requete() {
    QStringList liste;
    for (const char* c : colonnes) liste << QString::fromUtf8(c);
    return QStringLiteral("SELECT ") + liste.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM \"élèves\" e LEFT JOIN familles f ON f.\"référence_famille\" = e.\"référence_famille\""
                          " AND e.\"référence_famille\" <> '' ORDER BY e.matricule");
}

// The value of column `c` written straight from the bytes the engine holds, when it needs
// nothing of what ajouter() does: text without quote or line break whose letters all lie in
// the Latin-1 part of the code page (UTF-8 of one or two bytes: Windows-1252 is Latin-1
// there), and dates stored as AAAA-MM-JJ, shown JJ/MM/AAAA. False, with nothing written, for
// any other value, which then takes the general road (same result, slower).
bool corps_direct(QByteArray& sortie, sqlite3_stmt* s, int c, db::TypeChamp type) {
    const int genre = sqlite3_column_type(s, c);
    if (genre == SQLITE_NULL) return true;
    if (genre != SQLITE_TEXT) return false;
    const char* t = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
    const int n = sqlite3_column_bytes(s, c);
    if (type == db::TypeChamp::Date) {
        const auto chiffres = [t](int debut, int fin) {
            int v = 0;
            for (int k = debut; k < fin; ++k) {
                if (t[k] < '0' || t[k] > '9') return -1;
                v = v * 10 + (t[k] - '0');
            }
            return v;
        };
        if (n < 10 || t[4] != '-' || t[7] != '-') return false;
        const int a = chiffres(0, 4), m = chiffres(5, 7), j = chiffres(8, 10);
        if (a < 0 || m < 0 || j < 0 || !QDate(a, m, j).isValid() || (n > 10 && t[10] != ' ' && t[10] != 'T'))
            return false;
        const char date[] = {t[8], t[9], '/', t[5], t[6], '/', t[0], t[1], t[2], t[3]};
        sortie.append(date, sizeof date);
        return true;
    }
    const qsizetype debut = sortie.size();
    for (int k = 0; k < n; ++k) {
        const unsigned char o = static_cast<unsigned char>(t[k]);
        if (o < 0x80 && o != '"' && o != '\r' && o != '\n') {
            sortie += char(o);
            continue;
        }
        const unsigned char suite = k + 1 < n ? static_cast<unsigned char>(t[k + 1]) : 0;
        if ((o == 0xC2 && suite >= 0xA0 && suite <= 0xBF) || (o == 0xC3 && suite >= 0x80 && suite <= 0xBF)) {
            sortie += char(((o & 0x03) << 6) | (suite & 0x3F));
            ++k;
            continue;
        }
        sortie.truncate(debut);
        return false;
    }
    return true;
}

// The 39 lines of the pupil on the statement's current row.
void ajouter_fiche(QByteArray& sortie, const db::sqlite::Instruction& i, const QVector<db::TypeChamp>& types) {
    const auto valeur = [&](int c) { return texte(db::sqlite::presenter(i.valeur(c), types[c])); };
    // One line of one column, or of two joined by a blank (`joint` >= 0).
    const auto ligne = [&](int c, int joint) {
        const qsizetype debut = sortie.size();
        sortie += '"';
        bool direct = corps_direct(sortie, i.s, c, types[c]);
        if (direct && joint >= 0) {
            sortie += ' ';
            direct = corps_direct(sortie, i.s, joint, types[joint]);
        }
        if (direct) {
            sortie += "\"\r\n";
            return;
        }
        sortie.truncate(debut);
        ajouter(sortie, joint >= 0 ? valeur(c) + QLatin1Char(' ') + valeur(joint) : valeur(c));
    };
    for (int c = 0; c < Numero; ++c) ligne(c, -1);
    ligne(Numero, Adresse);
    for (int c = Adresse + 1; c < Aine; ++c) ligne(c, -1);
    sortie += "\"1\"\r\n\"1\"\r\n";
    sortie += db::sqlite::presenter(i.valeur(Aine), types[Aine]).toBool() ? "\"1\"\r\n" : "\"2\"\r\n";
    ligne(NomContact, PrenomContact);
    for (int c = PrenomContact + 1; c < int(std::size(colonnes)); ++c) ligne(c, -1);
}

constexpr int LignesFiche = 39;

// Does the file end on a whole record? Its lines are counted as they are read.
bool fin_de_fiche(int fd, qint64& lignes) {
    lignes = 0;
    struct stat s {};
    if (::fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) return true;  // refused for what it is, elsewhere
    QByteArray tampon(1 << 20, Qt::Uninitialized);
    char derniers[2] = {0, 0};
    qint64 total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, tampon.data(), size_t(tampon.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        lignes += std::count(tampon.constData(), tampon.constData() + n, '\n');
        if (n >= 2) {
            derniers[0] = tampon.constData()[n - 2];
            derniers[1] = tampon.constData()[n - 1];
        } else {
            derniers[0] = derniers[1];
            derniers[1] = tampon.constData()[0];
        }
        total += n;
    }
    return total == 0 || (lignes % LignesFiche == 0 && derniers[0] == '\r' && derniers[1] == '\n');
}

QString message_fiche_incomplete(const QString& chemin, qint64 lignes) {
    return QStringLiteral("Le fichier d'exportation ") + chemin +
           QStringLiteral(" ne se termine pas sur une fiche entière (%1 lignes, alors que chaque fiche en compte 39) : "
                          "une exportation a sans doute été interrompue, ou le fichier modifié par un autre programme."
                          "\nLes fiches ajoutées ne seraient plus lues à leur place. Rien n'a été écrit : renommez ou "
                          "déplacez ce fichier, puis recommencez... Exportation impossible !")
               .arg(QLocale(QLocale::French).toString(lignes));
}

// An existing file that does not end on a whole record: the refusal's text, or empty.
QString verifier_existant(const QString& chemin) {
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    qint64 lignes = 0;
    const bool entier = fin_de_fiche(fd, lignes);
    ::close(fd);
    return entier ? QString() : message_fiche_incomplete(chemin, lignes);
}

void refuser(const QString& texte) { forms::boite_message(texte, forms::styles::Critique); }

}  // namespace

void ecrire_fiches_passerelle(const QString& base, const std::function<void(const QByteArray&)>& ecrire,
                              const std::function<void(qint64 faites, qint64 total)>& avancement) {
    auto b = db::BaseDonnees::ouvrir(base);
    sqlite3* p = b->poignee();
    qint64 total = 0;
    if (avancement) {
        db::sqlite::Instruction compte(p, QStringLiteral("SELECT count(*) FROM \"élèves\""));
        if (compte.pas()) total = compte.entier(0);
    }
    {
        // One statement, read as it goes: its rows are one state of the file, and only one
        // bufferful of records is held at a time.
        db::sqlite::Instruction i(p, requete());
        QVector<db::TypeChamp> types;
        for (int c = 0; c < i.colonnes(); ++c)
            types.append(db::sqlite::decrire({}, QString::fromUtf8(sqlite3_column_decltype(i.s, c))).type);
        constexpr qsizetype Tampon = 1 << 20;
        QByteArray sortie;
        sortie.reserve(Tampon + 64 * 1024);
        qint64 faites = 0;
        while (i.pas()) {
            ajouter_fiche(sortie, i, types);
            if (sortie.size() >= Tampon) {
                ecrire(sortie);
                sortie.clear();
            }
            if (avancement) avancement(++faites, total);
        }
        if (!sortie.isEmpty()) ecrire(sortie);
    }
    b->Close();
}

QByteArray fiches_passerelle(const QString& base) {
    QByteArray tout;
    ecrire_fiches_passerelle(base, [&tout](const QByteArray& o) { tout += o; }, {});
    return tout;
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
        if (!infoDossier.isDir() || !infoDossier.isWritable() || (infoFichier.exists() && !infoFichier.isFile()) ||
            (infoFichier.exists() && !infoFichier.isWritable())) {
            refuser(QStringLiteral("Le fichier ") + chemin +
                    QStringLiteral(" ne peut pas être écrit dans ce dossier... Exportation impossible !"));
            return;
        }
        // Records appended after a broken one would all be read one field off.
        if (const QString refus = verifier_existant(chemin); !refus.isEmpty()) {
            refuser(refus);
            return;
        }
        if (infoFichier.exists() &&
            forms::boite_message(QStringLiteral("Attention ! Le fichier d'exportation ") + chemin +
                                     QStringLiteral(" existe déjà...\nLes fiches exportées seront ajoutées à celles "
                                                    "existantes. Voulez-vous continuer ?"),
                                 forms::styles::OuiNon + forms::styles::Question) != forms::Oui)
            return;

        forms::definir_pointeur_souris(forms::Sablier);
        // The records are appended whole or not at all, away from the windows: the file keeps
        // what it held until every new record is on disk beside it.
        const QString base = Module1::chemin_base;
        forms::travailler_a_part(
            QStringLiteral("Exportation des fiches dans ") + chemin + QStringLiteral("..."),
            [&](const forms::Avancer& avancer) {
                db::copie_sure::ajouter_entier(
                    chemin,
                    [&chemin](int fd) {
                        qint64 lignes = 0;
                        if (!fin_de_fiche(fd, lignes))
                            throw Erreur(erreurs_execution::AccesFichier, message_fiche_incomplete(chemin, lignes));
                    },
                    [&](const db::copie_sure::Ecriture& ecrire) { ecrire_fiches_passerelle(base, ecrire, avancer); });
            });
        forms::definir_pointeur_souris(forms::PointeurDefaut);
        forms::boite_message(QStringLiteral("Exportation réussie !\nVous disposez maintenant du fichier (") + chemin +
                                 QStringLiteral(") contenant le résultat de l'exportation"),
                             forms::styles::Information);
    });
}

}  // namespace reports

#include "platform/db/base_donnees.h"
#include "platform/db/copie_sure.h"
#include "platform/db/dialecte.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/db/francais.h"
#include "platform/db/sqlite_outils.h"
#include <QDateTime>
#include <QHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <utility>

namespace db {

namespace {

std::atomic<int> delai_verrou{5000};

QString cite(const QString& chemin) { return fichier_concerne(chemin); }

// A missing file is 3024 and anything but an SQLite file 3343, before SQLite is asked: SQLite
// would take an empty or missing file for a new, empty database.
void verifier_fichier(const QString& chemin) {
    const QFileInfo info(chemin);
    if (chemin.isEmpty()) lever(erreurs::CheminInvalide);
    if (!info.exists() || info.isDir()) lever(erreurs::FichierIntrouvable, cite(chemin));
    // A named pipe or a device would hold the program waiting on its first read.
    if (!info.isFile())
        lever(erreurs::FormatNonReconnu, QStringLiteral(" Ce n'est pas un fichier ordinaire (tube nommé ou "
                                                        "périphérique).") + cite(chemin));
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) lever(erreurs::OuvertureImpossible, cite(chemin));
    if (f.read(16) != QByteArray("SQLite format 3\0", 16)) lever(erreurs::FormatNonReconnu, cite(chemin));
}

// A compaction writes its copy as "<target>.carnelis-compactage-XXXXXX" (SQLite may add
// "-journal" to it), then renames it. A compaction that was killed leaves them behind, up to
// the database's size: they are removed before each compaction and when a database of the
// folder is opened. Only names of exactly that form, not locked by a process (a compaction
// running on another workstation) and untouched for a few minutes (a copy being forced to
// disk, which holds no lock), are taken for leftovers.
const QString MarqueCompactage = QStringLiteral(".carnelis-compactage-");

bool verrouille(const QString& chemin) {
    const int f = ::open(QFile::encodeName(chemin).constData(), O_RDONLY);
    if (f < 0) return true;
    struct flock verrou = {};
    verrou.l_type = F_WRLCK;
    verrou.l_whence = SEEK_SET;
    const bool pris = ::fcntl(f, F_GETLK, &verrou) != 0 || verrou.l_type != F_UNLCK;
    ::close(f);
    return pris;
}

void supprimer_restes_de_compactage(const QString& dossier) {
    static const QRegularExpression nom(QStringLiteral("^.+") + QRegularExpression::escape(MarqueCompactage)
                                        + QStringLiteral("[A-Za-z0-9]{6}(-journal)?$"));
    const QDateTime limite = QDateTime::currentDateTimeUtc().addSecs(-5 * 60);
    const QFileInfoList restes = QDir(dossier).entryInfoList({QLatin1Char('*') + MarqueCompactage + QLatin1Char('*')},
                                                             QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& f : restes) {
        if (!nom.match(f.fileName()).hasMatch() || f.lastModified().toUTC() > limite) continue;
        if (verrouille(f.absoluteFilePath())) continue;
        QFile::remove(f.absoluteFilePath());
    }
}

// Indexes that finding and sorting rely on (a sort on names reads the small index instead of
// every page of the table). The template has them; a file made before them
// gets them when it is opened, if it can be written at once (never waiting for another
// workstation: the file then works without them, more slowly).
struct IndexAttendu { const char* nom; const char* table; const char* colonnes[2]; };
constexpr IndexAttendu index_attendus[] = {
    {"élèves_matricule_recherche", "élèves", {"matricule", nullptr}},
    {"élèves_référence_famille", "élèves", {"référence_famille", nullptr}},
    {"élèves_nom", "élèves", {"nom_élève", "prénom_élève"}},
    {"familles_référence_famille_recherche", "familles", {"référence_famille", nullptr}},
    {"familles_nom", "familles", {"nom_responsable_légal", "prénom_responsable_légal"}},
    {"familles_conjoint", "familles", {"nom_conjoint", nullptr}},
};

void completer_index(sqlite3* p) {
    QStringList manquants;
    for (const IndexAttendu& i : index_attendus) {
        const QString table = QString::fromUtf8(i.table);
        sqlite::Instruction existe(p, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = ?"));
        existe.lier(1, QString::fromUtf8(i.nom));
        if (!existe.pas() || existe.entier(0) != 0) continue;
        QStringList colonnes;
        for (const char* c : i.colonnes) {
            if (!c) continue;
            sqlite::Instruction champ(p, QStringLiteral("SELECT count(*) FROM pragma_table_info(?) WHERE name = ?"));
            champ.lier({table, QString::fromUtf8(c)});
            if (champ.pas() && champ.entier(0) == 1) colonnes << sqlite::nom_sql(QString::fromUtf8(c));
        }
        if (colonnes.size() == int(std::count_if(std::begin(i.colonnes), std::end(i.colonnes), [](const char* c) { return c; })))
            manquants << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                             .arg(sqlite::nom_sql(QString::fromUtf8(i.nom)), sqlite::nom_sql(table), colonnes.join(QStringLiteral(", ")));
    }
    if (manquants.isEmpty()) return;
    sqlite3_busy_timeout(p, 0);
    if (sqlite3_exec(p, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) {
        const QByteArray sql = manquants.join(QStringLiteral("; ")).toUtf8();
        const bool fait = sqlite3_exec(p, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_exec(p, fait ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
        if (sqlite3_get_autocommit(p) == 0) sqlite3_exec(p, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_busy_timeout(p, delai_verrou);
}

sqlite3* connecter(const QString& chemin, int drapeaux) {
    sqlite3* p = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(chemin).constData(), &p, drapeaux, nullptr);
    if (rc != SQLITE_OK) {
        try {
            sqlite::lever(p, rc, chemin);
        } catch (...) {
            sqlite3_close_v2(p);
            throw;
        }
    }
    sqlite3_busy_timeout(p, delai_verrou);
    sqlite3_extended_result_codes(p, 1);
    // A double-quoted name is a name, never a text: a misspelt field is error 3265 instead of
    // a constant that makes a condition true (or false) for every row. The translator writes
    // the dialect's double-quoted constants between single quotes.
    sqlite3_db_config(p, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(p, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    return p;
}

}  // namespace

namespace {
std::function<void(const QString&)>& controle_ouverture() {
    static std::function<void(const QString&)> controle;
    return controle;
}
}  // namespace

void BaseDonnees::definirControleOuverture(std::function<void(const QString&)> controle) {
    controle_ouverture() = std::move(controle);
}

std::shared_ptr<BaseDonnees> BaseDonnees::ouvrir(const QString& chemin) {
    verifier_fichier(chemin);
    if (controle_ouverture()) controle_ouverture()(chemin);
    // What copies interrupted in this folder left behind (a database-sized temporary file
    // each), unless another process still writes them.
    supprimer_restes_de_compactage(QFileInfo(chemin).absolutePath());
    copie_sure::nettoyer(QFileInfo(chemin).absolutePath());
    sqlite3* p = connecter(chemin, SQLITE_OPEN_READWRITE);
    try {
        // Reading the schema is what tells a damaged or foreign file from a database. A file
        // that another workstation holds locked longer than the wait cannot be opened now.
        try {
            sqlite::executer(p, QStringLiteral("PRAGMA schema_version"));
        } catch (const Erreur& e) {
            if (e.numero == erreurs::Verrouille) lever(erreurs::FichierOccupe, cite(chemin));
            throw;
        }
        // Shared files on the network: the rollback journal, never WAL. Switching a file that
        // another workstation holds open may be refused; it then stays as it is.
        sqlite3_exec(p, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        sqlite::executer(p, QStringLiteral("PRAGMA foreign_keys=OFF"));
        // A large sort (a printed list of a whole register) is shared out among a few threads;
        // the French order's comparison keeps no state, so that they may all call it.
        sqlite::executer(p, QStringLiteral("PRAGMA threads = 4"));
        completer_index(p);
    } catch (...) {
        sqlite3_close_v2(p);
        throw;
    }
    francais::installer(p);
    return std::shared_ptr<BaseDonnees>(new BaseDonnees(chemin, p));
}

BaseDonnees::BaseDonnees(const QString& chemin, sqlite3* p) : chemin_(chemin), p_(p) {}

BaseDonnees::~BaseDonnees() { Close(); }

QString BaseDonnees::chemin() const { return chemin_; }
bool BaseDonnees::ouverte() const { return p_ != nullptr; }

bool BaseDonnees::fichierRemplace() const {
    int deplace = 0;
    if (!p_ || sqlite3_file_control(p_, "main", SQLITE_FCNTL_HAS_MOVED, &deplace) != SQLITE_OK) return false;
    return deplace != 0;
}

sqlite3* BaseDonnees::poignee() {
    if (!p_) lever(erreurs::ObjetInvalide);
    sqlite3_busy_timeout(p_, delai_verrou);
    return p_;
}

void BaseDonnees::Execute(const QString& instruction) {
    const QString sql = dialecte::instruction(instruction);
    sqlite3* p = poignee();
    sqlite::Transaction t(p);
    sqlite::executer(p, sql);
    t.valider();
}

sqlite3_stmt* BaseDonnees::preparee(const QString& sql) {
    sqlite3* p = poignee();
    sqlite3_stmt*& s = preparees_[sql];
    if (!s) {
        const QByteArray texte = sql.toUtf8();
        const int rc = sqlite3_prepare_v3(p, texte.constData(), int(texte.size()), SQLITE_PREPARE_PERSISTENT, &s, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(s);
            preparees_.remove(sql);
            sqlite::lever(p, rc);
        }
    }
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    return s;
}

void BaseDonnees::Close() {
    for (sqlite3_stmt* s : std::as_const(preparees_)) sqlite3_finalize(s);
    preparees_.clear();
    if (p_) sqlite3_close_v2(p_);
    p_ = nullptr;
}

ResultatRequete BaseDonnees::requete(const QString& sql, const QVariantList& parametres) {
    ResultatRequete r;
    parcourir(sql, parametres, [&r](QVector<QVariant>& ligne) { r.lignes.append(std::move(ligne)); }, &r.champs);
    return r;
}

void BaseDonnees::parcourir(const QString& sql, const QVariantList& parametres,
                            const std::function<void(QVector<QVariant>& ligne)>& rendre, QStringList* champs) {
    sqlite::Instruction i(poignee(), sql);
    i.lier(parametres);
    QVector<TypeChamp> types;
    for (int c = 0; c < i.colonnes(); ++c) {
        if (champs) champs->append(QString::fromUtf8(sqlite3_column_name(i.s, c)));
        types.append(sqlite::decrire({}, QString::fromUtf8(sqlite3_column_decltype(i.s, c))).type);
    }
    // A column repeats few values (classes, levels, towns, dates): each text is converted once and
    // its rows share it, which saves the time and the memory of a copy per row. A column found to
    // hold many different values (more than half of its rows, names, telephones) is no longer
    // watched.
    constexpr int ValeursSuivies = 4096, ValeursVuesAvantDeJuger = 256;
    QVector<QHash<QByteArray, QVariant>> vues(types.size());
    QVector<bool> suivies(types.size(), true);
    qint64 lues = 0;
    while (i.pas()) {
        ++lues;
        QVector<QVariant> ligne(types.size());
        for (int c = 0; c < types.size(); ++c) {
            if (!suivies[c] || sqlite3_column_type(i.s, c) != SQLITE_TEXT) {
                ligne[c] = sqlite::presenter(i.valeur(c), types[c]);
                continue;
            }
            const char* texte = reinterpret_cast<const char*>(sqlite3_column_text(i.s, c));
            const QByteArray cle = QByteArray::fromRawData(texte, sqlite3_column_bytes(i.s, c));
            const auto vue = vues[c].constFind(cle);
            if (vue != vues[c].constEnd()) {
                ligne[c] = *vue;
                continue;
            }
            ligne[c] = sqlite::presenter(i.valeur(c), types[c]);
            const qsizetype vus = vues[c].size();
            if (vus < ValeursSuivies && (vus < ValeursVuesAvantDeJuger || 2 * vus <= lues)) {
                vues[c].insert(QByteArray(cle.constData(), cle.size()), ligne[c]);
            } else {
                suivies[c] = false;
                vues[c] = {};
            }
        }
        rendre(ligne);
    }
}

QVector<DescriptionChamp> BaseDonnees::champs(const QString& table) {
    sqlite::Instruction i(poignee(), QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
    i.lier(1, table);
    QVector<DescriptionChamp> r;
    while (i.pas()) r.append(sqlite::decrire(i.valeur(0).toString(), i.valeur(1).toString()));
    if (r.isEmpty()) lever(erreurs::TableIntrouvable, QStringLiteral(" « %1 »").arg(table));
    return r;
}

QStringList BaseDonnees::tables() {
    sqlite::Instruction i(poignee(), QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    QStringList r;
    while (i.pas()) r.append(i.valeur(0).toString());
    return r;
}

void BaseDonnees::definirDelaiVerrou(int millisecondes) { delai_verrou = millisecondes; }
int BaseDonnees::delaiVerrou() { return delai_verrou; }

namespace moteur {

std::shared_ptr<BaseDonnees> OpenDatabase(const QString& chemin) { return BaseDonnees::ouvrir(chemin); }

void CompactDatabase(const QString& source, const QString& cible) {
    verifier_fichier(source);
    if (cible.isEmpty()) lever(erreurs::CheminInvalide);
    if (QFileInfo::exists(cible)) lever(erreurs::BaseExistante, cite(cible));
    if (!QFileInfo(cible).absoluteDir().exists()) lever(erreurs::CheminInvalide, cite(cible));
    supprimer_restes_de_compactage(QFileInfo(cible).absolutePath());
    // Written as every copy of a database file is: under a temporary name beside the target,
    // forced to disk, then given the name in one rename that never replaces an existing file.
    copie_sure::ecrire(source, cible, copie_sure::Mode::Compactage, false);
}

bool endommagee(const QString& chemin) {
    sqlite3* p = nullptr;
    try {
        p = connecter(chemin, SQLITE_OPEN_READONLY);
        sqlite::Instruction i(p, QStringLiteral("PRAGMA quick_check(1)"));
        const bool saine = i.pas() && i.valeur(0).toString() == QLatin1String("ok");
        sqlite3_close_v2(std::exchange(p, nullptr));
        return !saine;
    } catch (const Erreur& e) {
        sqlite3_close_v2(p);
        return e.numero == erreurs::BaseEndommagee || e.numero == erreurs::FormatNonReconnu;
    }
}

}  // namespace moteur

}  // namespace db

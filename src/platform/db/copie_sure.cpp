#include "platform/db/copie_sure.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/db/sqlite_outils.h"
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <thread>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace db::copie_sure {

namespace {

// Temporary files of a copy: "<target name>~carnelis.XXXXXX", never "*.mdb", so that no file
// list shows them.
const QString marque = QStringLiteral("~carnelis.");

std::function<void(const QString&)> sonde;

QString cite(const QString& chemin) { return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(chemin)); }

QByteArray nom_systeme(const QString& chemin) { return QFile::encodeName(chemin); }

// Run-time error numbers of the file operations, with texts that name the file and say that
// nothing was changed.
constexpr int DisquePlein = 61, NomIncorrect = 52, FichierExistant = 58, PermissionRefusee = 70,
              AccesFichier = 75, CheminIntrouvable = 76;

}  // namespace

Erreur erreur_systeme(int err, const QString& chemin) {
    switch (err) {
    case EEXIST:
        return Erreur(FichierExistant, QStringLiteral("Ce fichier existe déjà : %1.").arg(cite(chemin)));
    case ENOSPC:
    case EDQUOT:
        return Erreur(DisquePlein, QStringLiteral("Disque plein : il n'y a plus assez de place pour écrire %1. "
                                                 "Rien n'a été modifié.").arg(cite(chemin)));
    case EROFS:
    case EACCES:
    case EPERM:
        return Erreur(PermissionRefusee, QStringLiteral("Permission refusée : %1 est protégé en écriture (support, "
                                                       "dossier ou fichier en lecture seule). Rien n'a été modifié.")
                                            .arg(cite(chemin)));
    case EFBIG:
        return Erreur(DisquePlein, QStringLiteral("Fichier trop volumineux pour ce support : %1 ne peut pas être écrit "
                                                  "en entier. Rien n'a été modifié.").arg(cite(chemin)));
    case ENAMETOOLONG:
        return Erreur(NomIncorrect, QStringLiteral("Nom de fichier incorrect : %1 est trop long.").arg(cite(chemin)));
    case ENOENT:
    case ENOTDIR:
        return Erreur(CheminIntrouvable, QStringLiteral("Chemin d'accès introuvable : %1.").arg(cite(chemin)));
    case EISDIR:
    case ENODEV:
    case ENXIO:
        return Erreur(AccesFichier, QStringLiteral("Erreur d'accès au chemin/fichier %1 : ce n'est pas un fichier "
                                                  "ordinaire. Rien n'a été modifié.").arg(cite(chemin)));
    case EIO:
        return Erreur(AccesFichier, QStringLiteral("Erreur d'entrée/sortie sur %1 : le support ne répond pas "
                                                  "correctement. Rien n'a été modifié.").arg(cite(chemin)));
    default:
        return Erreur(AccesFichier, QStringLiteral("Erreur d'accès au chemin/fichier %1 (erreur système %2). "
                                                  "Rien n'a été modifié.").arg(cite(chemin)).arg(err));
    }
}

[[noreturn]] void lever_systeme(int err, const QString& chemin) { throw erreur_systeme(err, chemin); }

Erreur erreur_ecriture(const QFileDevice& fichier, const QString& chemin) {
    // A full disk is the one failure Qt names by its kind; the others are told by the system's
    // own text, which Qt keeps as the device's error string.
    if (fichier.error() == QFileDevice::ResourceError) return erreur_systeme(ENOSPC, chemin);
    const QString texte = fichier.errorString();
    for (int err : {ENOSPC, EDQUOT, EFBIG, ENAMETOOLONG, EROFS, EACCES, EPERM, ENOENT, ENOTDIR, EISDIR, EIO, EEXIST})
        if (texte.contains(qt_error_string(err), Qt::CaseInsensitive)) return erreur_systeme(err, chemin);
    const QFileInfo info(chemin);
    if (info.isDir()) return erreur_systeme(EISDIR, chemin);
    if (info.exists() && !info.isWritable()) return erreur_systeme(EACCES, chemin);
    if (texte.isEmpty())
        return Erreur(AccesFichier, QStringLiteral("Erreur d'accès au chemin/fichier %1. Rien n'a été modifié.").arg(cite(chemin)));
    return Erreur(AccesFichier, QStringLiteral("Erreur d'accès au chemin/fichier %1 : %2. Rien n'a été modifié.")
                                    .arg(cite(chemin), texte));
}


namespace {

// An SQLite failure while writing `cible`: the file system's own reason when it has one
// (full disk, read-only medium), the engine's error otherwise.
[[noreturn]] void lever_ecriture(sqlite3* p, int rc, const QString& cible) {
    const int err = p ? sqlite3_system_errno(p) : 0;
    if ((rc & 0xff) == SQLITE_FULL) lever_systeme(ENOSPC, cible);
    if (err == ENOSPC || err == EDQUOT || err == EROFS || err == EACCES || err == EPERM) lever_systeme(err, cible);
    sqlite::lever(p, rc, QDir::toNativeSeparators(cible));
}

// The engine's error on the connection `p` to `chemin`, which is closed first.
[[noreturn]] void lever_et_fermer(sqlite3* p, int rc, const QString& chemin) {
    try {
        sqlite::lever(p, rc, QDir::toNativeSeparators(chemin));
    } catch (...) {
        sqlite3_close_v2(p);
        throw;
    }
}

sqlite3* connecter(const QString& chemin) {
    sqlite3* p = nullptr;
    const int rc = sqlite3_open_v2(nom_systeme(chemin).constData(), &p, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) lever_et_fermer(p, rc, chemin);
    sqlite3_busy_timeout(p, BaseDonnees::delaiVerrou());
    sqlite3_extended_result_codes(p, 1);
    return p;
}

struct Connexion {
    sqlite3* p;
    explicit Connexion(const QString& chemin) : p(connecter(chemin)) {}
    ~Connexion() { sqlite3_close_v2(p); }
};

qint64 taille(const QString& chemin) {
    struct stat s {};
    if (::stat(nom_systeme(chemin).constData(), &s) != 0 || !S_ISREG(s.st_mode)) return -1;
    return s.st_size;
}

// The source must be a whole database. The file itself is only looked at through SQLite:
// opening and closing it otherwise would drop the locks that this process holds on it.
void verifier_source(const QString& source) {
    if (source.isEmpty()) lever(erreurs::CheminInvalide);
    const qint64 octets = taille(source);
    if (octets < 0) lever(erreurs::FichierIntrouvable, QLatin1Char(' ') + cite(source));
    if (octets == 0) lever(erreurs::FormatNonReconnu, QLatin1Char(' ') + cite(source));
}

void verifier_entiere(sqlite3* p, const QString& source) {
    sqlite::executer(p, QStringLiteral("PRAGMA schema_version"));
    sqlite::Instruction pages(p, QStringLiteral("SELECT page_count * page_size FROM pragma_page_count, pragma_page_size"));
    pages.pas();
    if (taille(source) < pages.entier(0))
        lever(erreurs::BaseEndommagee, QStringLiteral(" %1 (fichier tronqué)").arg(cite(source)));
}

void forcer_sur_disque(int fd, const QString& chemin) {
    if (::fsync(fd) != 0) lever_systeme(errno, chemin);
}

// The rename itself must reach the disk too: the folder is synced.
void synchroniser_dossier(const QString& dossier) {
    const int fd = ::open(nom_systeme(dossier).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A rollback journal left beside the target by a crash belongs to the file that is about to
// be replaced: it is settled (or removed) first, so that it is never played into the copy.
void solder_journal(const QString& cible) {
    const QString journal = cible + QStringLiteral("-journal");
    if (!QFileInfo::exists(journal)) return;
    try {
        Connexion c(cible);
        sqlite::executer(c.p, QStringLiteral("PRAGMA schema_version"));
    } catch (const std::exception&) {
    }
    QFile::remove(journal);
}

void renommer(const QString& temporaire, const QString& cible, bool remplacer) {
    const QByteArray de = nom_systeme(temporaire), vers = nom_systeme(cible);
    if (remplacer) {
        if (::rename(de.constData(), vers.constData()) != 0) lever_systeme(errno, cible);
        return;
    }
    if (::renameat2(AT_FDCWD, de.constData(), AT_FDCWD, vers.constData(), RENAME_NOREPLACE) == 0) return;
    const int err = errno;
    if (err == EEXIST) lever(erreurs::BaseExistante, QLatin1Char(' ') + cite(cible));
    if (err != EINVAL && err != ENOSYS) lever_systeme(err, cible);
    // A file system that cannot refuse by itself.
    if (QFileInfo::exists(cible)) lever(erreurs::BaseExistante, QLatin1Char(' ') + cite(cible));
    if (::rename(de.constData(), vers.constData()) != 0) lever_systeme(errno, cible);
}

// The new content of `cible`, written beside it under a temporary name and locked meanwhile (so
// that nettoyer() in another process leaves it alone), then given the target's name in one rename.
// Until then, the temporary file is removed when this object goes.
class Temporaire {
public:
    explicit Temporaire(const QString& cible)
        : cible_(cible), fichier_(QFileInfo(cible).absoluteFilePath() + marque + QStringLiteral("XXXXXX")) {
        if (!fichier_.open()) lever_systeme(errno ? errno : EACCES, cible);
        ::flock(fichier_.handle(), LOCK_EX);
    }
    int fd() { return fichier_.handle(); }
    QString nom() const { return fichier_.fileName(); }

    // The content is complete: the test probe sees it, then it is forced to disk when `forcer`
    // and given the permissions `droits` (none given: those of a new private file).
    void sceller(bool forcer, std::optional<mode_t> droits) {
        if (sonde) sonde(nom());
        if (forcer) forcer_sur_disque(fd(), cible_);
        if (droits) ::fchmod(fd(), *droits);
    }
    void poser(bool remplacer) {
        renommer(nom(), cible_, remplacer);
        fichier_.setAutoRemove(false);
    }

private:
    QString cible_;
    QTemporaryFile fichier_;
};

// The permissions of the database `modele` for its copy, which its owner must still be able to write.
std::optional<mode_t> droits_de(const QString& modele) {
    struct stat s {};
    if (::stat(nom_systeme(modele).constData(), &s) != 0) return std::nullopt;
    return (s.st_mode & 0777) | S_IRUSR | S_IWUSR;
}

// The folder of `cible`, checked writable and rid of what interrupted copies left there.
QString preparer_dossier(const QString& cible) {
    const QString dossier = QFileInfo(cible).absolutePath();
    verifier_dossier_inscriptible(dossier);
    nettoyer(dossier);
    return dossier;
}

void copier_pages(sqlite3* source, const QString& temporaire) {
    Connexion dest(temporaire);
    // The copy is forced to disk once, at the end, and needs no journal: until its rename it
    // is nobody's database.
    sqlite3_exec(dest.p, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_backup* b = sqlite3_backup_init(dest.p, "main", source, "main");
    if (!b) lever_ecriture(dest.p, sqlite3_errcode(dest.p), temporaire);
    int rc = sqlite3_backup_step(b, -1);
    const int fin = sqlite3_backup_finish(b);
    if (rc == SQLITE_DONE) rc = fin;
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        // The reason lies on either side: a source locked or damaged, a target that cannot be written.
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) sqlite::lever(source, rc);
        lever_ecriture(dest.p, rc, temporaire);
    }
}

// Writes all of `octets` to `fd`, whatever the pieces the system takes at a time.
void ecrire_tout(int fd, const char* octets, qint64 longueur, const QString& cible) {
    for (qint64 fait = 0; fait < longueur;) {
        const ssize_t e = ::write(fd, octets + fait, size_t(longueur - fait));
        if (e < 0 && errno == EINTR) continue;
        if (e <= 0) lever_systeme(e < 0 ? errno : ENOSPC, cible);
        fait += e;
    }
}

// A byte copy by the kernel (without passing through this process where the file system allows
// it) from the current offset of `de` to its end.
void copier_descripteur(int de, const QString& source, int vers, const QString& cible) {
    bool noyau = true;
    std::vector<char> tampon;
    for (;;) {
        ssize_t n;
        if (noyau) {
            n = ::copy_file_range(de, nullptr, vers, nullptr, 1 << 30, 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                          errno == EBADF)) {
                noyau = false;
                continue;
            }
        } else {
            if (tampon.empty()) tampon.resize(1 << 20);
            n = ::read(de, tampon.data(), tampon.size());
            if (n < 0 && errno != EINTR) lever_systeme(errno, source);
            if (n > 0) ecrire_tout(vers, tampon.data(), n, cible);
        }
        if (n < 0) {
            if (errno == EINTR) continue;
            lever_systeme(errno, cible);
        }
        if (n == 0) break;
    }
}

// The same for a closed file that no one else writes, checked whole.
void copier_octets(const QString& source, int vers, const QString& cible) {
    const int de = ::open(nom_systeme(source).constData(), O_RDONLY | O_CLOEXEC);
    if (de < 0) lever_systeme(errno, source);
    struct Fermer {
        int fd;
        ~Fermer() { ::close(fd); }
    } fermer{de};
    copier_descripteur(de, source, vers, cible);
    struct stat s {}, d {};
    if (::fstat(de, &s) != 0 || ::fstat(vers, &d) != 0 || s.st_size != d.st_size) lever_systeme(EIO, cible);
}

// Gives `avant` the file `base` as a second name (a name first given to a temporary link, then
// moved in one rename over an existing `avant`). False where the file system has no such names
// (FAT) or refuses them: nothing is changed then.
bool lier(const QString& base, const QString& avant) {
    const QByteArray lien = nom_systeme(avant + marque + QStringLiteral("lien%1").arg(::getpid()));
    ::unlink(lien.constData());
    if (::link(nom_systeme(base).constData(), lien.constData()) != 0) return false;
    const bool ok = ::rename(lien.constData(), nom_systeme(avant).constData()) == 0;
    // When `avant` already was a name of `base`, the rename keeps both names.
    ::unlink(lien.constData());
    return ok;
}

void compacter(sqlite3* source, const QString& temporaire) {
    sqlite::executer(source, QStringLiteral("PRAGMA synchronous = OFF"));
    // A small page cache: the rebuilt pages go to the file as they are made instead of being
    // held and sorted out at the end (100,000 pupils: about a quarter faster, the file the same).
    sqlite::executer(source, QStringLiteral("PRAGMA cache_size = 100"));
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(source, "VACUUM INTO ?", -1, &s, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray nom = temporaire.toUtf8();
        sqlite3_bind_text(s, 1, nom.constData(), int(nom.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(s);
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED || (rc & 0xff) == SQLITE_CORRUPT ||
            (rc & 0xff) == SQLITE_NOTADB)
            sqlite::lever(source, rc);
        lever_ecriture(source, rc, temporaire);
    }
}

}  // namespace

Ecoulement::Ecoulement(int fd) : fil_([this, fd] {
    std::unique_lock<std::mutex> verrou(m_);
    while (!signal_.wait_for(verrou, std::chrono::milliseconds(20), [this] { return fin_; }))
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}) {}

Ecoulement::~Ecoulement() {
    {
        std::lock_guard<std::mutex> verrou(m_);
        fin_ = true;
    }
    signal_.notify_one();
    fil_.join();
}

bool meme_fichier(const QString& a, const QString& b) {
    struct stat sa {}, sb {};
    if (::stat(nom_systeme(a).constData(), &sa) != 0 || ::stat(nom_systeme(b).constData(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void verifier_dossier_inscriptible(const QString& dossier) {
    const QByteArray nom = nom_systeme(dossier);
    struct stat s {};
    if (::stat(nom.constData(), &s) != 0 || !S_ISDIR(s.st_mode)) lever_systeme(ENOENT, dossier);
    if (::access(nom.constData(), W_OK) != 0) lever_systeme(errno, dossier);
}

void nettoyer(const QString& dossier) {
    const QDir d(dossier);
    const QStringList restes = d.entryList({QLatin1Char('*') + marque + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString& nom : restes) {
        const QString chemin = d.filePath(nom);
        if (nom.endsWith(QLatin1String("-journal"))) {
            if (!QFileInfo::exists(chemin.chopped(8))) QFile::remove(chemin);
            continue;
        }
        // A copy in progress holds its file locked until it is renamed.
        const int fd = ::open(nom_systeme(chemin).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) QFile::remove(chemin);
        ::close(fd);
    }
}

// Refuses a copy of `source` under `cible` that would replace the source itself.
void verifier_cible(const QString& source, const QString& cible) {
    if (cible.isEmpty()) lever(erreurs::CheminInvalide);
    if (meme_fichier(source, cible))
        throw Erreur(FichierExistant, QStringLiteral("%1 est la base de données à copier elle-même : elle ne peut pas "
                                                     "être remplacée par sa propre copie. Rien n'a été modifié.")
                                          .arg(cite(cible)));
}

void ecrire(const QString& source, const QString& cible, Mode mode, bool remplacer) {
    verifier_source(source);
    verifier_cible(source, cible);
    if (!remplacer && QFileInfo::exists(cible)) lever(erreurs::BaseExistante, QLatin1Char(' ') + cite(cible));
    verifier_fichier_inscriptible(cible);
    const QString dossier = preparer_dossier(cible);

    Temporaire temporaire(cible);
    {
        Connexion src(source);
        verifier_entiere(src.p, source);
        const Ecoulement ecoulement(temporaire.fd());
        if (mode == Mode::Copie)
            copier_pages(src.p, temporaire.nom());
        else
            compacter(src.p, temporaire.nom());
    }
    QFile::remove(temporaire.nom() + QStringLiteral("-journal"));
    temporaire.sceller(true, droits_de(source));
    solder_journal(cible);
    temporaire.poser(remplacer);
    synchroniser_dossier(dossier);
}

void compacter_en_place(const QString& cible, const QString& copie, const QString& avant) {
    verifier_source(cible);
    verifier_cible(cible, copie);
    verifier_fichier_inscriptible(copie);
    const QString dossier = preparer_dossier(cible);
    if (QFileInfo(copie).absolutePath() != dossier) preparer_dossier(copie);
    const std::optional<mode_t> droits = droits_de(cible);
    Temporaire temporaire(cible);
    {
        Connexion src(cible);
        verifier_entiere(src.p, cible);
        const Ecoulement ecoulement(temporaire.fd());
        compacter(src.p, temporaire.nom());
    }
    QFile::remove(temporaire.nom() + QStringLiteral("-journal"));
    // The compacted file is forced to disk while its copy is made, which is left to the system's
    // cache: nothing relies on the copy being on the disk.
    int forcage = 0;
    std::thread disque([&] { forcage = ::fsync(temporaire.fd()) == 0 ? 0 : errno; });
    try {
        Temporaire double_(copie);
        copier_octets(temporaire.nom(), double_.fd(), copie);
        double_.sceller(false, droits);
        solder_journal(copie);
        // The copy replaced is deleted first: a file put in the place of another by a rename is
        // forced to disk there by the file system, which the copy does not need.
        if (::unlink(nom_systeme(copie).constData()) != 0 && errno != ENOENT) lever_systeme(errno, copie);
        double_.poser(true);
    } catch (...) {
        disque.join();
        throw;
    }
    disque.join();
    if (forcage != 0) lever_systeme(forcage, cible);
    temporaire.sceller(false, droits);
    solder_journal(cible);
    // The file about to be replaced is already on disk, whole: a second name keeps it without
    // copying it, once the compacted file has taken its first name.
    const bool lie = lier(cible, avant);
    if (!lie) ecrire(cible, avant, Mode::Copie, true);
    try {
        temporaire.poser(true);
    } catch (...) {
        // `avant` would otherwise be the database itself and change with it.
        if (lie && meme_fichier(cible, avant)) {
            ::unlink(nom_systeme(avant).constData());
            try {
                ecrire(cible, avant, Mode::Copie, true);
            } catch (const std::exception&) {
            }
        }
        throw;
    }
    synchroniser_dossier(dossier);
    if (QFileInfo(avant).absolutePath() != dossier) synchroniser_dossier(QFileInfo(avant).absolutePath());
}

Verrou::Verrou(const QString& chemin) {
    verifier_source(chemin);
    p_ = connecter(chemin);
    const int rc = sqlite3_exec(p_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) lever_et_fermer(p_, rc, chemin);
}

Verrou::~Verrou() {
    sqlite3_exec(p_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(p_);
}

void verifier_fichier_inscriptible(const QString& chemin) {
    const QByteArray nom = nom_systeme(chemin);
    struct stat s {};
    if (::stat(nom.constData(), &s) != 0) return;  // a missing file is each operation's own refusal
    if (::access(nom.constData(), W_OK) != 0 || (s.st_mode & 0222) == 0)
        throw Erreur(PermissionRefusee, QStringLiteral("Permission refusée : %1 est en lecture seule (ou appartient à un "
                                                       "autre utilisateur) : il n'est ni remplacé, ni renommé, ni "
                                                       "supprimé. Rien n'a été modifié.")
                                            .arg(cite(chemin)));
}

void ajouter_entier(const QString& chemin, const std::function<void(int)>& verifier,
                    const std::function<void(const Ecriture&)>& produire) {
    const QByteArray nom = nom_systeme(chemin);
    const QString dossier = preparer_dossier(chemin);
    for (;;) {
        // The file as it is now, locked; a file replaced by another workstation while this one
        // waited for the lock is taken again under its name.
        const int ancien = ::open(nom.constData(), O_RDONLY | O_CLOEXEC);
        if (ancien < 0 && errno != ENOENT) lever_systeme(errno, chemin);
        struct Fermer {
            int fd;
            ~Fermer() {
                if (fd >= 0) ::close(fd);
            }
        } fermer{ancien};
        struct stat avant {};
        if (ancien >= 0) {
            // A share whose file system keeps no locks is written without one.
            while (::flock(ancien, LOCK_EX) != 0) {
                if (errno == EINTR) continue;
                if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL) break;
                lever_systeme(errno, chemin);
            }
            struct stat maintenant {};
            if (::fstat(ancien, &avant) != 0) lever_systeme(errno, chemin);
            if (::stat(nom.constData(), &maintenant) != 0 || maintenant.st_ino != avant.st_ino ||
                maintenant.st_dev != avant.st_dev)
                continue;
            if (!S_ISREG(avant.st_mode)) lever_systeme(EISDIR, chemin);
            verifier_fichier_inscriptible(chemin);
            if (verifier) verifier(ancien);
            if (::lseek(ancien, 0, SEEK_SET) != 0) lever_systeme(errno, chemin);
        }

        Temporaire temporaire(chemin);
        const int fd = temporaire.fd();
        if (ancien >= 0) {
            copier_descripteur(ancien, chemin, fd, chemin);
            struct stat copie {};
            if (::fstat(fd, &copie) != 0 || copie.st_size != avant.st_size) lever_systeme(EIO, chemin);
        }
        produire([&](const QByteArray& octets) { ecrire_tout(fd, octets.constData(), octets.size(), chemin); });
        mode_t droits = 0;
        if (ancien >= 0) {
            droits = avant.st_mode & 07777;
        } else {
            const mode_t masque = ::umask(0);
            ::umask(masque);
            droits = 0666 & ~masque;
        }
        temporaire.sceller(true, droits);
        if (ancien >= 0) {
            temporaire.poser(true);
        } else {
            // A file created meanwhile by another workstation: its records are kept, this
            // export starts again after them.
            try {
                temporaire.poser(false);
            } catch (const Erreur&) {
                if (!QFileInfo::exists(chemin)) throw;
                continue;
            }
        }
        synchroniser_dossier(dossier);
        return;
    }
}

void supprimer(const QString& chemin) {
    if (::unlink(nom_systeme(chemin).constData()) != 0) lever_systeme(errno, chemin);
    QFile::remove(chemin + QStringLiteral("-journal"));
}

void definir_sonde(std::function<void(const QString&)> s) { sonde = std::move(s); }

void remplacer_entier(const QString& chemin, const QByteArray& octets) {
    struct stat s {};
    const bool existe = ::lstat(nom_systeme(chemin).constData(), &s) == 0;
    if (existe && !S_ISLNK(s.st_mode)) {
        if (!S_ISREG(s.st_mode)) lever_systeme(EISDIR, chemin);
        verifier_fichier_inscriptible(chemin);
    }
    const QString dossier = preparer_dossier(chemin);
    std::optional<mode_t> droits;
    if (existe && S_ISREG(s.st_mode)) {
        droits = s.st_mode & 07777;
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        droits = 0666 & ~masque;
    }
    Temporaire temporaire(chemin);
    ecrire_tout(temporaire.fd(), octets.constData(), octets.size(), chemin);
    temporaire.sceller(true, droits);
    temporaire.poser(true);
    synchroniser_dossier(dossier);
}

}  // namespace db::copie_sure

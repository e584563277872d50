#pragma once
// Copies of whole database files that never leave a damaged file behind: every copy is
// written under a temporary name beside its target, forced to disk, then given the target's
// name in one rename. A crash, a full disk or a refusal at any moment leaves the target as it
// was (or complete), and the source untouched. Temporary files of an interrupted copy are
// removed by the next copy into the same folder.
#include "platform/erreur.h"
#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QFileDevice;
struct sqlite3;

namespace db::copie_sure {

enum class Mode {
    Copie,       // page for page (SQLite's backup API): a consistent copy even of a file in use
    Compactage,  // rebuilt without its free space (VACUUM INTO)
};

// While a large file is written, the system is asked every 20 ms to start writing to the disk
// what is already there, so that forcing the whole file to disk at the end has little left to
// wait for (100,000 pupils: that wait halved). Nothing is taken as written meanwhile: the file
// still takes its name only once it has been forced to disk.
class Ecoulement {
public:
    explicit Ecoulement(int fd);
    ~Ecoulement();
    Ecoulement(const Ecoulement&) = delete;
    Ecoulement& operator=(const Ecoulement&) = delete;

private:
    std::mutex m_;
    std::condition_variable signal_;
    bool fin_ = false;
    std::thread fil_;
};

// Writes a copy of the database `source` under `cible`. An existing `cible` is replaced only
// when `remplacer` is true (3204 otherwise). Refuses a source that is missing (3024), is not a
// database (3343) or is truncated (3049), and a target that is the source itself (58).
void ecrire(const QString& source, const QString& cible, Mode mode, bool remplacer);

// Compacts the database `cible` in place: its compacted content is written beside it, forced to
// disk and given its name in one rename, a copy of it left under `copie` (replaced; it takes its
// name whole but is not forced to disk), and the file it replaces kept, unchanged, under the name
// `avant` (replaced). Called with the write lock of `cible` held (Verrou): the replaced file is
// kept as is, by a second name where the file system allows it, by a page copy otherwise; on
// failure `cible` is unchanged and `avant`, when written, is a separate copy of it.
void compacter_en_place(const QString& cible, const QString& copie, const QString& avant);

// Holds the write lock of a database file from construction to destruction, so that no other
// connection (another workstation, another window) commits into it while it is copied and
// then replaced: a write that comes meanwhile waits, then finds the file replaced and is
// refused instead of being lost. 3218 when the file stays locked by another writer.
class Verrou {
public:
    explicit Verrou(const QString& chemin);
    ~Verrou();
    Verrou(const Verrou&) = delete;
    Verrou& operator=(const Verrou&) = delete;

private:
    sqlite3* p_ = nullptr;
};

// Deletes a database file and its rollback journal, so that a journal left by a crash is
// never applied to another file that later takes the name.
void supprimer(const QString& chemin);

// Do both paths name one existing file (the same file reached by two names included)?
bool meme_fichier(const QString& a, const QString& b);

// Refuses, before anything is written, a folder where no file can be created (a read-only
// medium or folder, a missing folder), naming it.
void verifier_dossier_inscriptible(const QString& dossier);

// Removes what interrupted copies left in a folder (their temporary files); a temporary file
// that a copy still writes (in this or another process) is left alone.
void nettoyer(const QString& dossier);

// The error of a failed file-system call (errno `err`) on `chemin`, in French, naming the file:
// full disk 61, read-only 70, name too long 52, already exists 58, missing path 76, other 75.
// Every failure to write a file is told through this one table.
Erreur erreur_systeme(int err, const QString& chemin);
[[noreturn]] void lever_systeme(int err, const QString& chemin);
// The same error for a file written through Qt (a QSaveFile) that failed: its reason read from
// the device.
Erreur erreur_ecriture(const QFileDevice& fichier, const QString& chemin);

// Replaces the small file `chemin` by `octets`: written beside it under a temporary name, forced
// to disk and given the name in one rename, so that a kill or a failure leaves the old file whole.
// A symbolic link under that name is itself replaced by the new file: what it leads to (a file
// elsewhere, a pipe, a device) is never written. A folder, pipe or device under the name itself,
// or a read-only file, is refused with nothing written.
void remplacer_entier(const QString& chemin, const QByteArray& octets);

// A text file that only grows (a file handed to another system, extended at each export).
// `produire` writes what is appended through `ecrire`, in pieces; the result takes the file's
// name in one rename, once complete on disk, after a copy of what the file held: a kill, a full
// disk or a refusal at any moment leaves the file as it was, never with part of what was being
// appended. The existing file stays locked meanwhile, so that two workstations appending at
// once both find their records. `verifier` sees the existing file (descriptor at its start)
// under that lock before anything is written, and may throw to refuse it.
using Ecriture = std::function<void(const QByteArray&)>;
void ajouter_entier(const QString& chemin, const std::function<void(int fichier)>& verifier,
                    const std::function<void(const Ecriture& ecrire)>& produire);

// Refuses (70, naming it) a file that the user may not write: the file is then not replaced,
// renamed or deleted, even where its folder would let a rename or a removal through. A file
// that carries no write permission for anyone counts as read-only also for the administrator.
void verifier_fichier_inscriptible(const QString& chemin);

// Tests only: called with the temporary file once it is written, before it is forced to disk
// and renamed; it may throw to stand for a write failure at that moment.
void definir_sonde(std::function<void(const QString& temporaire)> sonde);

}  // namespace db::copie_sure

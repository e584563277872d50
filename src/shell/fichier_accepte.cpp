#include "shell/fichier_accepte.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/module1.h"
#include "shell/ouverture.h"
#include "platform/db/base_donnees.h"
#include "platform/db/copie_sure.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/feuilles.h"
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <atomic>
#include <mutex>
#include <sys/stat.h>

namespace shell::fichier_accepte {

namespace {

// The file accepted: its path, its code, and the file itself (device and inode), so that a file
// put under its name since is told from it. Read by every opening, on any thread.
struct Acceptee {
    QString chemin;
    QString code;
    dev_t appareil = 0;
    ino_t noeud = 0;
};
std::mutex verrou;
Acceptee acceptee;
std::atomic<bool> reouverture_demandee{false};
// The code of a replacing file is read through an opening of its own, which is not checked.
thread_local bool lecture_du_code = false;

bool identite(const QString& chemin, dev_t& appareil, ino_t& noeud) {
    struct stat s {};
    if (::stat(QFile::encodeName(chemin).constData(), &s) != 0) return false;
    appareil = s.st_dev;
    noeud = s.st_ino;
    return true;
}

QString code_stocke(const QString& chemin) {
    lecture_du_code = true;
    struct Fin {
        ~Fin() { lecture_du_code = false; }
    } fin;
    auto base = db::BaseDonnees::ouvrir(chemin);
    const db::ResultatRequete r = base->requete(QStringLiteral("SELECT passe FROM passe"));
    base->Close();
    return r.lignes.isEmpty() ? QString() : r.lignes[0][0].toString();
}

// The database replaced is closed as "&Fermer la base de données en cours" closes it (its
// windows first save what was typed), then opened again: its access code is asked if it has one.
void rouvrir(const QString& chemin) {
    // Not over a box still shown (the refusal that told of the replacement).
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, qApp, [chemin] { rouvrir(chemin); });
        return;
    }
    reouverture_demandee = false;
    if (ouverture::base_ouverte() != chemin || !ouverture::fermer_base_ouverte()) return;
    forms::Feuilles::charger(noms::choix_base).controle<QLabel>(QStringLiteral("Label4"))->setText(chemin);
    Module1::ouvrir_base_donnees();
}

void controler(const QString& chemin) {
    if (lecture_du_code) return;
    Acceptee a;
    {
        const std::lock_guard<std::mutex> g(verrou);
        a = acceptee;
    }
    if (a.chemin.isEmpty()) return;
    if (chemin != a.chemin && !db::copie_sure::meme_fichier(chemin, a.chemin)) return;
    dev_t appareil = 0;
    ino_t noeud = 0;
    // A file gone is the opening's own refusal (3024).
    if (!identite(a.chemin, appareil, noeud) || (appareil == a.appareil && noeud == a.noeud)) return;
    // Another file under the name (a compaction, here or on another workstation, makes one
    // too): it is the same database as far as access goes when it carries the same code.
    bool lu = true;
    QString code;
    try {
        code = code_stocke(chemin);
    } catch (const std::exception&) {
        lu = false;
    }
    if (lu && code == a.code) {
        const std::lock_guard<std::mutex> g(verrou);
        if (acceptee.chemin == a.chemin) {
            acceptee.appareil = appareil;
            acceptee.noeud = noeud;
        }
        return;
    }
    if (!reouverture_demandee.exchange(true))
        QMetaObject::invokeMethod(qApp, [c = a.chemin] { rouvrir(c); }, Qt::QueuedConnection);
    throw Erreur(db::erreurs::FichierRemplace,
                 QStringLiteral("Le fichier de la base de données « %1 » a été remplacé depuis son ouverture (par "
                                "un autre poste de travail ?) par un fichier qui ne porte pas le même code d'accès : "
                                "il n'a pas été lu. La base de données va être fermée, puis rouverte après son code "
                                "d'accès.")
                     .arg(QDir::toNativeSeparators(a.chemin)));
}

}  // namespace

void noter(const QString& chemin, const QString& code) {
    static const bool installe = [] {
        db::BaseDonnees::definirControleOuverture(&controler);
        return true;
    }();
    (void)installe;
    Acceptee a{chemin, code};
    identite(chemin, a.appareil, a.noeud);
    const std::lock_guard<std::mutex> g(verrou);
    acceptee = a;
}

void oublier() {
    const std::lock_guard<std::mutex> g(verrou);
    acceptee = Acceptee{};
}

}  // namespace shell::fichier_accepte

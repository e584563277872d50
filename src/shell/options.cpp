// "options.ini": five lines ended by CR LF, the four check boxes as integers and the last
// database path between double quotes (a quote inside doubled). Fields end at a comma or a
// line end, so a quoted path may hold commas.
#include "shell/options.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/module1.h"
#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/pointeur.h"
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include "platform/db/copie_sure.h"
#include <optional>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell::options {

namespace {
constexpr int FinDeFichier = 62;         // fewer values than expected
constexpr int ValeurProprieteInvalide = 380;

const char* const nom_fichier = "options.ini";
const char* const cases[4] = {"Check1", "Check2", "Check3", "Check4"};

QString chemin_fichier() { return Module1::chemin_programme + QString::fromUtf8(nom_fichier); }

QCheckBox* case_options(const QString& nom) {
    return forms::Feuilles::charger(noms::options).controle<QCheckBox>(nom);
}

// Reads the comma- and line-separated fields of the file in turn.
class LecteurChamps {
public:
    explicit LecteurChamps(QString texte) : t_(std::move(texte)) {}

    std::optional<QString> suivant() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t')) ++i_;
        if (i_ >= t_.size()) return std::nullopt;
        QString champ;
        cite_ = t_[i_] == '"';
        if (cite_) {
            // A doubled quote inside stands for one quote of the value.
            ++i_;
            while (i_ < t_.size()) {
                if (t_[i_] != '"') {
                    champ += t_[i_++];
                } else if (i_ + 1 < t_.size() && t_[i_ + 1] == '"') {
                    champ += '"';
                    i_ += 2;
                } else {
                    ++i_;
                    break;
                }
            }
            while (i_ < t_.size() && t_[i_] != ',' && t_[i_] != '\r' && t_[i_] != '\n') ++i_;
        } else {
            const qsizetype debut = i_;
            while (i_ < t_.size() && t_[i_] != ',' && t_[i_] != '\r' && t_[i_] != '\n') ++i_;
            champ = t_.mid(debut, i_ - debut).trimmed();
        }
        passerSeparateur();
        return champ;
    }
    // Was the last field read between double quotes?
    bool cite() const { return cite_; }

private:
    void passerSeparateur() {
        if (i_ >= t_.size()) return;
        if (t_[i_] == ',') { ++i_; return; }
        if (t_[i_] == '\r') ++i_;
        if (i_ < t_.size() && t_[i_] == '\n') ++i_;
    }
    QString t_;
    qsizetype i_ = 0;
    bool cite_ = false;
};

QString lire_champ(const std::optional<QString>& champ) {
    if (!champ) throw Erreur(FinDeFichier, QStringLiteral("L'entrée dépasse la fin de fichier."));
    return *champ;
}

// The last database the options know: the one the file names, even when a value before it is
// refused, until another is written or the working database is closed. Accepting the options
// with no database open and none selected in the chooser writes it back as it was read.
QString derniere_base;

// The file's bytes. Only an ordinary file is opened: a pipe or a device under that name (or
// where a link under that name leads) would hold the start-up waiting, or be disturbed by
// being opened. Checked again on the opened file, in case the name changed meanwhile.
QByteArray lire_fichier(const QString& chemin) {
    const QByteArray nom = QFile::encodeName(chemin);
    const auto pas_ordinaire = [&chemin] {
        throw Erreur(erreurs_execution::AccesFichier,
                     QStringLiteral("Le fichier d'options « %1 » n'est pas un fichier ordinaire (dossier, tube "
                                    "nommé ou périphérique) : il n'est pas lu. Les options de démarrage gardent "
                                    "leurs valeurs.")
                         .arg(QDir::toNativeSeparators(chemin)));
    };
    struct stat s {};
    if (::stat(nom.constData(), &s) != 0) {
        if (errno == ENOENT) pas_ordinaire();  // a link that leads nowhere
        db::copie_sure::lever_systeme(errno, chemin);
    }
    if (!S_ISREG(s.st_mode)) pas_ordinaire();
    const int fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) db::lever(erreurs_execution::PermissionRefusee);
    QByteArray contenu;
    struct Fermer {
        int fd;
        ~Fermer() { ::close(fd); }
    } fermer{fd};
    if (::fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) pas_ordinaire();
    char tampon[4096];
    for (;;) {
        const ssize_t n = ::read(fd, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) db::copie_sure::lever_systeme(errno, chemin);
        if (n == 0) break;
        contenu.append(tampon, n);
    }
    return contenu;
}

int en_entier(const QString& texte) {
    bool ok = false;
    const int valeur = texte.toInt(&ok);
    if (!ok) db::lever(erreurs_execution::TypeIncompatible);
    return valeur;
}
}  // namespace

int valeur_case(const QString& nom) {
    switch (case_options(nom)->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void definir_case(const QString& nom, int valeur) {
    if (valeur < 0 || valeur > 2)
        throw Erreur(ValeurProprieteInvalide, QStringLiteral("Valeur de propriété non valide."));
    QCheckBox* c = case_options(nom);
    if (valeur == 2) c->setTristate(true);
    c->setCheckState(valeur == 1 ? Qt::Checked : valeur == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void oublier_derniere_base() { derniere_base.clear(); }

QString base_choisie() {
    forms::Feuille* choix = forms::Feuilles::siChargee(noms::choix_base);
    return choix ? choix->controle<QLabel>(QStringLiteral("Label4"))->text() : QString();
}

}  // namespace shell::options

namespace Module1 {

void lire_options() {
    using namespace shell::options;
    // The file is read twice at start: a file refused once for a reason is not told again
    // while it stays the same.
    static std::optional<QByteArray> dejaRefuse;
    std::optional<QByteArray> contenu;
    try {
        const QFileInfo info(chemin_fichier());
        if (!info.exists() && !info.isSymLink()) {
            dejaRefuse.reset();
            ecrire_options();
            return;
        }
        // A file that cannot be read counts as one content, so that its refusal is told once.
        contenu = QByteArray("\0illisible", 10);
        contenu = lire_fichier(chemin_fichier());
        LecteurChamps lecteur(QString::fromUtf8(*contenu));
        std::optional<QString> champs[5];
        for (auto& champ : champs) champ = lecteur.suivant();
        // A path as this program writes it (quoted) is kept for the next writing, even when a
        // value before it is refused below: accepting the options then does not lose it.
        if (champs[4] && lecteur.cite()) derniere_base = *champs[4];
        // Each value is applied in turn: a bad value leaves the later ones as they were.
        for (int i = 0; i < 4; ++i) definir_case(QString::fromUtf8(cases[i]), en_entier(lire_champ(champs[i])));
        const QString derniere = lire_champ(champs[4]);
        derniere_base = derniere;
        // The last database becomes the chooser's selection, not the working database: that
        // takes its access code.
        forms::Feuilles::charger(noms::choix_base)
            .controle<QLabel>(QStringLiteral("Label4"))->setText(derniere);
        dejaRefuse.reset();
    } catch (const Erreur& e) {
        if (contenu && contenu == dejaRefuse) {
            forms::definir_pointeur_souris(forms::PointeurDefaut);
            return;
        }
        dejaRefuse = contenu;
        // The file is named, so that the user knows which one to mend or remove.
        const QString nom = QDir::toNativeSeparators(chemin_fichier());
        const QString texte = e.texte.contains(nom) ? e.texte
                                                    : e.texte + QStringLiteral("\n\nFichier d'options : « %1 ».").arg(nom);
        forms::boite_erreur(e.numero, texte, forms::Prefixe::Donnees);
    } catch (const std::exception&) {
        forms::signaler_echec(forms::Prefixe::Donnees);
    }
}

void ecrire_options() {
    using namespace shell::options;
    forms::pieger([] {
        QByteArray contenu;
        for (const char* nom : cases)
            contenu += QByteArray::number(valeur_case(QString::fromUtf8(nom))) + "\r\n";
        // The working database; with none open, the one the chooser shows selected; with none
        // there either, the last one the options know. A quote inside the path is doubled, so
        // that the path reads back whole.
        QString derniere = chemin_base.isEmpty() ? base_choisie() : chemin_base;
        if (derniere.isEmpty()) derniere = derniere_base;
        contenu += '"' + QString(derniere).replace(QLatin1Char('"'), QStringLiteral("\"\"")).toUtf8() + "\"\r\n";
        // Written beside the old file and renamed over it once on disk, so that a failure or a
        // full disk leaves the previous options whole. A link named "options.ini" is replaced
        // by the file itself: what it leads to is never written.
        try {
            db::copie_sure::remplacer_entier(chemin_fichier(), contenu);
        } catch (const Erreur& e) {
            throw Erreur(e.numero, e.texte + QStringLiteral(" Les options précédentes sont conservées."));
        }
        derniere_base = derniere;
    }, forms::Prefixe::Donnees);
}

}  // namespace Module1

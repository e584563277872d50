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
#include <QSaveFile>
#include <optional>
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
        if (t_[i_] == '"') {
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

private:
    void passerSeparateur() {
        if (i_ >= t_.size()) return;
        if (t_[i_] == ',') { ++i_; return; }
        if (t_[i_] == '\r') ++i_;
        if (i_ < t_.size() && t_[i_] == '\n') ++i_;
    }
    QString t_;
    qsizetype i_ = 0;
};

QString lire_champ(LecteurChamps& lecteur) {
    std::optional<QString> champ = lecteur.suivant();
    if (!champ) throw Erreur(FinDeFichier, QStringLiteral("L'entrée dépasse la fin de fichier."));
    return *champ;
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
        // A named pipe, a device or a folder under that name would hold the start-up waiting.
        if (!info.isFile()) {
            contenu = QByteArray("\0pas un fichier", 16);
            throw Erreur(erreurs_execution::AccesFichier,
                         QStringLiteral("Le fichier d'options « %1 » n'est pas un fichier ordinaire (dossier, tube "
                                        "nommé ou périphérique) : il n'est pas lu. Les options de démarrage gardent "
                                        "leurs valeurs.")
                             .arg(QDir::toNativeSeparators(chemin_fichier())));
        }
        {
            QFile f(chemin_fichier());
            if (!f.open(QIODevice::ReadOnly))
                db::lever(erreurs_execution::PermissionRefusee);
            contenu = f.readAll();
        }  // closed here, whatever the reading below finds
        LecteurChamps lecteur(QString::fromUtf8(*contenu));
        // Each value is applied as soon as it is read: a bad value leaves the later ones as they were.
        for (const char* nom : cases) definir_case(QString::fromUtf8(nom), en_entier(lire_champ(lecteur)));
        // The last database becomes the chooser's selection, not the working database: that
        // takes its access code.
        const QString derniere = lire_champ(lecteur);
        forms::Feuilles::charger(noms::choix_base)
            .controle<QLabel>(QStringLiteral("Label4"))->setText(derniere);
        dejaRefuse.reset();
    } catch (const std::exception&) {
        if (contenu && contenu == dejaRefuse) {
            forms::definir_pointeur_souris(forms::PointeurDefaut);
            return;
        }
        dejaRefuse = contenu;
        forms::signaler_echec(forms::Prefixe::Donnees);
    }
}

void ecrire_options() {
    using namespace shell::options;
    forms::pieger([] {
        QByteArray contenu;
        for (const char* nom : cases)
            contenu += QByteArray::number(valeur_case(QString::fromUtf8(nom))) + "\r\n";
        // The working database; with none open, the one the chooser shows, so that the last
        // database is kept until another is opened or it is closed. A quote inside the path is
        // doubled, so that the path reads back whole.
        const QString derniere = chemin_base.isEmpty() ? base_choisie() : chemin_base;
        contenu += '"' + QString(derniere).replace(QLatin1Char('"'), QStringLiteral("\"\"")).toUtf8() + "\"\r\n";
        // Written beside and then renamed over the old file, so that a failure leaves the
        // previous options intact instead of no file at all. The buffered bytes are pushed
        // to the disk and checked before the rename: a full disk must not end as an empty file.
        QSaveFile f(chemin_fichier());
        const bool ecrit = f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size() && f.flush() &&
                           ::fsync(f.handle()) == 0 && f.error() == QFileDevice::NoError;
        if (!ecrit || !f.commit()) {
            f.cancelWriting();
            db::lever(erreurs_execution::AccesFichier,
                      QStringLiteral(" Le fichier « %1 » n'a pas pu être écrit (disque plein ou protégé en "
                                     "écriture) : les options précédentes sont conservées.")
                          .arg(QDir::toNativeSeparators(chemin_fichier())));
        }
    }, forms::Prefixe::Donnees);
}

}  // namespace Module1

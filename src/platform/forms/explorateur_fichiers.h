#pragma once
// The drive, folder and file lists that choose a file or a folder, with their titles, kept in
// step: a drive chosen opens its folder, a folder opened lists its files. The lists keep the
// names `Drive1`, `Dir1` and `File1`.
#include "platform/forms/erreurs_boites.h"
#include <QString>
#include <QWidget>
#include <functional>

namespace forms {

class ListeLecteurs;
class ListeDossiers;
class ListeFichiers;

class ExplorateurFichiers : public QWidget {
    Q_OBJECT
public:
    // A list: the name and text of the title above it, and its tooltip.
    struct Liste {
        const char* titre;
        QString texte;
        QString infobulle = {};
    };
    // `dossierDuLecteur`: the folder a chosen drive opens on (its root when none is given).
    // A list that cannot follow (a drive or folder gone) is reported with `prefixe`.
    ExplorateurFichiers(QWidget* parent, const Liste& lecteurs, const Liste& dossiers, const Liste& fichiers,
                        Prefixe prefixe, std::function<QString(const QString&)> dossierDuLecteur = {});

    ListeLecteurs* lecteurs() const { return lecteurs_; }
    ListeDossiers* dossiers() const { return dossiers_; }
    ListeFichiers* fichiers() const { return fichiers_; }

    // Places `apercu` on the right of the file list, its top level with the list's.
    void ajouterApercu(QWidget* apercu);

    // Shows `dossier`, its drive and its files, without telling of the change.
    void ouvrirSur(const QString& dossier);

signals:
    // Another drive or folder is shown, its files listed.
    void Change();

private:
    void lecteurChange();
    void dossierChange();

    ListeLecteurs* lecteurs_;
    ListeDossiers* dossiers_;
    ListeFichiers* fichiers_;
    std::function<QString(const QString&)> dossierDuLecteur_;
};

}  // namespace forms

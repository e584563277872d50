#pragma once
// The database chooser: drives, folders and ".mdb" files, the selected path in `Label4`, and
// the hidden fields that carry the stored and the typed access code.
#include "platform/forms/feuille.h"

class QLabel;
class QLineEdit;

namespace forms { class ControleDonnees; }
namespace forms { class ExplorateurFichiers; class ListeLecteurs; class ListeDossiers; class ListeFichiers; }

namespace shell {

class FeuilleChoixBase : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleChoixBase();
    void Form_Load() override;

    // The path of a file of the list: folder, one separator, name.
    static QString joindre(const QString& dossier, const QString& nom);
    // The folder a drive opens on: the program's current folder when it lies on that drive,
    // else the drive's root.
    static QString dossierDuLecteur(const QString& lecteur);

private:
    QString nomClique() const;
    void fichierClique();
    void fichierDoubleClique();
    void ouvrir();
    void annuler();

    forms::ExplorateurFichiers* explorateur_;
    forms::ListeLecteurs* drive1_;
    forms::ListeDossiers* dir1_;
    forms::ListeFichiers* file1_;
    QLabel* label4_;
    forms::ControleDonnees* donnees_;
};

}  // namespace shell

#pragma once
// "Choix du chemin d'accès": the folder of a backup or a restore, picked with the drive and
// folder lists (the file list only shows what the folder holds); "&Accepter" then writes the
// backup there, or brings its backup back beside the chooser's files.
#include "platform/forms/feuille.h"

class QLabel;

namespace forms { class ExplorateurFichiers; class ListeLecteurs; class ListeDossiers; class ListeFichiers; }

namespace shell {

class FeuilleChemin : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleChemin();
    void Form_Load() override;

    static QString actionSauvegarde();    // "Sauvegarde de la base sélectionnée"
    static QString actionRestauration();  // "Restauration d'une base sauvegardée"

    // Writes the action into `Label1` (and its reminder `Label3`) and shows the window; a
    // backup keeps `source`, the database it will copy.
    void demander(const QString& action, const QString& source);

private:
    void definirAction(const QString& action);
    void fichierClique();
    void nouveauDossier();
    void accepter();
    void sauvegarde(const QString& dossier);
    void restauration(const QString& dossier);
    void fermer();

    forms::ExplorateurFichiers* explorateur_;
    forms::ListeLecteurs* drive1_;
    forms::ListeDossiers* dir1_;
    forms::ListeFichiers* file1_;
    QLabel* label1_;
    QLabel* label3_;
    QString source_;
};

}  // namespace shell

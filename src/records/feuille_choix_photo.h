#pragma once
// The photo chooser `feuille_choix_photo`: drive, folder and file lists with a preview; its
// "&Accepter" gives the chosen path to the pupil window.
#include "platform/forms/feuille.h"

class QLabel;
namespace forms {
class ExplorateurFichiers;
class ListeDossiers;
class ListeFichiers;
}

namespace eleve {

class FeuilleChoixPhoto : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleChoixPhoto();
    void Form_Load() override;

    void File1_Click();
    void Label4_Change();
    void cmdMettreajour_Click();
    void cmdFermer_Click();

    // The path shown in Label4, "" when nothing is chosen.
    QString cheminChoisi() const;

private:
    void definirChemin(const QString& chemin);
    forms::ExplorateurFichiers* explorateur_;
    forms::ListeDossiers* dir1_;
    forms::ListeFichiers* file1_;
    QLabel* label4_;
    QLabel* apercu_;
};

}  // namespace eleve

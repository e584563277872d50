#pragma once
// "Documents": the document templates (a letter or certificate printed for one pupil), one
// record each, and "V&oir", which previews the template on screen with sample values in
// place of the pupil's, family's and school's data.
#include "reports/formules_document.h"
#include "platform/forms/fenetre_donnees.h"

namespace reports {

class FeuilleDocuments : public forms::FenetreDonnees {
    Q_OBJECT
public:
    FeuilleDocuments();

    // The template as it stands on screen, saved or not.
    documents::Gabarit gabarit() const;
    // The name typed in `intitulé`.
    QString intitule() const;

    void Command2_Click();

protected:
    void apresPlacement() override;
};

// The sample values of the preview, by slot (today's date in slot 0).
documents::Valeurs valeurs_apercu();

}  // namespace reports

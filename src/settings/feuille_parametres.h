#pragma once
// The captions and tooltips of the pupil record's ten configurable fields: one record,
// twenty text boxes txtFields(0) to txtFields(19).
#include "platform/forms/fenetre_donnees.h"

class QLineEdit;

namespace reglages {

class FeuilleParametres : public forms::FenetreDonnees {
    Q_OBJECT
public:
    FeuilleParametres();
    // Element k of the text-box array (objectName "txtFields(k)").
    QLineEdit* txtFields(int k) const;
    static QString nomElement(int k);
};

}  // namespace reglages

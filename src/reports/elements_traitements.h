#pragma once
// What each item of the processing window's four lists prints: one table, read by the
// window's load (to fill the lists) and by its "OK" buttons (to print).
#include <QString>
#include <QVector>
#include <optional>

namespace reports {

// The row of twenty hyphens that separates groups of items and prints nothing.
inline const QString Separateur = QStringLiteral("--------------------");

struct ElementTraitement {
    int liste = 0;          // 1 Statistiques, 2 Listes, 3 Etiquettes, 4 Documents
    QString libelle;        // the item's text in its list (Separateur for a separator)
    QString modele;         // template in the program folder
    // When set, asked as a Yes/No question before printing; No takes modele_si_non instead.
    QString modele_si_non;
    // The item's own selection; nullopt: the cycle, level and class filter.
    std::optional<QString> formule;
    QString message;        // shown before printing ("" none)
    int style_message = 0;  // its box style (forms::styles)

    bool separateur() const { return libelle == Separateur; }
};

// Every item, in the order of the lists.
const QVector<ElementTraitement>& elements_traitements();

// The items of one list (1 to 4), in order.
QVector<ElementTraitement> elements_de_liste(int liste);

}  // namespace reports

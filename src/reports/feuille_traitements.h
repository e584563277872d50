#pragma once
// "Exploitation de la base": statistics, lists, labels and record sheets printed to the
// screen, the printer or a rich-text file, under a cycle, level and class filter.
#include "platform/forms/feuille.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace reports {

class FeuilleTraitements : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleTraitements();

    void Form_Load() override;

    void cmdFermer_Click();
    void HScroll1_Change();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void sequence_impression(int liste);
    QComboBox* combo(int liste) const;

    QLineEdit* Text4_ = nullptr;
    QScrollBar* HScroll1_ = nullptr;
    QRadioButton* options_[3] = {};
    QComboBox* combos_[4] = {};
};

// "Demande d'édition interrompue..." followed by the reason, when there is one.
QString message_interruption(const QString& raison);

}  // namespace reports

#pragma once
// The preview window of the report engine, inside the main window: the pages of the last
// report run to the screen, a zoom, previous and next page, and printing.
#include "platform/forms/feuille.h"
#include "platform/report/page.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace report {

class FenetreApercu : public forms::Feuille {
    Q_OBJECT
public:
    static inline const QString Nom = QStringLiteral("aperçu_rapport");
    // The one preview window, loaded when needed.
    static FenetreApercu& instance();

    FenetreApercu();
    void montrer(DocumentRendu doc);
    const DocumentRendu& document() const { return doc_; }
    int pageCourante() const { return page_; }
    void allerA(int page);

private:
    void redessiner();
    void imprimerDocument();
    DocumentRendu doc_;
    int page_ = 0;
    QLabel* image_ = nullptr;
    QLabel* numero_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QPushButton* precedente_ = nullptr;
    QPushButton* suivante_ = nullptr;
};

}  // namespace report

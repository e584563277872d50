#pragma once
// The preview window of the report engine, inside the main window: the pages of the last
// report run to the screen, a zoom, first, previous, next and last page, and printing.
// A long report shows its first page at once and is laid out while the user reads it.
#include "platform/forms/feuille.h"
#include "platform/report/page.h"

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace report {

class MiseEnPage;

class FenetreApercu : public forms::Feuille {
    Q_OBJECT
public:
    static inline const QString Nom = QStringLiteral("aperçu_rapport");
    // The one preview window, loaded when needed.
    static FenetreApercu& instance();

    FenetreApercu();
    ~FenetreApercu() override;
    void montrer(DocumentRendu doc);
    // Shows the first page of `mise` and lays the rest out from the event loop.
    void montrer(std::unique_ptr<MiseEnPage> mise);
    // The whole document: what is still to lay out is laid out first.
    const DocumentRendu& document();
    int pageCourante() const { return page_; }
    bool enMiseEnPage() const { return mise_ != nullptr; }
    void allerA(int page);

private:
    // Lays out for a few hundredths of a second; false once the document is whole.
    bool continuer(int millisecondes);
    void terminer();
    void redessiner();
    void imprimerDocument();
    DocumentRendu doc_;
    std::unique_ptr<MiseEnPage> mise_;
    QVector<std::array<int, 4>> marques_;  // page, band, cell and line that show the page count
    bool versLaFin_ = false;  // the last page was asked for before it was laid out
    int page_ = 0;
    QTimer* minuterie_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* numero_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QPushButton* premiere_ = nullptr;
    QPushButton* precedente_ = nullptr;
    QPushButton* suivante_ = nullptr;
    QPushButton* derniere_ = nullptr;
};

}  // namespace report

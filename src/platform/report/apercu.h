#pragma once
// The preview window of the report engine, inside the main window: the pages of the last
// report run to the screen, a zoom, first, previous, next and last page, and printing.
// A long report is read and laid out while the user reads its first pages.
#include "platform/forms/feuille.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/report/page.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace report {

class MiseEnPage;
class MiseEnPageFond;

class FenetreApercu : public forms::Feuille {
    Q_OBJECT
public:
    static inline const QString& Nom = noms::apercu;
    // The one preview window, loaded when needed.
    static FenetreApercu& instance();

    // Reads the records and returns their layout; run away from the window. May throw Erreur.
    // `arret` turns true when the preview is closed meanwhile.
    using Preparation = std::function<std::unique_ptr<MiseEnPage>(const std::atomic<bool>& arret)>;

    FenetreApercu();
    ~FenetreApercu() override;
    // Its pages show the records of the database they were read from.
    bool montreLaBase() const override { return true; }
    // Shows the report titled `titre` as its pages come: the records are read and laid out on
    // a thread of their own while the window answers; a failure on the way is told and closes
    // the preview.
    void montrer(const QString& titre, Preparation preparer);
    // Shows a document laid out already.
    void montrer(const DocumentRendu& doc);
    // The whole document: what is still to lay out is waited for first.
    const DocumentRendu& document();
    int pageCourante() const { return page_; }
    // Pages laid out so far (all of them once the layout has ended).
    int nombrePages() const { return int(pages_.size()); }
    bool enMiseEnPage() const { return enCours_; }
    void allerA(int page);

private:
    // Takes the pages finished meanwhile.
    void continuer();
    // A report still under way is given up: its reading and layout stop, its pages are dropped.
    void abandonner();
    void terminer();
    void redessiner();
    void imprimerDocument();
    std::unique_ptr<MiseEnPageFond> fond_;
    bool enCours_ = false;
    DocumentRendu entete_;         // title, paper and margins
    QVector<QByteArray> pages_;    // packed: only the page shown is unpacked
    int total_ = -1;               // the page count, once known
    DocumentRendu entier_;         // every page unpacked, made for document() only
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

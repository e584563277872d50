#pragma once
// A report read and laid out on a thread of its own, so that the window that shows it keeps
// answering however long the list: the window takes the pages, packed, as they are finished.
#include "platform/report/page.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

namespace report {

class MiseEnPage;

class MiseEnPageFond {
public:
    // Reads the records and returns the layout to run: called on the thread. May throw Erreur.
    // `arret` turns true when the work is abandoned: a long reading then gives up early.
    using Preparation = std::function<std::unique_ptr<MiseEnPage>(const std::atomic<bool>& arret)>;

    struct Lot {
        QVector<QByteArray> pages;  // packed (page_compacte.h), in order
        bool fini = false;          // every page is in this lot or an earlier one
        int pagesTotales = -1;      // once fini
        int etiquettesRaccourcies = 0;
        bool avecEntete = false;    // `entete` is given (first lot with pages, or fini)
        DocumentRendu entete;       // title, paper and margins; no pages
        int erreur = 0;             // a failure on the way (then fini): its number and text
        QString texteErreur;
    };

    explicit MiseEnPageFond(Preparation preparer);
    // Stops the work at its next page (a reading under way gives up) and waits for the thread.
    ~MiseEnPageFond();
    MiseEnPageFond(const MiseEnPageFond&) = delete;
    MiseEnPageFond& operator=(const MiseEnPageFond&) = delete;

    // What was finished since the last call.
    Lot prendre();
    // Waits until a page is finished, the work is done, or `millisecondes` have passed.
    void attendre_page(int millisecondes);
    void attendre_fin();

private:
    struct Etat;
    static void travailler(Etat& e, const Preparation& preparer);
    std::shared_ptr<Etat> e_;
};

}  // namespace report

#include "platform/report/mise_en_page_fond.h"

#include "platform/erreur.h"
#include "platform/report/mise_en_page.h"
#include "platform/report/page_compacte.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace report {

struct MiseEnPageFond::Etat {
    std::mutex verrou;
    std::condition_variable signal;
    Lot lot;              // what the window has not taken yet
    std::atomic<bool> arreter = false;
    bool termine = false;
    std::thread fil;
};

MiseEnPageFond::MiseEnPageFond(Preparation preparer) : e_(std::make_shared<Etat>()) {
    e_->fil = std::thread([e = e_.get(), preparer = std::move(preparer)] { travailler(*e, preparer); });
}

MiseEnPageFond::~MiseEnPageFond() {
    e_->arreter = true;
    e_->fil.join();
}

MiseEnPageFond::Lot MiseEnPageFond::prendre() {
    std::lock_guard<std::mutex> g(e_->verrou);
    Lot r = std::move(e_->lot);
    e_->lot = Lot{};
    if (r.fini) e_->lot.fini = true;
    return r;
}

void MiseEnPageFond::attendre_page(int millisecondes) {
    std::unique_lock<std::mutex> g(e_->verrou);
    e_->signal.wait_for(g, std::chrono::milliseconds(millisecondes),
                        [&] { return e_->termine || !e_->lot.pages.isEmpty(); });
}

void MiseEnPageFond::attendre_fin() {
    std::unique_lock<std::mutex> g(e_->verrou);
    e_->signal.wait(g, [&] { return e_->termine; });
}

void MiseEnPageFond::travailler(Etat& e, const Preparation& preparer) {
    const auto finir = [&](const std::function<void(Lot&)>& remplir) {
        std::lock_guard<std::mutex> g(e.verrou);
        remplir(e.lot);
        e.lot.fini = true;
        e.termine = true;
        e.signal.notify_all();
    };
    try {
        std::unique_ptr<MiseEnPage> mise = preparer(e.arreter);
        bool entete = false;
        bool encore = true;
        while (encore && !e.arreter) {
            encore = mise->avancer(1);
            QVector<QByteArray> pages;
            for (const Page& p : mise->prendre()) pages.append(compacter(p));
            if (pages.isEmpty() && encore) continue;
            std::lock_guard<std::mutex> g(e.verrou);
            if (!entete) {
                e.lot.avecEntete = entete = true;
                e.lot.entete = mise->document();
                e.lot.entete.pages.clear();
            }
            e.lot.pages += pages;
            e.signal.notify_all();
        }
        finir([&](Lot& l) {
            if (!entete) {
                l.avecEntete = true;
                l.entete = mise->document();
                l.entete.pages.clear();
            }
            l.pagesTotales = mise->pages_totales();
            l.etiquettesRaccourcies = mise->etiquettes_raccourcies();
        });
        // The records of a long list are freed here, away from the window.
    } catch (const Erreur& x) {
        finir([&](Lot& l) {
            l.erreur = x.numero != 0 ? x.numero : -1;
            l.texteErreur = x.texte;
        });
    } catch (const std::exception& x) {
        finir([&](Lot& l) {
            l.erreur = -1;
            l.texteErreur = QString::fromLocal8Bit(x.what());
        });
    }
}

}  // namespace report

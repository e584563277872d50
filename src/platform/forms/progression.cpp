#include "platform/forms/progression.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"

#include <QApplication>
#include <QEventLoop>
#include <QMdiArea>
#include <QProgressBar>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <exception>
#include <memory>
#include <thread>

namespace forms {

namespace {

// The scale of the bar: a total beyond what an int holds is counted in thousandths.
constexpr int Echelle = 1000;

// Work already running away from the windows: a piece of work it starts runs where it stands.
std::atomic<bool> travail_en_cours{false};

// The progress window, modal, shown once the work has lasted half a second; its bar shows that
// the work goes on until the work tells how far it has gone.
class Progression {
public:
    explicit Progression(const QString& texte) {
        QWidget* parent = Feuilles::zone() ? Feuilles::zone()->window() : nullptr;
        fenetre_ = std::make_unique<QProgressDialog>(texte, QString(), 0, 0, parent);
        fenetre_->setObjectName(QStringLiteral("progression"));
        barre_ = new QProgressBar;
        fenetre_->setBar(barre_);
        fenetre_->setWindowTitle(titre_application());
        fenetre_->setWindowModality(Qt::ApplicationModal);
        fenetre_->setMinimumDuration(500);
        fenetre_->setAutoClose(false);
        fenetre_->setAutoReset(false);
        fenetre_->setValue(0);
    }
    // The bar itself is set: the dialog would otherwise let events through at each step.
    void avancer(qint64 fait, qint64 total) {
        if (total <= 0) return;
        if (barre_->maximum() != Echelle) barre_->setRange(0, Echelle);
        barre_->setValue(int(qMin<qint64>(Echelle, fait * Echelle / total)));
    }
    bool visible() const { return fenetre_->isVisible(); }

private:
    std::unique_ptr<QProgressDialog> fenetre_;
    QProgressBar* barre_ = nullptr;
};

}  // namespace

void travailler_a_part(const QString& texte, const std::function<void(const Avancer& avancer)>& travail) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(application) || QThread::currentThread() != application->thread() ||
        travail_en_cours.exchange(true)) {
        travail([](qint64, qint64) {});
        return;
    }
    struct Fin {
        ~Fin() { travail_en_cours = false; }
    } fin;
    Progression progression(texte);
    std::atomic<bool> fini{false};
    std::atomic<qint64> fait{0}, total{0};
    std::exception_ptr erreur;
    std::thread fil([&] {
        try {
            travail([&](qint64 f, qint64 t) {
                fait.store(f, std::memory_order_relaxed);
                total.store(t, std::memory_order_relaxed);
            });
        } catch (...) {
            erreur = std::current_exception();
        }
        fini.store(true, std::memory_order_release);
        // Wakes the windows' thread, which waits for events.
        QMetaObject::invokeMethod(application, [] {}, Qt::QueuedConnection);
    });
    // The windows are painted, timers run, the bar follows the work; the keyboard and the mouse wait.
    QTimer battement;
    battement.start(50);
    QEventLoop boucle;
    while (!fini.load(std::memory_order_acquire)) {
        boucle.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
        progression.avancer(fait.load(std::memory_order_relaxed), total.load(std::memory_order_relaxed));
    }
    fil.join();
    // What was clicked or typed meanwhile goes to the progress window while it is still up,
    // which keeps it from the other windows.
    if (progression.visible()) boucle.processEvents(QEventLoop::AllEvents);
    if (erreur) std::rethrow_exception(erreur);
}

void travailler_a_part(const QString& texte, const std::function<void()>& travail) {
    travailler_a_part(texte, [&travail](const Avancer&) { travail(); });
}

}  // namespace forms

#include "platform/forms/progression.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"

#include <QApplication>
#include <QEventLoop>
#include <QMdiArea>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <exception>
#include <thread>

namespace forms {

namespace {
// The scale of the bar: a total beyond what an int holds is counted in thousandths.
constexpr int Echelle = 1000;

// Work already running away from the windows: a piece of work it starts runs where it stands.
std::atomic<bool> travail_en_cours{false};
}

Progression::Progression(const QString& texte, bool occupee) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QWidget* parent = Feuilles::zone() ? Feuilles::zone()->window() : nullptr;
    fenetre_ = std::make_unique<QProgressDialog>(texte, QString(), 0, occupee ? 0 : Echelle, parent);
    fenetre_->setObjectName(QStringLiteral("progression"));
    fenetre_->setWindowTitle(titre_application());
    fenetre_->setWindowModality(Qt::ApplicationModal);
    fenetre_->setMinimumDuration(500);
    fenetre_->setAutoClose(false);
    fenetre_->setAutoReset(false);
    fenetre_->setValue(0);
}

Progression::~Progression() = default;

void Progression::avancer(qint64 fait, qint64 total) {
    // A step of the bar at most every thousandth of the work: the bar's own cost stays nothing.
    if (!fenetre_ || fait < prochain_) return;
    total = qMax<qint64>(1, total);
    const int valeur = int(qMin<qint64>(Echelle, fait * Echelle / total));
    prochain_ = (qint64(valeur) + 1) * total / Echelle;
    fenetre_->setValue(valeur);
}

bool Progression::visible() const { return fenetre_ && fenetre_->isVisible(); }

void travailler_a_part(const QString& texte, const std::function<void()>& travail) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(application) || QThread::currentThread() != application->thread() ||
        travail_en_cours.exchange(true)) {
        travail();
        return;
    }
    struct Fin {
        ~Fin() { travail_en_cours = false; }
    } fin;
    Progression progression(texte, true);
    std::atomic<bool> fini{false};
    std::exception_ptr erreur;
    std::thread fil([&] {
        try {
            travail();
        } catch (...) {
            erreur = std::current_exception();
        }
        fini.store(true, std::memory_order_release);
        // Wakes the windows' thread, which waits for events.
        QMetaObject::invokeMethod(application, [] {}, Qt::QueuedConnection);
    });
    // The windows are painted, timers run; the keyboard and the mouse wait.
    QEventLoop boucle;
    while (!fini.load(std::memory_order_acquire))
        boucle.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    fil.join();
    // What was clicked or typed meanwhile goes to the progress window while it is still up,
    // which keeps it from the other windows.
    if (progression.visible()) boucle.processEvents(QEventLoop::AllEvents);
    if (erreur) std::rethrow_exception(erreur);
}

}  // namespace forms

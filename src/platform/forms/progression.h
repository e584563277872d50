#pragma once
// The progress of a long piece of work that runs under the hourglass: a small window captioned
// with the application title, shown once the work has lasted half a second, that tells how far
// it has gone. It keeps the other windows from being used meanwhile and has no cancel button:
// the work either ends whole or fails whole.
#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;

namespace forms {

class Progression {
public:
    // `occupee`: the bar only shows that the work goes on (how far it has gone is not known).
    explicit Progression(const QString& texte, bool occupee = false);
    ~Progression();
    Progression(const Progression&) = delete;
    Progression& operator=(const Progression&) = delete;

    // `fait` of `total` are done; cheap when called for every item.
    void avancer(qint64 fait, qint64 total);
    // Has the window shown itself yet?
    bool visible() const;

private:
    std::unique_ptr<QProgressDialog> fenetre_;
    qint64 prochain_ = 0;
};

// Long file work (a copy, a compaction, a file written from the database) done away from the
// windows' thread, so that the windows never freeze: `travail` runs on a thread of its own,
// while this thread keeps the windows painted behind the progress window captioned `texte`.
// The keyboard and the mouse reach no window meanwhile: nothing else is done to the files or
// to the windows until the work has ended. `travail` opens its own database connections and
// touches no window; what it raises is raised here once it has ended, as if it had run here.
// Without a windowing application (or from another thread) the work simply runs here.
void travailler_a_part(const QString& texte, const std::function<void()>& travail);

}  // namespace forms

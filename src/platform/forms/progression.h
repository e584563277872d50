#pragma once
// Long file work (a copy, a compaction, a file written from the database) done away from the
// windows' thread, so that the windows never freeze: the work runs on a thread of its own while
// this thread keeps the windows painted behind a progress window. That window is captioned with
// the application title and shows itself once the work has lasted half a second; it has no
// cancel button: the work either ends whole or fails whole. The keyboard and the mouse reach no
// window meanwhile, so that nothing else is done to the files or to the windows until the work
// has ended.
#include <QString>
#include <functional>

namespace forms {

// How far the work has gone: `fait` of `total`; called from the work's own thread, as often as
// it likes.
using Avancer = std::function<void(qint64 fait, qint64 total)>;

// Runs `travail` on a thread of its own behind the progress window `texte`. `travail` opens its
// own database connections and touches no window; what it raises is raised here once it has
// ended, as if it had run here. Without a windowing application (or from another thread) the
// work simply runs here.
void travailler_a_part(const QString& texte, const std::function<void(const Avancer& avancer)>& travail);
// The same for work that does not tell how far it has gone: the bar only shows that it goes on.
void travailler_a_part(const QString& texte, const std::function<void()>& travail);

}  // namespace forms

#pragma once
// The progress of a long piece of work that runs under the hourglass: a small window captioned
// with the application title, shown once the work has lasted half a second, that tells how far
// it has gone. It keeps the other windows from being used meanwhile and has no cancel button:
// the work either ends whole or fails whole.
#include <QString>
#include <memory>

class QProgressDialog;

namespace forms {

class Progression {
public:
    explicit Progression(const QString& texte);
    ~Progression();
    Progression(const Progression&) = delete;
    Progression& operator=(const Progression&) = delete;

    // `fait` of `total` are done; cheap when called for every item.
    void avancer(qint64 fait, qint64 total);

private:
    std::unique_ptr<QProgressDialog> fenetre_;
    qint64 prochain_ = 0;
};

}  // namespace forms

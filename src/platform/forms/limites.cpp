#include "platform/forms/limites.h"
#include "platform/forms/feuilles.h"
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextCursor>
#include <QValidator>
#include <algorithm>

namespace forms {

int nombre_caracteres(QStringView texte) {
    int n = 0;
    for (qsizetype i = 0; i < texte.size(); ++i)
        if (!texte[i].isLowSurrogate() || i == 0 || !texte[i - 1].isHighSurrogate()) ++n;
    return n;
}

void signaler_dans_barre_etat(const QString& texte) {
    QApplication::beep();
    QMainWindow* principale = nullptr;
    if (QMdiArea* zone = Feuilles::zone()) principale = qobject_cast<QMainWindow*>(zone->window());
    if (principale) principale->statusBar()->showMessage(texte, 15000);
}

namespace {

constexpr const char* NomGarde = "limite_caracteres";

// What was typed or pasted past the limit, told; `refuse` characters would have been there.
void dire_refus(const Libelle& libelle, int limite, int avant, int refuse) {
    const QString nom = libelle ? libelle() : QString();
    const QString champ = nom.isEmpty() ? QStringLiteral("Ce champ") : QStringLiteral("Le champ « %1 »").arg(nom);
    if (refuse - avant <= 1) {
        signaler_dans_barre_etat(QStringLiteral("%1 est plein : il accepte au plus %2 caractères.").arg(champ).arg(limite));
        return;
    }
    signaler_dans_barre_etat(QStringLiteral("%1 accepte au plus %2 caractères : le texte collé ou inséré en aurait "
                                            "fait %3, il n'a pas été pris.")
                                 .arg(champ)
                                 .arg(limite)
                                 .arg(refuse));
}

// One-line boxes: the box's own limit counts UTF-16 units and would cut what the program puts
// in; this validator counts characters and tells a refusal. A text set by the program leaves the
// box unmodified: it is accepted whole and becomes the most the user may keep.
class LimiteLigne : public QValidator {
public:
    LimiteLigne(QLineEdit* zone, int n, Libelle l) : QValidator(zone), libelle(std::move(l)), zone_(zone) {
        setObjectName(QLatin1String(NomGarde));
        changer(n);
        accepte_ = nombre_caracteres(zone->text());
        connect(zone, &QLineEdit::inputRejected, this, [this] {
            if (zone_->isModified()) dire_refus(libelle, n_, accepte_, refuse_);
        });
    }
    Libelle libelle;
    int limite() const { return n_; }
    void changer(int n) {
        n_ = n;
        plafond_ = std::max(n, nombre_caracteres(zone_->text()));
    }
    State validate(QString& texte, int&) const override {
        const int n = nombre_caracteres(texte);
        if (!zone_->isModified()) plafond_ = std::max(n_, n);
        if (n > plafond_) {
            refuse_ = n;
            return Invalid;
        }
        accepte_ = n;
        return Acceptable;
    }

private:
    QLineEdit* zone_;
    int n_ = 0;
    mutable int plafond_ = 0, accepte_ = 0, refuse_ = 0;
};

// Multi-line boxes have no validator: a change that passes the limit is taken back at once.
class LimiteTexte : public QObject {
public:
    explicit LimiteTexte(QPlainTextEdit* zone) : QObject(zone), zone_(zone), precedent_(zone->toPlainText()) {
        setObjectName(QLatin1String(NomGarde));
        connect(zone, &QPlainTextEdit::textChanged, this, [this] { verifier(); });
    }
    int n = 0;
    Libelle libelle;
    bool programme = false;

    void changer(int limite) {
        n = limite;
        plafond_ = std::max(n, nombre_caracteres(precedent_));
    }

private:
    void verifier() {
        const QString texte = zone_->toPlainText();
        const int compte = n > 0 ? nombre_caracteres(texte) : 0;
        if (programme || n <= 0) {
            precedent_ = texte;
            plafond_ = std::max(n, compte);
            return;
        }
        if (compte <= plafond_) {
            precedent_ = texte;
            return;
        }
        const int position = std::clamp(zone_->textCursor().position() - int(texte.size() - precedent_.size()), 0,
                                        int(precedent_.size()));
        {
            const QSignalBlocker bloque(zone_);
            zone_->setPlainText(precedent_);
            QTextCursor curseur = zone_->textCursor();
            curseur.setPosition(position);
            zone_->setTextCursor(curseur);
        }
        dire_refus(libelle, n, nombre_caracteres(precedent_), compte);
    }

    QPlainTextEdit* zone_;
    QString precedent_;
    int plafond_ = 0;
};

LimiteTexte* garde(const QPlainTextEdit* zone) {
    return zone->findChild<LimiteTexte*>(QLatin1String(NomGarde), Qt::FindDirectChildrenOnly);
}

}  // namespace

void limiter(QLineEdit* zone, int n, Libelle libelle) {
    zone->setMaxLength(32767);
    auto* actuel = zone->findChild<LimiteLigne*>(QLatin1String(NomGarde), Qt::FindDirectChildrenOnly);
    if (n <= 0) {
        if (actuel) {
            zone->setValidator(nullptr);
            delete actuel;
        }
        return;
    }
    if (!actuel) {
        zone->setValidator(new LimiteLigne(zone, n, std::move(libelle)));
        return;
    }
    actuel->changer(n);
    if (libelle) actuel->libelle = std::move(libelle);
}

void limiter(QPlainTextEdit* zone, int n, Libelle libelle) {
    LimiteTexte* g = garde(zone);
    if (!g) g = new LimiteTexte(zone);
    if (libelle) g->libelle = std::move(libelle);
    g->changer(n);
}

void montrer_texte(QPlainTextEdit* zone, const QString& texte) {
    LimiteTexte* g = garde(zone);
    if (g) g->programme = true;
    zone->setPlainText(texte);
    if (g) g->programme = false;
}

int limite_caracteres(const QLineEdit* zone) {
    if (const auto* v = dynamic_cast<const LimiteLigne*>(zone->validator())) return v->limite();
    return zone->maxLength() < 32767 ? zone->maxLength() : 0;
}

int limite_caracteres(const QPlainTextEdit* zone) {
    const LimiteTexte* g = garde(zone);
    return g ? g->n : 0;
}

}  // namespace forms

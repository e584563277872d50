#include "platform/forms/controle_donnees.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/limites.h"
#include "platform/forms/reactions.h"
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocument>
#include <QToolButton>

namespace forms {

namespace {

// Control characters (a NUL, a tab or a line break pasted from elsewhere) have no place in a
// one-line field and would reach the statements built from it: they are dropped as they come
// in, typed or pasted, a tab or a line break becoming a blank. Values shown from the file are
// left as they are.
void retirer_controles(QLineEdit* zone) {
    if (zone->property("sansControles").toBool()) return;
    zone->setProperty("sansControles", true);
    QObject::connect(zone, &QLineEdit::textEdited, zone, [zone](const QString& texte) {
        QString propre;
        propre.reserve(texte.size());
        for (const QChar c : texte) {
            if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) propre += QLatin1Char(' ');
            else if (c.unicode() >= 0x20 && c.unicode() != 0x7F) propre += c;
        }
        if (propre == texte) return;
        const int position = qBound(0, zone->cursorPosition() - int(texte.size() - propre.size()), int(propre.size()));
        zone->setText(propre);
        zone->setCursorPosition(position);
    });
}

// A multi-line box's text as it shows it, for writing back: a non-breaking space and a line
// separator stay what they are (its plain text turns them into a space and a line break), only
// its paragraphs are joined by line breaks. Adding a line to a note keeps the rest as stored.
QString texte_montre(const QPlainTextEdit* zone) {
    QString t = zone->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}

// The caption of a bound box as it reads when a limit is told.
Libelle libelle_affiche(QWidget* controle) {
    return [controle = QPointer<QWidget>(controle)] { return libelle_de(controle); };
}

}  // namespace

std::function<void(int, const QString&)> ControleDonnees::afficheurErreur;

namespace {

struct Liaison {
    QPointer<QWidget> controle;
    QString champ;
    std::function<void(const QVariant&)> afficher;
    std::function<QVariant()> lire;  // empty: shows only
    bool texte = false;              // shows the field as text (text boxes, labels)
    std::function<void(int)> limiter;  // text boxes: their length limit, the field's width by default
    int longueurMax = 0;
    QVariant montre;                 // what was last shown, to tell a change
    bool proposee = false;           // `montre` was put there by the program: written all the same
};

}  // namespace

struct ControleDonnees::Impl {
    QString chemin, source;
    QLabel* legende = nullptr;
    std::shared_ptr<BaseDonnees> base;
    std::unique_ptr<JeuEnregistrements> jeu;
    QVector<Liaison> liaisons;
    bool interne = false;  // the control's own writes: no second Validate, no second save
    QString derniereErreur;
};

ControleDonnees::ControleDonnees(QWidget* parent) : QWidget(parent), d(new Impl) {
    auto* disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    const auto bouton = [&](const QString& texte, const char* nom, auto deplacer) {
        auto* b = new QToolButton(this);
        b->setText(texte);
        b->setObjectName(QLatin1String(nom));
        b->setFocusPolicy(Qt::NoFocus);
        disposition->addWidget(b);
        forms::relier(b, &QToolButton::clicked, this, [this, deplacer] {
            if (!aUnRecordset()) return;
            try {
                deplacer(Recordset());
            } catch (const Erreur& e) {
                int reponse = 1;
                d->derniereErreur = e.texte;
                emit Error(e.numero, &reponse);
                if (reponse != 0 && afficheurErreur) afficheurErreur(e.numero, e.texte);
            }
        });
    };
    // The buttons never move past an end: at the last record ">" stays there.
    bouton(QStringLiteral("|<"), "premier", [](JeuEnregistrements& j) { if (j.RecordCount()) j.MoveFirst(); });
    bouton(QStringLiteral("<"), "precedent", [](JeuEnregistrements& j) {
        if (!j.RecordCount() || j.Bof()) return;
        j.MovePrevious();
        if (j.Bof()) j.MoveFirst();
    });
    d->legende = new QLabel(this);
    d->legende->setAlignment(Qt::AlignCenter);
    d->legende->setMinimumWidth(80);
    disposition->addWidget(d->legende, 1);
    bouton(QStringLiteral(">"), "suivant", [](JeuEnregistrements& j) {
        if (!j.RecordCount() || j.Eof()) return;
        j.MoveNext();
        if (j.Eof()) j.MoveLast();
    });
    bouton(QStringLiteral(">|"), "dernier", [](JeuEnregistrements& j) { if (j.RecordCount()) j.MoveLast(); });
}

ControleDonnees::~ControleDonnees() {
    if (d->jeu) {
        d->jeu->avantOperation = nullptr;
        d->jeu->apresDeplacement = nullptr;
    }
    delete d;
}

QString ControleDonnees::DatabaseName() const { return d->chemin; }
void ControleDonnees::setDatabaseName(const QString& chemin) { d->chemin = chemin; }
QString ControleDonnees::RecordSource() const { return d->source; }
void ControleDonnees::setRecordSource(const QString& source) { d->source = source; }
QString ControleDonnees::Caption() const { return d->legende->text(); }
void ControleDonnees::setCaption(const QString& texte) { d->legende->setText(texte); }

bool ControleDonnees::aUnRecordset() const { return d->jeu && d->base && d->base->ouverte(); }

JeuEnregistrements& ControleDonnees::Recordset() {
    if (!d->jeu) db::lever(erreurs_execution::VariableObjet);
    return *d->jeu;
}

BaseDonnees& ControleDonnees::Database() {
    if (!d->base) db::lever(erreurs_execution::VariableObjet);
    return *d->base;
}

bool ControleDonnees::quitterEnregistrement() {
    if (!reglesDepart || d->interne || !aUnRecordset()) return true;
    return reglesDepart();
}

void ControleDonnees::Refresh() {
    if (!quitterEnregistrement()) throw OperationAbandonnee{};
    // A file replaced under its name since it was opened (compacted, restored, copied over by
    // another workstation) is opened anew: the refresh shows what the name holds now.
    if (!d->base || !d->base->ouverte() || d->base->chemin() != d->chemin || d->base->fichierRemplace()) {
        d->base = BaseDonnees::ouvrir(d->chemin);
    }
    JeuEnregistrements nouveau(d->base, d->source);
    if (d->jeu) *d->jeu = nouveau;  // the same object: references that windows hold stay good
    else d->jeu = std::make_unique<JeuEnregistrements>(nouveau);

    d->jeu->avantOperation = [this](int action) {
        if (d->interne) return true;
        int enregistrer = 1;
        emit Validate(action, &enregistrer);
        JeuEnregistrements& j = *d->jeu;
        if (action == db::action::Update) {
            // The window's own Update: the bound fields go into the same write.
            if (enregistrer) ecrireChamps(j);
            return true;
        }
        // A record being left is saved first, as the user expects; the record being deleted
        // is not (it goes anyway).
        if (action == db::action::Delete || !enregistrer) return true;
        if (reglesDepart) return reglesDepart();
        if (!DataChanged() && !j.tamponModifie()) return true;
        if (j.EditMode() == 0 && j.AbsolutePosition() < 0) return true;  // no record to save into
        try {
            UpdateRecord();
        } catch (const Erreur& e) {
            int reponse = 1;
            d->derniereErreur = e.texte;
            emit Error(e.numero, &reponse);
            if (reponse != 0 && afficheurErreur) afficheurErreur(e.numero, e.texte);
            return false;  // the move is cancelled: what was typed stays on screen
        }
        return true;
    };
    d->jeu->apresDeplacement = [this] {
        afficherEnregistrement();
        emit Reposition();
    };
    for (Liaison& l : d->liaisons) {
        if (!l.limiter || l.longueurMax > 0 || !l.controle) continue;
        const int c = d->jeu->indexChamp(l.champ);
        l.limiter(c >= 0 ? d->jeu->champs()[c].longueurMax : 0);
    }
    afficherEnregistrement();
    emit Reposition();
}

void ControleDonnees::afficherEnregistrement() {
    JeuEnregistrements* j = d->jeu.get();
    const bool enregistrement = j && (j->EditMode() != 0 || j->AbsolutePosition() >= 0);
    for (Liaison& l : d->liaisons) {
        if (!l.controle) continue;
        QVariant v;
        if (enregistrement && j->indexChamp(l.champ) >= 0)
            v = l.texte ? QVariant(j->texte(l.champ)) : j->valeur(l.champ);
        l.afficher(v);
        l.montre = l.lire ? l.lire() : QVariant();
        l.proposee = false;
    }
}

void ControleDonnees::UpdateRecord() {
    JeuEnregistrements& j = Recordset();
    const bool dejaInterne = d->interne;
    d->interne = true;
    try {
        if (j.EditMode() == 0 && j.AbsolutePosition() < 0 && DataChanged()) {
            // Typed into fields that show no record (an empty table, the position past the
            // last one): what was typed becomes a new record, and stays on screen meanwhile.
            const auto apres = j.apresDeplacement;
            j.apresDeplacement = nullptr;
            try {
                j.AddNew();
            } catch (...) {
                j.apresDeplacement = apres;
                throw;
            }
            j.apresDeplacement = apres;
        }
        if (j.EditMode() == 0) j.Edit();  // 3021 without a current record
        ecrireChamps(j);
        j.Update();
    } catch (Erreur& e) {
        d->interne = dejaInterne;
        // The user reads the field's caption, not its column.
        nommer_champ(e, libelleChamp(e.champ));
        throw;
    } catch (...) {
        d->interne = dejaInterne;
        throw;
    }
    d->interne = dejaInterne;
    // The saved record shows as stored ("1/2/2020" becomes "01/02/2020").
    if (j.AbsolutePosition() >= 0) afficherEnregistrement();
}

void ControleDonnees::ecrireChamps(JeuEnregistrements& j) {
    for (Liaison& l : d->liaisons) {
        if (!l.lire || !l.controle || j.indexChamp(l.champ) < 0) continue;
        // A field put back to what it showed must replace a value that a refused write left
        // in the buffer.
        if (l.lire() != l.montre || l.proposee || j.champModifie(l.champ)) j.setValeur(l.champ, l.lire());
    }
}

void ControleDonnees::noterValeursProposees() {
    for (Liaison& l : d->liaisons) {
        if (!l.lire || !l.controle) continue;
        const QVariant v = l.lire();
        // An empty field proposes nothing.
        l.proposee = v.typeId() == QMetaType::QString ? !v.toString().isEmpty() : false;
        l.montre = v;
    }
}

void ControleDonnees::abandonnerSaisie() {
    if (!aUnRecordset()) return;
    JeuEnregistrements& j = Recordset();
    const bool etaitNouveau = j.EditMode() == 2;
    if (j.EditMode() != 0) j.CancelUpdate();
    // A cancelled new record has shown the record before it already (a move).
    if (!etaitNouveau) afficherEnregistrement();
}

void ControleDonnees::fermer() {
    if (d->jeu) d->jeu->Close();
    if (d->base) d->base->Close();
    d->base.reset();
}

QString ControleDonnees::texteDerniereErreur() const { return d->derniereErreur; }

QString ControleDonnees::libelleChamp(const QString& champ) const {
    for (const Liaison& l : d->liaisons)
        if (l.controle && l.lire && l.champ.compare(champ, Qt::CaseInsensitive) == 0) return libelle_de(l.controle);
    return {};
}

bool ControleDonnees::DataChanged() const {
    for (const Liaison& l : d->liaisons)
        if (l.lire && l.controle && l.lire() != l.montre) return true;
    return false;
}

void ControleDonnees::lier(QLineEdit* zone, const QString& champ, int longueurMax) {
    Liaison l;
    l.controle = zone;
    l.champ = champ;
    l.texte = true;
    l.longueurMax = longueurMax;
    l.limiter = [zone, nom = libelle_affiche(zone)](int n) { limiter(zone, n, nom); };
    l.afficher = [zone](const QVariant& v) { zone->setText(v.toString()); };
    l.lire = [zone] { return QVariant(zone->text()); };
    l.limiter(longueurMax);
    retirer_controles(zone);
    l.montre = zone->text();
    d->liaisons.append(l);
}

void ControleDonnees::lier(QPlainTextEdit* zone, const QString& champ, int longueurMax) {
    // Several lines: Tab leaves the box as in any other field, a scroll bar shows the lines
    // beyond its height, and what is typed or pasted past the limit is refused and told.
    zone->setTabChangesFocus(true);
    zone->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Liaison l;
    l.controle = zone;
    l.champ = champ;
    l.texte = true;
    l.longueurMax = longueurMax;
    l.limiter = [zone, nom = libelle_affiche(zone)](int n) { limiter(zone, n, nom); };
    l.afficher = [zone](const QVariant& v) { montrer_texte(zone, v.toString()); };
    l.lire = [zone] { return QVariant(texte_montre(zone)); };
    l.limiter(longueurMax);
    l.montre = texte_montre(zone);
    d->liaisons.append(l);
}

void ControleDonnees::lier(QCheckBox* caseACocher, const QString& champ) {
    lier(caseACocher, champ, [caseACocher](const QVariant& v) { caseACocher->setChecked(v.toBool()); },
         [caseACocher] { return QVariant(caseACocher->isChecked()); });
}

void ControleDonnees::lier(QLabel* etiquette, const QString& champ) {
    Liaison l;
    l.controle = etiquette;
    l.champ = champ;
    l.texte = true;
    l.afficher = [etiquette](const QVariant& v) { etiquette->setText(v.toString()); };
    d->liaisons.append(l);
}

void ControleDonnees::lier(QWidget* controle, const QString& champ, std::function<void(const QVariant&)> afficher,
                           std::function<QVariant()> lire) {
    Liaison l;
    l.controle = controle;
    l.champ = champ;
    l.afficher = std::move(afficher);
    l.lire = std::move(lire);
    if (l.lire) l.montre = l.lire();
    d->liaisons.append(l);
}

}  // namespace forms

#include "platform/report/mise_en_page.h"

#include "platform/report/mesure.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <optional>

namespace report {

namespace {

// The records whose values size the columns of a list.
constexpr int LignesMesurees = 1000;
// The lines of an address in a window envelope.
constexpr int LignesFenetre = 6;

// The smallest text a label is set in to make its address fit, in points.
constexpr double TailleMinimale = 7;

struct Contexte {
    int ligne = -1;        // record giving the fields, -1 none
    int nombre = 0;        // records of the group, or of the report
    int total = 0;
    QVariant groupe;
    int rang = 0;          // 1-based rank of the record
    int repetition = 0;    // 1-based rank inside a repeated cell, 0 outside
    int page = 1;
};

// The share to one decimal, rounded half up on the exact value as by hand: whole numbers
// only, since 1,023 of 2,000 (51.15) is not exactly representable in binary and would round down.
QString pourcentage(qint64 nombre, qint64 total) {
    if (total <= 0) return QStringLiteral("0,0");
    const qint64 dixiemes = (2000 * nombre + total) / (2 * total);
    return QStringLiteral("%1,%2").arg(dixiemes / 10).arg(dixiemes % 10);
}

class Evaluateur {
public:
    Evaluateur(const Modele& m, const Donnees& d, const Formules& f, const QDate& j)
        : m_(m), d_(d), f_(f), jour_(j) {}

    QString texte(const Morceau& mo, const Contexte& c) const {
        switch (mo.genre) {
        case Morceau::Texte: return mo.texte;
        case Morceau::Valeur: return texte_valeur(d_.valeur(c.ligne, mo.valeur));
        case Morceau::Formule: return f_.value(mo.texte);
        case Morceau::Special:
            if (mo.texte == "date") return jour_.toString(QStringLiteral("dd/MM/yyyy"));
            if (mo.texte == "page") return QString::number(c.page);
            if (mo.texte == "pages") return marque_pages();
            if (mo.texte == "nombre") return QString::number(c.nombre);
            if (mo.texte == "pourcentage") return pourcentage(c.nombre, c.total);
            if (mo.texte == "groupe") {
                const QString g = texte_valeur(c.groupe);
                return g.trimmed().isEmpty() ? m_.groupeVide : g;
            }
            if (mo.texte == "n") return QString::number(c.repetition > 0 ? c.repetition : c.rang);
        }
        return {};
    }

    bool vrai(const Morceau& mo, const Contexte& c) const {
        if (mo.genre == Morceau::Valeur) {
            const QVariant v = d_.valeur(c.ligne, mo.valeur);
            if (v.isNull()) return false;
            if (v.typeId() == QMetaType::Bool) return v.toBool();
            if (v.typeId() == QMetaType::QString) return !v.toString().isEmpty();
            if (v.typeId() == QMetaType::QDate) return v.toDate().isValid();
            return v.toDouble() != 0;
        }
        return !texte(mo, c).isEmpty();
    }

    // A cell's text and whether it holds a value place.
    QString cellule(const Cellule& ce, const Contexte& c, bool* avecPlace = nullptr) const {
        QString r;
        for (const Morceau& mo : ce.contenu) {
            if (mo.genre != Morceau::Texte && avecPlace) *avecPlace = true;
            r += texte(mo, c);
        }
        return r;
    }

    Style style(const Cellule& ce) const {
        Style s;
        s.gras = ce.gras;
        s.italique = ce.italique;
        s.taille = ce.taille > 0 ? ce.taille : m_.police;
        s.alignement = ce.alignement;
        return s;
    }

    const Modele& m_;
    const Donnees& d_;
    const Formules& f_;
    QDate jour_;
};

const QRegularExpression& blancs() {
    static const QRegularExpression r(QStringLiteral("\\s+"));
    return r;
}

// A column heading breaks between words only, on two lines at most: when one of its words is
// wider than the column, or it needs a third line, it is set smaller, down to a readable size.
QStringList intitule(const QString& texte, Style& s, double largeur) {
    for (;;) {
        bool motTropLarge = false;
        for (const QString& mot : texte.split(blancs(), Qt::SkipEmptyParts))
            if (mesure::largeur(mot, s) > largeur) motTropLarge = true;
        const QStringList lignes = mesure::couper(texte, s, largeur);
        if ((!motTropLarge && lignes.size() <= 2) || s.taille - 0.5 < TailleMinimale - 1e-9) return lignes;
        s.taille -= 0.5;
    }
}

// A value's lines in its cell. A word (or a part of it between hyphens) wider than the cell
// is first set smaller, down to a readable size, and only then cut between characters; a
// number is never cut, so it is set as small as it needs.
// Whether a value stands on one line of its cell as it is, as most values of a list do.
bool tient_sur_une_ligne(const QString& texte, const Style& s, double largeur) {
    return !texte.contains('\n') && mesure::largeur_majoree(texte, s) <= largeur;
}

QStringList lignes_valeur(const QString& texte, Style& s, double largeur) {
    if (tient_sur_une_ligne(texte, s, largeur)) return {texte};
    const auto trop_large = [&](bool nombres) {
        for (const QString& mot : texte.split(blancs(), Qt::SkipEmptyParts))
            for (const QString& partie : mot.split('-'))
                if ((!nombres || mesure::est_nombre(partie)) && mesure::largeur(partie, s) > largeur) return true;
        return false;
    };
    while (s.taille - 0.5 >= TailleMinimale - 1e-9 && trop_large(false)) s.taille -= 0.5;
    while (s.taille - 0.5 >= 1 - 1e-9 && trop_large(true)) s.taille -= 0.5;
    return mesure::couper(texte, s, largeur);
}

// Cells with their repetitions expanded; each copy keeps its rank.
QVector<std::pair<const Cellule*, int>> deplier(const QVector<Cellule>& cellules) {
    QVector<std::pair<const Cellule*, int>> r;
    for (const Cellule& c : cellules) {
        if (c.repetition <= 1) r.append({&c, 0});
        else for (int i = 1; i <= c.repetition; ++i) r.append({&c, i});
    }
    return r;
}

const Element* premiere_ligne(const Bande& b);
void lignes_detail(const Bande& b, QVector<const Element*>& r);

class Mise {
public:
    Mise(const Modele& m, const Donnees& d, const Formules& f, const QDate& j) : m_(m), d_(d), e_(m, d, f, j) {
        doc_.titre = m.titre;
        doc_.paysage = m.paysage;
        doc_.largeur = m.paysage ? 297 : 210;
        doc_.hauteur = m.paysage ? 210 : 297;
        for (int i = 0; i < 4; ++i) doc_.marges[i] = m.marges[i];
        largeurUtile_ = doc_.largeur - m.marges[1] - m.marges[3];
    }

    // One step of the layout: the start, a group's heading, one record or label, a group's
    // foot, or the end. False once everything is laid out.
    bool pas() {
        switch (etat_) {
        case Etat::Debut:
            if (m_.etiquettesColonnes > 0) {
                doc_.pages.append(Page{});
                etat_ = Etat::Etiquette;
            } else {
                debut_rapport();
                etat_ = m_.groupe ? Etat::TeteGroupe : Etat::Enregistrement;
                finGroupe_ = d_.lignes.size();
            }
            return true;
        case Etat::Etiquette:
            if (i_ >= d_.lignes.size()) { etat_ = Etat::Terminee; return false; }
            etiquette_placee(i_++);
            return true;
        case Etat::TeteGroupe:
            if (g_ >= d_.debutsGroupes.size()) { etat_ = Etat::Fin; return true; }
            tete_groupe();
            etat_ = Etat::Enregistrement;
            return true;
        case Etat::Enregistrement:
            if (i_ < finGroupe_) {
                if (m_.groupe) enregistrement(i_, i_ - d_.debutsGroupes[g_] + 1, *groupe_);
                else enregistrement(i_, i_ + 1, contexte(i_));
                ++i_;
            } else {
                etat_ = m_.groupe ? Etat::PiedGroupe : Etat::Fin;
            }
            return true;
        case Etat::PiedGroupe:
            pied_groupe();
            ++g_;
            etat_ = Etat::TeteGroupe;
            return true;
        case Etat::Fin:
            fin_rapport();
            etat_ = Etat::Terminee;
            return false;
        case Etat::Terminee: return false;
        }
        return false;
    }

    bool terminee() const { return etat_ == Etat::Terminee; }
    // Pages laid out so far, the one under way included.
    int nombre_pages() const { return prises_ + doc_.pages.size(); }
    // Pages no later step will change: all of them once the layout ends.
    int pages_finies() const { return terminee() ? nombre_pages() : qMax(0, nombre_pages() - 1); }

    QVector<Page> prendre() {
        const int n = pages_finies() - prises_;
        QVector<Page> r;
        if (n <= 0) return r;
        r.reserve(n);
        for (int i = 0; i < n; ++i) r.append(std::move(doc_.pages[i]));
        doc_.pages.remove(0, n);
        prises_ += n;
        return r;
    }

    const DocumentRendu& document() const { return doc_; }
    int raccourcies() const { return doc_.etiquettesRaccourcies; }

private:
    // --- Bands to laid-out lines -------------------------------------------------------
    void rendre(const Bande& b, const Contexte& c, QVector<BandeRendue>& r) const {
        rendre(b, c, r, &b == &m_.enteteColonnes);
    }
    void rendre(const Bande& b, const Contexte& c, QVector<BandeRendue>& r, bool intitules) const {
        for (const Element& el : b) {
            switch (el.genre) {
            case Element::Ligne: ligne(el, c, r, intitules); break;
            case Element::Espace: { BandeRendue x; x.hauteur = el.mm; r.append(x); break; }
            case Element::Trait: { BandeRendue x; x.hauteur = 2; x.trait = true; r.append(x); break; }
            case Element::Bloc: if (e_.vrai(el.condition, c)) rendre(el.enfants, c, r, intitules); break;
            }
        }
    }

    void ligne(const Element& el, const Contexte& c, QVector<BandeRendue>& r, bool intitules) const {
        // A list lays the same line out on every row: its cells are unfolded once.
        auto deplie = deplies_.constFind(&el);
        if (deplie == deplies_.constEnd()) deplie = deplies_.insert(&el, deplier(el.cellules));
        const QVector<std::pair<const Cellule*, int>>& cellules = *deplie;
        if (cellules.isEmpty()) return;
        double fixe = 0;
        int libres = 0;
        for (const auto& [ce, i] : cellules) { if (ce->largeur > 0) fixe += ce->largeur; else ++libres; }
        const double facteur = fixe > largeurUtile_ ? largeurUtile_ / fixe : 1.0;
        const double libre = libres > 0 ? qMax(0.0, largeurUtile_ - fixe * facteur) / libres : 0;

        BandeRendue b;
        b.cellules.reserve(cellules.size());
        double x = m_.marges[3];
        bool avecPlace = false, imprime = false, cadre = false;
        const bool ajustee = !largeurs_.isEmpty() && (&el == detail_ || &el == tete_);
        int k = 0;
        Contexte ci = c;
        for (const auto& [ce, i] : cellules) {
            ci.repetition = i;
            CelluleRendue cr;
            cr.x = x;
            cr.largeur = ajustee ? largeurs_[k++] : ce->largeur > 0 ? ce->largeur * facteur : libre;
            cr.cadre = ce->cadre;
            cadre = cadre || ce->cadre;
            x += cr.largeur;
            QString t = e_.cellule(*ce, ci, &avecPlace);
            if (!t.trimmed().isEmpty()) {
                imprime = true;
                if (suite_) { t += QStringLiteral(" (suite)"); suite_ = false; }
            }
            Style s = e_.style(*ce);
            const double place = qMax(1.0, cr.largeur - 2 * cr.marge);
            if (!intitules && i == 0) s.taille = taille_rangs(*ce, s, place);
            if (!intitules && tient_sur_une_ligne(t, s, place)) {
                cr.lignes.append(LigneTexte{std::move(t), s, mesure::hauteur_ligne(s)});
            } else {
                const QStringList morceaux = intitules ? intitule(t, s, place) : lignes_valeur(t, s, place);
                const double h = mesure::hauteur_ligne(s);
                cr.lignes.reserve(morceaux.size());
                for (const QString& morceau : morceaux) cr.lignes.append(LigneTexte{morceau, s, h});
            }
            double total = 2 * (ce->cadre ? 0.6 : 0.3);
            for (const LigneTexte& l : cr.lignes) total += l.hauteur;
            b.hauteur = qMax(b.hauteur, total);
            b.cellules.append(std::move(cr));
        }
        // A line of empty values (an unused paragraph) takes no room; a grid line always does.
        if (avecPlace && !imprime && !cadre) return;
        r.append(std::move(b));
    }

    // A cell showing the record's rank ("N°") prints every rank in one size: the one in which
    // the list's largest rank fits the cell, since a number is never cut.
    static bool montre_rang(const Cellule& ce) {
        return std::any_of(ce.contenu.begin(), ce.contenu.end(),
                           [](const Morceau& mo) { return mo.genre == Morceau::Special && mo.texte == u"n"; });
    }
    // The largest rank a record takes: the largest group's size, or the number of records.
    int plus_grand_rang() const {
        int plusGrand = d_.lignes.size();
        if (m_.groupe) {
            plusGrand = 0;
            const auto& debuts = d_.debutsGroupes;
            for (int g = 0; g < debuts.size(); ++g)
                plusGrand = qMax(plusGrand, (g + 1 < debuts.size() ? debuts[g + 1] : int(d_.lignes.size())) - debuts[g]);
        }
        return qMax(1, plusGrand);
    }
    double taille_rangs(const Cellule& ce, const Style& s, double place) const {
        if (!montre_rang(ce)) return s.taille;
        auto it = taillesRangs_.constFind(&ce);
        if (it != taillesRangs_.constEnd()) return *it;
        Contexte c;
        c.rang = plus_grand_rang();
        const QString texte = e_.cellule(ce, c);
        Style t = s;
        while (t.taille - 0.5 >= 1 - 1e-9 && mesure::largeur(texte, t) > place) t.taille -= 0.5;
        taillesRangs_.insert(&ce, t.taille);
        return t.taille;
    }

    static double hauteur(const QVector<BandeRendue>& bs) {
        double h = 0;
        for (const auto& b : bs) h += b.hauteur;
        return h;
    }

    // --- Pages ------------------------------------------------------------------------
    Contexte contexte(int ligne) const {
        Contexte c;
        c.ligne = ligne;
        c.total = d_.lignes.size();
        c.nombre = c.total;
        c.rang = ligne + 1;
        c.page = nombre_pages();
        return c;
    }

    void fermer_page() {
        if (nombre_pages() == 0) return;
        QVector<BandeRendue> pied;
        rendre(m_.piedPage, contexte(premiere_), pied);
        double y = doc_.hauteur - m_.marges[2] - hauteur(pied);
        for (BandeRendue& b : pied) { b.y = y; y += b.hauteur; doc_.pages.last().bandes.append(std::move(b)); }
    }

    // `reprise`: the page continues the group under way, whose heading is repeated there,
    // marked as a continuation, before the column headings.
    void nouvelle_page(int ligne, bool reprise = false) {
        fermer_page();
        doc_.pages.append(Page{});
        premiere_ = ligne;
        y_ = m_.marges[0];
        corps_ = false;
        colonnesEnAttente_ = !m_.enteteColonnes.isEmpty();
        QVector<BandeRendue> entete;
        rendre(m_.entetePage, contexte(ligne), entete);
        poser(entete, false);
        if (reprise && groupe_ && !m_.enteteGroupe.isEmpty()) {
            Contexte c = *groupe_;
            c.page = nombre_pages();
            QVector<BandeRendue> tete;
            suite_ = true;
            rendre(m_.enteteGroupe, c, tete);
            suite_ = false;
            poser(tete, false);
        }
        corps_ = false;
    }

    // `colonnes`: the bands are records, so a new page starts with the column headings.
    void poser(QVector<BandeRendue>& bs, bool couper = true, bool colonnes = false) {
        for (BandeRendue& b : bs) {
            // A line's type rises a little above its box: 2 mm keep it off the window's edge.
            if (dans_la_fenetre(b)) y_ = m_.cadreFenetre[1] + m_.cadreFenetre[3] + 2;
            if (couper && corps_ && y_ + b.hauteur > limite_ + 1e-6) {
                nouvelle_page(ligneCourante_, true);
                if (colonnes && colonnesEnAttente_) rendre_colonnes_poses(ligneCourante_);
            }
            b.y = y_;
            y_ += b.hauteur;
            corps_ = true;
            doc_.pages.last().bandes.append(std::move(b));
        }
    }

    // Places bands after the column headings still due on this page or in this group,
    // moving both to the next page when they do not fit together.
    void poser_avec_colonnes(QVector<BandeRendue> bs, int ligne) {
        ligneCourante_ = ligne;
        double avant = bs.isEmpty() ? 0 : bs.first().hauteur;
        if (colonnesEnAttente_) {
            QVector<BandeRendue> col;
            rendre(m_.enteteColonnes, contexte(ligne), col);
            avant += hauteur(col);
        }
        if (corps_ && y_ + avant > limite_ + 1e-6) nouvelle_page(ligne, true);
        if (colonnesEnAttente_) rendre_colonnes_poses(ligne);
        poser(bs, true, true);
    }
    void rendre_colonnes_poses(int ligne) {
        QVector<BandeRendue> col;
        rendre(m_.enteteColonnes, contexte(ligne), col);
        poser(col);
        colonnesEnAttente_ = false;
    }

    double hauteur_pied() const {
        QVector<BandeRendue> pied;
        rendre(m_.piedPage, contexte(d_.lignes.isEmpty() ? -1 : 0), pied);
        return hauteur(pied);
    }

    void enregistrement(int i, int rang, const Contexte& base) {
        if (m_.saut == Modele::Saut::Enregistrement && i > 0 && corps_) nouvelle_page(i);
        if (m_.detail.isEmpty()) return;
        Contexte c = base;
        c.ligne = i;
        c.rang = rang;
        c.page = nombre_pages();
        QVector<BandeRendue> bs;
        rendre(m_.detail, c, bs);
        if (pied_seul_apres(i, bs)) nouvelle_page(i, true);
        poser_avec_colonnes(std::move(bs), i);
    }

    // Whether the group's foot would stand alone on the next page, under the group's repeated
    // heading, after its last record `i` (laid out as `bs`) fills this one: the record then
    // goes with it, when a record of the group stays on this page.
    bool pied_seul_apres(int i, const QVector<BandeRendue>& bs) const {
        if (!groupe_ || i + 1 != finGroupe_ || !corps_ || i <= qMax(premiere_, d_.debutsGroupes[g_])) return false;
        QVector<BandeRendue> pied, col;
        Contexte c = *groupe_;
        c.page = nombre_pages();
        rendre(m_.piedGroupe, c, pied);
        if (colonnesEnAttente_) rendre(m_.enteteColonnes, contexte(i), col);
        const double ligne = hauteur(col) + hauteur(bs);
        return !pied.isEmpty() && y_ + ligne <= limite_ + 1e-6 && y_ + ligne + hauteur(pied) > limite_ + 1e-6;
    }

    // Columns sized from what they hold: within the template's total width, a column whose
    // longest value is narrower than its width lends the spare room to the columns whose values
    // are wider than theirs, never below what its longest value and its heading's longest word
    // need. A column left empty (a grid filled in by hand) keeps its width. Only a single detail
    // line under headings of the same widths is adjusted, so that they stay aligned.
    void ajuster_colonnes() {
        const Element* detail = premiere_ligne(m_.detail);
        const Element* tete = premiere_ligne(m_.enteteColonnes);
        QVector<const Element*> lignes;
        lignes_detail(m_.detail, lignes);
        if (!detail || !tete || lignes.size() != 1 || d_.lignes.isEmpty()) return;
        const auto cd = deplier(detail->cellules), ct = deplier(tete->cellules);
        if (cd.size() != ct.size()) return;
        double fixe = 0;
        for (int j = 0; j < cd.size(); ++j) {
            if (cd[j].first->largeur <= 0 || !qFuzzyCompare(cd[j].first->largeur, ct[j].first->largeur)) return;
            fixe += cd[j].first->largeur;
        }
        const double facteur = fixe > largeurUtile_ ? largeurUtile_ / fixe : 1.0;
        const double marges = 2 * CelluleRendue{}.marge + 0.01;
        QVector<double> largeurs(cd.size()), valeurs(cd.size(), 0), besoins(cd.size());
        // The columns are sized from the records of the first pages, so that a long list starts
        // at once; a later value wider than its column is set smaller or broken in its cell.
        const int mesurees = qMin(int(d_.lignes.size()), LignesMesurees);
        for (int i = 0; i < mesurees; ++i) {
            Contexte c = contexte(i);
            for (int j = 0; j < cd.size(); ++j) {
                c.repetition = cd[j].second;
                const Style s = e_.style(*cd[j].first);
                const QString t = e_.cellule(*cd[j].first, c);
                // Only a text that may be wider than the widest so far is measured.
                if (mesure::largeur_majoree(t, s) <= valeurs[j]) continue;
                for (const QString& l : t.split('\n')) valeurs[j] = qMax(valeurs[j], mesure::largeur(l, s));
            }
        }
        // The rank column is sized for the list's largest rank, wherever it comes.
        for (int j = 0; j < cd.size(); ++j) {
            if (cd[j].second != 0 || !montre_rang(*cd[j].first)) continue;
            Contexte c = contexte(0);
            c.rang = plus_grand_rang();
            valeurs[j] = qMax(valeurs[j], mesure::largeur(e_.cellule(*cd[j].first, c), e_.style(*cd[j].first)));
        }
        double preteur = 0, demande = 0;
        for (int j = 0; j < cd.size(); ++j) {
            largeurs[j] = cd[j].first->largeur * facteur;
            Contexte c = contexte(0);
            c.repetition = ct[j].second;
            const Style s = e_.style(*ct[j].first);
            double mot = 0;
            for (const QString& m : e_.cellule(*ct[j].first, c).split(blancs(), Qt::SkipEmptyParts))
                mot = qMax(mot, mesure::largeur(m, s));
            besoins[j] = valeurs[j] > 0 ? qMax(valeurs[j], mot) + marges : largeurs[j];
            preteur += qMax(0.0, largeurs[j] - besoins[j]);
            demande += qMax(0.0, besoins[j] - largeurs[j]);
        }
        if (preteur <= 0 || demande <= 0) return;
        const double pris = qMin(preteur, demande);
        // The rank column is served first: a number cannot go onto a second line.
        QVector<bool> rangs(cd.size());
        double demandeRangs = 0;
        for (int j = 0; j < cd.size(); ++j) {
            rangs[j] = cd[j].second == 0 && montre_rang(*cd[j].first);
            if (rangs[j]) demandeRangs += qMax(0.0, besoins[j] - largeurs[j]);
        }
        const double pourRangs = qMin(pris, demandeRangs), reste = pris - pourRangs;
        const double demandeAutres = demande - demandeRangs;
        for (int j = 0; j < cd.size(); ++j) {
            if (largeurs[j] > besoins[j]) largeurs[j] -= (largeurs[j] - besoins[j]) * pris / preteur;
            else if (rangs[j]) largeurs[j] += (besoins[j] - largeurs[j]) * pourRangs / demandeRangs;
            else if (demandeAutres > 0) largeurs[j] += (besoins[j] - largeurs[j]) * reste / demandeAutres;
        }
        largeurs_ = largeurs;
        detail_ = detail;
        tete_ = tete;
    }

    // The address of a window envelope at its fixed place on the first page, shortened as a
    // label is when it does not fit; nothing of the page's flow enters its frame.
    void placer_fenetre() {
        const double* f = m_.cadreFenetre;
        if (f[2] <= 0 || m_.fenetre.isEmpty()) return;
        BandeRendue b;
        b.fixe = true;
        b.y = f[1];
        b.hauteur = f[3];
        CelluleRendue c;
        c.x = f[0];
        c.largeur = f[2];
        c.marge = 0;
        bool raccourcie = false;
        const QVector<LigneTexte> adresse = etiquette(m_.fenetre, contexte(ligneCourante_), f[2], f[3] - 0.6, raccourcie);
        c.lignes = decltype(c.lignes)(adresse.begin(), adresse.end());
        if (c.lignes.isEmpty()) {
            // An address the caller gives empty (a pupil whose family record is missing) leaves
            // the frame blank: the date does not take its place in the envelope's window. A
            // letter given no address at all lets the page use that place.
            if (formule_donnee(m_.fenetre)) pageFenetre_ = nombre_pages();
            return;
        }
        // Six lines at most, as the post reads them: the name and the town line are kept.
        while (c.lignes.size() > LignesFenetre) c.lignes.remove(c.lignes.size() - 2);
        b.cellules.append(std::move(c));
        doc_.pages.last().bandes.append(std::move(b));
        pageFenetre_ = nombre_pages();
    }

    // Whether a line of `b` shows a formula that the caller gives, even empty.
    bool formule_donnee(const Bande& b) const {
        for (const Element& e : b) {
            if (e.genre == Element::Bloc && formule_donnee(e.enfants)) return true;
            for (const Cellule& c : e.cellules)
                for (const Morceau& mo : c.contenu)
                    if (mo.genre == Morceau::Formule && e_.f_.contains(mo.texte)) return true;
        }
        return false;
    }

    // Whether a band placed at the current height would print in the envelope's window or
    // above it: the page's side of the window holds the address alone down to its foot, so
    // that the date and the title always follow the address.
    bool dans_la_fenetre(const BandeRendue& b) const {
        const double* f = m_.cadreFenetre;
        if (pageFenetre_ != nombre_pages() || y_ >= f[1] + f[3]) return false;
        if (b.trait) return true;
        for (const CelluleRendue& c : b.cellules) {
            const bool imprime = c.cadre || std::any_of(c.lignes.begin(), c.lignes.end(),
                                                        [](const LigneTexte& l) { return !l.texte.isEmpty(); });
            if (imprime && c.x < f[0] + f[2] && c.x + c.largeur > f[0]) return true;
        }
        return false;
    }

    void debut_rapport() {
        ajuster_colonnes();
        limite_ = doc_.hauteur - m_.marges[2] - hauteur_pied();
        const int n = d_.lignes.size();
        nouvelle_page(n > 0 ? 0 : -1);
        ligneCourante_ = n > 0 ? 0 : -1;
        placer_fenetre();
        QVector<BandeRendue> debut;
        rendre(m_.debutRapport, contexte(ligneCourante_), debut);
        poser(debut);
    }

    void tete_groupe() {
        const auto& debuts = d_.debutsGroupes;
        const int g = g_, de = debuts[g];
        finGroupe_ = g + 1 < debuts.size() ? debuts[g + 1] : d_.lignes.size();
        i_ = de;
        Contexte c = contexte(de);
        c.nombre = finGroupe_ - de;
        c.groupe = d_.valeursGroupes.value(g);
        ligneCourante_ = de;
        if (m_.saut == Modele::Saut::Groupe && g > 0 && corps_) nouvelle_page(de);
        c.page = nombre_pages();
        QVector<BandeRendue> tete;
        rendre(m_.enteteGroupe, c, tete);
        // A group heading never stays alone at the foot of a page.
        if (!tete.isEmpty()) {
            QVector<BandeRendue> suite;
            if (!m_.detail.isEmpty()) { Contexte cd = c; cd.rang = 1; rendre(m_.detail, cd, suite); }
            else rendre(m_.piedGroupe, c, suite);
            QVector<BandeRendue> col;
            rendre(m_.enteteColonnes, c, col);
            const double besoin = hauteur(tete) + hauteur(col) + (suite.isEmpty() ? 0 : suite.first().hauteur);
            if (corps_ && y_ + besoin > limite_ + 1e-6) nouvelle_page(de);
            poser(tete);
        }
        groupe_ = c;
        // The headings follow each group heading; without one they head the page only.
        if (!m_.enteteGroupe.isEmpty()) colonnesEnAttente_ = !m_.enteteColonnes.isEmpty();
    }

    void pied_groupe() {
        Contexte c = *groupe_;
        c.page = nombre_pages();
        QVector<BandeRendue> pied;
        rendre(m_.piedGroupe, c, pied);
        if (m_.detail.isEmpty()) poser_avec_colonnes(std::move(pied), d_.debutsGroupes[g_]);
        else { ligneCourante_ = finGroupe_ - 1; poser(pied); }
        groupe_.reset();
    }

    void fin_rapport() {
        const int n = d_.lignes.size();
        QVector<BandeRendue> fin;
        Contexte c = contexte(n > 0 ? 0 : -1);
        c.page = nombre_pages();
        rendre(m_.finRapport, c, fin);
        poser(fin);
        fermer_page();
    }

    // --- Label sheets -----------------------------------------------------------------
    // `reduction`: points taken off every size; `unique`: each line kept on one line, cut
    // with "…" when too long, instead of running onto the next.
    void lignes_etiquette(const Bande& b, const Contexte& c, double largeur, double reduction, bool unique,
                          QVector<LigneTexte>& r) const {
        for (const Element& el : b) {
            if (el.genre == Element::Espace) { r.append(LigneTexte{QString(), Style{}, el.mm}); continue; }
            if (el.genre == Element::Bloc) {
                if (e_.vrai(el.condition, c)) lignes_etiquette(el.enfants, c, largeur, reduction, unique, r);
                continue;
            }
            if (el.genre != Element::Ligne || el.cellules.isEmpty()) continue;
            QStringList morceaux;
            bool avecPlace = false;
            for (const auto& [ce, i] : deplier(el.cellules)) {
                Contexte ci = c;
                ci.repetition = i;
                const QString t = e_.cellule(*ce, ci, &avecPlace).simplified();
                if (!t.isEmpty()) morceaux.append(t);
            }
            if (morceaux.isEmpty() && avecPlace) continue;
            Style s = e_.style(el.cellules.first());
            s.taille = qMax(TailleMinimale, s.taille - reduction);
            const double h = mesure::hauteur_ligne(s);
            const QString texte = morceaux.join(' ');
            if (unique) r.append(LigneTexte{mesure::elider(texte, s, largeur), s, h});
            else for (const QString& t : mesure::couper(texte, s, largeur)) r.append(LigneTexte{t, s, h});
        }
    }

    // A label's lines within `hauteur` mm. When they do not fit, the text is set smaller down
    // to a readable size, then each line is cut to one line, then lines are left out from the
    // one before last upwards: the first line (the name) and the last one (postcode and town)
    // are always printed.
    QVector<LigneTexte> etiquette(const Bande& bande, const Contexte& c, double largeur, double hauteur,
                                  bool& raccourcie) const {
        const auto total = [](const QVector<LigneTexte>& ls) {
            double h = 0;
            for (const LigneTexte& l : ls) h += l.hauteur;
            return h;
        };
        QVector<LigneTexte> lignes;
        lignes_etiquette(bande, c, largeur, 0, false, lignes);
        raccourcie = total(lignes) > hauteur + 1e-6;
        if (!raccourcie) return lignes;
        const double plusGrande = qMax(double(m_.police), 14.0);
        for (double reduction = 0.5; plusGrande - reduction >= TailleMinimale - 1e-9; reduction += 0.5) {
            lignes.clear();
            lignes_etiquette(bande, c, largeur, reduction, false, lignes);
            if (total(lignes) <= hauteur + 1e-6) return lignes;
        }
        lignes.clear();
        lignes_etiquette(bande, c, largeur, plusGrande, true, lignes);
        while (total(lignes) > hauteur + 1e-6 && lignes.size() > 2) lignes.remove(lignes.size() - 2);
        return lignes;
    }

    void etiquette_placee(int i) {
        const int colonnes = m_.etiquettesColonnes, rangees = m_.etiquettesLignes;
        const double lw = largeurUtile_ / colonnes;
        const double lh = (doc_.hauteur - m_.marges[0] - m_.marges[2]) / rangees;
        const double marge = 3;
        const int pos = i % (colonnes * rangees);
        if (pos == 0 && i > 0) doc_.pages.append(Page{});
        const int col = pos % colonnes, rang = pos / colonnes;
        Page& p = doc_.pages.last();
        // A row holds all its places from the start, filled or not, so that a word processor
        // keeps every label of a partly filled row in its own place.
        if (col == 0) {
            BandeRendue b;
            b.y = m_.marges[0] + rang * lh;
            b.hauteur = lh;
            for (int k = 0; k < colonnes; ++k) {
                CelluleRendue ce;
                ce.x = m_.marges[3] + k * lw;
                ce.largeur = lw;
                ce.marge = marge;
                b.cellules.append(ce);
            }
            p.bandes.append(b);
        }
        bool raccourcie = false;
        const QVector<LigneTexte> lignes = etiquette(m_.detail, contexte(i), lw - 2 * marge, lh - 2 * marge, raccourcie);
        auto& cellule = p.bandes.last().cellules[col];
        cellule.lignes = decltype(cellule.lignes)(lignes.begin(), lignes.end());
        if (raccourcie) ++doc_.etiquettesRaccourcies;
    }

    enum class Etat { Debut, Etiquette, TeteGroupe, Enregistrement, PiedGroupe, Fin, Terminee };

    const Modele& m_;
    const Donnees& d_;
    Evaluateur e_;
    DocumentRendu doc_;     // the pages not yet taken, the one under way last
    int prises_ = 0;        // pages taken before them
    Etat etat_ = Etat::Debut;
    int g_ = 0, i_ = 0;     // the group and the record under way
    int finGroupe_ = 0;     // the record after the group's last
    double largeurUtile_ = 180;
    double y_ = 0, limite_ = 0;
    bool corps_ = false, colonnesEnAttente_ = false;
    int premiere_ = -1, ligneCourante_ = -1;
    QVector<double> largeurs_;                          // adjusted column widths, mm
    const Element *detail_ = nullptr, *tete_ = nullptr;  // the lines they apply to
    std::optional<Contexte> groupe_;  // the group under way, once its heading is placed
    mutable bool suite_ = false;      // the next printed cell is marked as a continuation
    mutable QHash<const Cellule*, double> taillesRangs_;  // print size of the rank cells
    mutable QHash<const Element*, QVector<std::pair<const Cellule*, int>>> deplies_;  // lines' cells, unfolded
    int pageFenetre_ = 0;  // the page holding the envelope's address, 0 none
};

// The first line of a band, looking inside blocks.
const Element* premiere_ligne(const Bande& b) {
    for (const Element& e : b) {
        if (e.genre == Element::Ligne) return &e;
        if (e.genre == Element::Bloc) if (const Element* x = premiere_ligne(e.enfants)) return x;
    }
    return nullptr;
}

void lignes_detail(const Bande& b, QVector<const Element*>& r) {
    for (const Element& e : b) {
        if (e.genre == Element::Ligne) r.append(&e);
        if (e.genre == Element::Bloc) lignes_detail(e.enfants, r);
    }
}

}  // namespace

namespace {

// JJ/MM/AAAA, written directly: a list formats a date on every row.
QString jour_mois_annee(const QDate& d) {
    if (!d.isValid()) return {};
    int a = 0, m = 0, j = 0;
    d.getDate(&a, &m, &j);
    if (a < 0 || a > 9999) return d.toString(QStringLiteral("dd/MM/yyyy"));
    const QChar chiffres[] = {QChar(u'0' + j / 10), QChar(u'0' + j % 10), u'/',
                              QChar(u'0' + m / 10), QChar(u'0' + m % 10), u'/',
                              QChar(u'0' + a / 1000), QChar(u'0' + a / 100 % 10), QChar(u'0' + a / 10 % 10), QChar(u'0' + a % 10)};
    return QString(chiffres, 10);
}

}  // namespace

QString texte_valeur(const QVariant& v) {
    if (v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::QDate: return jour_mois_annee(v.toDate());
    case QMetaType::QDateTime: return jour_mois_annee(v.toDateTime().date());
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("Oui") : QStringLiteral("Non");
    case QMetaType::Double: {
        const double x = v.toDouble();
        if (x == qint64(x)) return QString::number(qint64(x));
        return QLocale(QLocale::French).toString(x, 'g', 12);
    }
    default: return v.toString();
    }
}

const QString& marque_pages() {
    static const QString marque(QChar(0xE000));
    return marque;
}

void remplacer_marque(Page& page, const QString& nombre) {
    for (BandeRendue& b : page.bandes)
        for (CelluleRendue& c : b.cellules)
            for (LigneTexte& l : c.lignes)
                if (l.texte.contains(marque_pages())) l.texte.replace(marque_pages(), nombre);
}

struct MiseEnPage::Donnees_ {
    Modele modele;
    Donnees donnees;
    Formules formules;
    Mise mise;
    Donnees_(Modele m, Donnees d, Formules f, const QDate& jour)
        : modele(std::move(m)), donnees(std::move(d)), formules(std::move(f)), mise(modele, donnees, formules, jour) {}
};

MiseEnPage::MiseEnPage(Modele m, Donnees d, Formules f, const QDate& jour)
    : d_(std::make_unique<Donnees_>(std::move(m), std::move(d), std::move(f), jour)) {}
MiseEnPage::~MiseEnPage() = default;

bool MiseEnPage::avancer(int pages) {
    Mise& mise = d_->mise;
    const int but = mise.pages_finies() + qMax(1, pages);
    while (mise.pas())
        if (mise.pages_finies() >= but) return true;
    return false;
}

bool MiseEnPage::terminee() const { return d_->mise.terminee(); }

QVector<Page> MiseEnPage::prendre() {
    QVector<Page> pages = d_->mise.prendre();
    if (terminee()) {
        const QString n = QString::number(d_->mise.nombre_pages());
        for (Page& p : pages) remplacer_marque(p, n);
    }
    return pages;
}

int MiseEnPage::pages_totales() const { return terminee() ? d_->mise.nombre_pages() : -1; }
const DocumentRendu& MiseEnPage::document() const { return d_->mise.document(); }
int MiseEnPage::etiquettes_raccourcies() const { return d_->mise.raccourcies(); }

bool MiseEnPage::montre_nombre_pages() const {
    const std::function<bool(const Bande&)> dans = [&](const Bande& b) {
        for (const Element& e : b) {
            if (e.genre == Element::Bloc && dans(e.enfants)) return true;
            for (const Cellule& c : e.cellules)
                for (const Morceau& mo : c.contenu)
                    if (mo.genre == Morceau::Special && mo.texte == u"pages") return true;
        }
        return false;
    };
    const Modele& m = d_->modele;
    for (const Bande* b : {&m.entetePage, &m.debutRapport, &m.enteteColonnes, &m.enteteGroupe, &m.detail,
                           &m.piedGroupe, &m.finRapport, &m.piedPage, &m.fenetre})
        if (dans(*b)) return true;
    return false;
}

DocumentRendu mettre_en_page(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour) {
    MiseEnPage mise(m, d, f, jour);
    QVector<Page> pages;
    while (mise.avancer(1 << 20)) pages += mise.prendre();
    // The page count is known once the last step is done: written in the pages held back.
    const QString n = QString::number(mise.pages_totales());
    for (Page& p : pages) remplacer_marque(p, n);
    pages += mise.prendre();
    DocumentRendu doc = mise.document();
    doc.pages = std::move(pages);
    doc.etiquettesRaccourcies = mise.etiquettes_raccourcies();
    return doc;
}

struct LignesTableau::Impl {
    const Modele& m;
    const Donnees& d;
    Evaluateur e;
    qint64 total;
    QVector<std::pair<const Cellule*, int>> colonnes;  // every detail cell, switched-off blocks included
    QStringList cellules;
    Impl(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour, qint64 total)
        : m(m), d(d), e(m, d, f, jour), total(total) {}
};

LignesTableau::LignesTableau(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour, qint64 total)
    : d_(std::make_unique<Impl>(m, d, f, jour, total)) {
    // Every detail line, switched-off blocks included, so that the columns stay aligned.
    QVector<const Element*> lignes;
    lignes_detail(m.detail, lignes);
    for (const Element* l : lignes) d_->colonnes += deplier(l->cellules);
}

LignesTableau::~LignesTableau() = default;

QStringList LignesTableau::entetes() const {
    QStringList entetes;
    Contexte vide;
    vide.total = vide.nombre = int(d_->total);
    if (const Element* tete = premiere_ligne(d_->m.enteteColonnes)) {
        for (const auto& [ce, i] : deplier(tete->cellules)) {
            Contexte c = vide;
            c.repetition = i;
            entetes.append(d_->e.cellule(*ce, c).trimmed());
        }
    } else {
        for (const auto& [ce, i] : d_->colonnes) {
            QString nom;
            for (const Morceau& mo : ce->contenu)
                if (mo.genre == Morceau::Valeur && mo.valeur->genre == formule::Noeud::Champ) { nom = mo.valeur->champ; break; }
            entetes.append(nom);
        }
    }
    return entetes;
}

const QStringList& LignesTableau::cellules(int ligne, qint64 rang) {
    Contexte c;
    c.total = c.nombre = int(d_->total);
    c.ligne = ligne;
    c.rang = int(rang);
    d_->cellules.clear();
    for (const auto& [ce, i] : d_->colonnes) {
        c.repetition = i;
        d_->cellules.append(d_->e.cellule(*ce, c).trimmed());
    }
    return d_->cellules;
}

void parcourir_tableau(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour, QString& titre,
                       QStringList& entetes, const std::function<void(const QStringList& cellules)>& ligne) {
    LignesTableau table(m, d, f, jour, d.lignes.size());
    titre = m.titre;
    entetes = table.entetes();
    for (int r = 0; r < d.lignes.size(); ++r) ligne(table.cellules(r, r + 1));
}

Tableau mettre_en_tableau(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour) {
    Tableau t;
    t.lignes.reserve(d.lignes.size());
    parcourir_tableau(m, d, f, jour, t.titre, t.entetes, [&t](const QStringList& cellules) { t.lignes.append(cellules); });
    return t;
}

}  // namespace report

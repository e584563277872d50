#include "platform/report/mesure.h"

#include <QFontMetricsF>
#include <QHash>
#include <memory>

namespace report::mesure {

namespace {

// A list repeats the same texts (classes, towns, headings) on every row: each width is
// measured once per font.
struct Metrique {
    QFont police;
    QFontMetricsF m;
    QHash<QString, double> largeurs;
    explicit Metrique(const QFont& f) : police(f), m(f) {}

    double largeur(const QString& texte) {
        auto it = largeurs.constFind(texte);
        if (it != largeurs.constEnd()) return *it;
        if (largeurs.size() > 100000) largeurs.clear();
        const double l = m.horizontalAdvance(texte);
        largeurs.insert(texte, l);
        return l;
    }
};

// Fonts and their measures are per thread: pages may be laid out away from the window's.
Metrique& metrique(const Style& s) {
    thread_local QHash<int, std::shared_ptr<Metrique>> cache;
    const int cle = int(s.taille * 10) * 4 + (s.gras ? 1 : 0) + (s.italique ? 2 : 0);
    auto it = cache.find(cle);
    if (it == cache.end()) it = cache.insert(cle, std::make_shared<Metrique>(police(s)));
    return **it;
}

}  // namespace

QFont police(const Style& s) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    // Points to hundredths of a millimetre: 1 pt = 0.3528 mm.
    f.setPixelSize(qMax(1, qRound(s.taille * 25.4 / 72.0 * UnitesParMm)));
    f.setBold(s.gras);
    f.setItalic(s.italique);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

double largeur(const QString& texte, const Style& s) {
    return metrique(s).largeur(texte) / UnitesParMm;
}

double hauteur_ligne(const Style& s) {
    return s.taille * 25.4 / 72.0 * 1.22;
}

QString elider(const QString& texte, const Style& s, double largeurMax) {
    return metrique(s).m.elidedText(texte, Qt::ElideRight, largeurMax * UnitesParMm);
}

QStringList couper(const QString& texte, const Style& s, double largeurMax) {
    QStringList r;
    const QFontMetricsF& m = metrique(s).m;
    const double max = largeurMax * UnitesParMm;
    for (const QString& paragraphe : texte.split('\n')) {
        QString p = paragraphe;
        if (p.endsWith('\r')) p.chop(1);
        if (m.horizontalAdvance(p) <= max) { r.append(p); continue; }
        QString ligne;
        const QStringList mots = p.split(' ');
        for (int i = 0; i < mots.size(); ++i) {
            QString mot = mots[i];
            const QString essai = ligne.isEmpty() ? mot : ligne + ' ' + mot;
            if (m.horizontalAdvance(essai) <= max) { ligne = essai; continue; }
            if (!ligne.isEmpty()) { r.append(ligne); ligne.clear(); }
            // A word wider than the line is cut where it overflows.
            while (m.horizontalAdvance(mot) > max && mot.size() > 1) {
                int n = 1;
                while (n < mot.size() && m.horizontalAdvance(mot.left(n + 1)) <= max) ++n;
                r.append(mot.left(n));
                mot = mot.mid(n);
            }
            ligne = mot;
        }
        r.append(ligne);
    }
    return r;
}

}  // namespace report::mesure

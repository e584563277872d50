#include "platform/report/mesure.h"

#include <QFontMetricsF>
#include <QHash>
#include <QRegularExpression>
#include <memory>

namespace report::mesure {

namespace {

// A list repeats the same texts (classes, towns, headings) on every row: each width is
// measured once per font.
struct Metrique {
    // Characters whose single widths are kept: Latin letters, accents, punctuation.
    static constexpr int Caracteres = 0x2100;
    QFont police;
    QFontMetricsF m;
    QHash<QString, double> largeurs;
    QVector<double> avances;  // -1 until measured
    explicit Metrique(const QFont& f) : police(f), m(f), avances(Caracteres, -1) {}

    double majoree(const QString& texte) {
        double somme = 0;
        double* connues = avances.data();
        for (const QChar q : texte) {
            if (q.unicode() >= Caracteres) return largeur(texte);
            double& a = connues[q.unicode()];
            if (a < 0) a = m.horizontalAdvance(q);
            somme += a;
        }
        return somme;
    }

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
    // A list's cells come in a few styles, one after the other: the last one is kept at hand.
    thread_local int derniereCle = -1;
    thread_local Metrique* derniere = nullptr;
    const int cle = int(s.taille * 10) * 4 + (s.gras ? 1 : 0) + (s.italique ? 2 : 0);
    if (cle == derniereCle) return *derniere;
    auto it = cache.find(cle);
    if (it == cache.end()) it = cache.insert(cle, std::make_shared<Metrique>(police(s)));
    derniereCle = cle;
    derniere = it->get();
    return *derniere;
}

}  // namespace

bool est_nombre(const QString& mot) {
    static const QRegularExpression nombre(QStringLiteral("^[+-]?\\d+([.,]\\d+)*%?$"));
    return !mot.isEmpty() && nombre.match(mot).hasMatch();
}

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

double largeur_majoree(const QString& texte, const Style& s) {
    return metrique(s).majoree(texte) / UnitesParMm;
}

double hauteur_ligne(const Style& s) {
    return s.taille * 25.4 / 72.0 * 1.22;
}

QString elider(const QString& texte, const Style& s, double largeurMax) {
    return metrique(s).m.elidedText(texte, Qt::ElideRight, largeurMax * UnitesParMm);
}

QStringList couper(const QString& texte, const Style& s, double largeurMax) {
    QStringList r;
    Metrique& m = metrique(s);
    const double max = largeurMax * UnitesParMm;
    // Most cells hold one short line.
    if (!texte.contains('\n') && !texte.endsWith('\r') && m.largeur(texte) <= max) return {texte};
    for (const QString& paragraphe : texte.split('\n')) {
        QString p = paragraphe;
        if (p.endsWith('\r')) p.chop(1);
        if (m.largeur(p) <= max) { r.append(p); continue; }
        // Lines break between words, or after a hyphen inside a word too long for the line;
        // a part still wider than the line (an e-mail address, a file path) is cut between
        // characters. A number is never cut: it stands alone on its line.
        QStringList morceaux;
        QList<bool> apresBlanc;
        const auto ajouter = [&](const QString& partie, bool blanc) {
            if (m.largeur(partie) <= max || est_nombre(partie)) { morceaux << partie; apresBlanc << blanc; return; }
            QString bout;
            for (int i = 0; i < partie.size(); ++i) {
                // A letter outside the basic plane is two halves that stay together.
                const int n = partie[i].isHighSurrogate() && i + 1 < partie.size() ? 2 : 1;
                const QString c = partie.mid(i, n);
                i += n - 1;
                if (!bout.isEmpty() && m.largeur(bout + c) > max) {
                    morceaux << bout;
                    apresBlanc << blanc;
                    blanc = false;
                    bout.clear();
                }
                bout += c;
            }
            morceaux << bout;
            apresBlanc << blanc;
        };
        for (const QString& mot : p.split(' ')) {
            if (m.largeur(mot) <= max || !mot.contains('-')) { ajouter(mot, true); continue; }
            const QStringList parties = mot.split('-');
            for (int i = 0; i < parties.size(); ++i)
                ajouter(parties[i] + (i + 1 < parties.size() ? QStringLiteral("-") : QString()), i == 0);
        }
        QString ligne;
        for (int i = 0; i < morceaux.size(); ++i) {
            const QString essai = ligne.isEmpty() ? morceaux[i] : ligne + (apresBlanc[i] ? QStringLiteral(" ") : QString()) + morceaux[i];
            if (ligne.isEmpty() || m.largeur(essai) <= max) { ligne = essai; continue; }
            r.append(ligne);
            ligne = morceaux[i];
        }
        r.append(ligne);
    }
    return r;
}

}  // namespace report::mesure

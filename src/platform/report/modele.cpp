#include "platform/report/modele.h"

#include "platform/erreur.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace report {

namespace {

constexpr int ErreurModele = 3075;

const QStringList Speciaux = {"date", "page", "pages", "nombre", "pourcentage", "groupe", "n"};

struct Lecture {
    QString nom;
    int ligne = 0;
    [[noreturn]] void refuser(const QString& raison) const {
        throw Erreur(ErreurModele, QStringLiteral("Modèle d'édition « %1 » incorrect, ligne %2 : %3")
                                       .arg(nom).arg(ligne).arg(raison));
    }
};

// The formula errors carry no line: give them the template's line.
template <class F> auto avec_ligne(const Lecture& l, F f) {
    try {
        return f();
    } catch (const Erreur& e) {
        l.refuser(e.texte);
    }
}

// "{table.champ}", "{@nom}" or "{=...}" starting at `i` (on the brace); `i` moves past it.
Morceau place(const QString& t, int& i, const Lecture& l) {
    Morceau m;
    if (i + 1 < t.size() && t[i + 1] == '@') {
        const int fin = t.indexOf('}', i);
        if (fin < 0) l.refuser(QStringLiteral("accolade non fermée"));
        m.genre = Morceau::Formule;
        m.texte = t.mid(i + 2, fin - i - 2).trimmed();
        if (m.texte.isEmpty()) l.refuser(QStringLiteral("nom de formule vide"));
        i = fin + 1;
        return m;
    }
    if (i + 1 < t.size() && t[i + 1] == '=') {
        int j = i + 2;
        while (j < t.size() && t[j].isSpace()) ++j;
        int k = j;
        while (k < t.size() && t[k].isLetter()) ++k;
        const QString mot = t.mid(j, k - j);
        int apres = k;
        while (apres < t.size() && t[apres].isSpace()) ++apres;
        if (Speciaux.contains(mot) && apres < t.size() && t[apres] == '}') {
            m.genre = Morceau::Special;
            m.texte = mot;
            i = apres + 1;
            return m;
        }
        int p = i + 2;
        m.genre = Morceau::Valeur;
        m.valeur = avec_ligne(l, [&] { return formule::analyser_partiel(t, p); });
        if (p >= t.size() || t[p] != '}') l.refuser(QStringLiteral("« } » attendu après la valeur"));
        i = p + 1;
        return m;
    }
    const int fin = t.indexOf('}', i);
    if (fin < 0) l.refuser(QStringLiteral("accolade non fermée"));
    m.genre = Morceau::Valeur;
    m.valeur = avec_ligne(l, [&] { return formule::analyser(t.mid(i, fin - i + 1)); });
    i = fin + 1;
    return m;
}

QVector<Morceau> contenu(const QString& t, const Lecture& l) {
    QVector<Morceau> r;
    QString texte;
    auto vider = [&] {
        if (!texte.isEmpty()) r.append(Morceau{Morceau::Texte, texte, nullptr});
        texte.clear();
    };
    for (int i = 0; i < t.size();) {
        const QChar c = t[i];
        if (c == '\\' && i + 1 < t.size()) { texte += t[i + 1]; i += 2; continue; }
        if (c == '{') { vider(); r.append(place(t, i, l)); continue; }
        texte += c;
        ++i;
    }
    vider();
    return r;
}

Cellule cellule(QString t, const Lecture& l) {
    Cellule c;
    t = t.trimmed();
    if (t.startsWith('[')) {
        const int fin = t.indexOf(']');
        if (fin < 0) l.refuser(QStringLiteral("« ] » manquant"));
        const QStringList attributs = t.mid(1, fin - 1).split(' ', Qt::SkipEmptyParts);
        for (const QString& a : attributs) {
            bool ok = false;
            const double v = QString(a).replace(',', '.').toDouble(&ok);
            if (ok) { if (v < 0) l.refuser(QStringLiteral("largeur négative")); c.largeur = v; continue; }
            if (a == "gauche") c.alignement = 0;
            else if (a == "centre") c.alignement = 1;
            else if (a == "droite") c.alignement = 2;
            else if (a == "gras") c.gras = true;
            else if (a == "italique") c.italique = true;
            else if (a == "cadre") c.cadre = true;
            else if (a.endsWith(QLatin1String("pt")) && (c.taille = a.chopped(2).replace(',', '.').toDouble(&ok), ok && c.taille > 0)) {}
            else if (a.startsWith('x') && (c.repetition = a.mid(1).toInt(&ok), ok && c.repetition > 0 && c.repetition <= 100)) {}
            else l.refuser(QStringLiteral("attribut inconnu « %1 »").arg(a));
        }
        t = t.mid(fin + 1).trimmed();
    }
    c.contenu = contenu(t, l);
    return c;
}

// Splits a line's cells on "|" outside escapes and braces.
QStringList decouper(const QString& t) {
    QStringList r;
    QString courant;
    int accolades = 0;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == '\\' && i + 1 < t.size()) { courant += c; courant += t[++i]; continue; }
        if (c == '{') ++accolades;
        if (c == '}' && accolades > 0) --accolades;
        if (c == '|' && accolades == 0) { r.append(courant); courant.clear(); continue; }
        courant += c;
    }
    r.append(courant);
    return r;
}

Cle cle(const QString& t, const Lecture& l) {
    QString texte = t.trimmed();
    Cle k;
    if (texte.endsWith(QStringLiteral(" décroissant"))) { k.decroissant = true; texte.chop(12); }
    else if (texte.endsWith(QLatin1String(" croissant"))) texte.chop(10);
    k.valeur = avec_ligne(l, [&] { return formule::analyser(texte); });
    if (!k.valeur) l.refuser(QStringLiteral("clé vide"));
    return k;
}

// Splits on commas outside quotes, braces and parentheses.
QStringList virgules(const QString& t) {
    QStringList r;
    QString courant;
    int niveau = 0;
    bool texte = false;
    for (const QChar c : t) {
        if (c == '"') texte = !texte;
        if (!texte && (c == '{' || c == '(')) ++niveau;
        if (!texte && (c == '}' || c == ')')) --niveau;
        if (c == ',' && !texte && niveau == 0) { r.append(courant); courant.clear(); continue; }
        courant += c;
    }
    r.append(courant);
    return r;
}

void reglage(Modele& m, const QString& cle_, const QString& v, const Lecture& l) {
    if (cle_ == "titre") m.titre = v;
    else if (cle_ == "source") {
        if (v == "élèves") m.source = Source::Eleves;
        else if (v == "élèves_familles") m.source = Source::ElevesFamilles;
        else if (v == "familles") m.source = Source::Familles;
        else if (v == "documents") m.source = Source::Documents;
        else if (v == "aucune") m.source = Source::Aucune;
        else l.refuser(QStringLiteral("source inconnue « %1 »").arg(v));
    } else if (cle_ == "jointure") {
        const int egal = v.indexOf('=');
        const QStringList nom = v.left(egal).trimmed().split('.');
        Jointure j;
        if (egal > 0 && nom.size() == 2 && !nom[0].isEmpty() && !nom[1].isEmpty()) {
            j.table = nom[0];
            j.cle = nom[1];
            j.valeur = avec_ligne(l, [&] { return formule::analyser(v.mid(egal + 1)); });
        }
        if (!j.valeur || j.valeur->genre != formule::Noeud::Champ)
            l.refuser(QStringLiteral("jointure s'écrit table.clé = {table.champ}"));
        m.jointures.append(j);
    } else if (cle_ == "condition") m.condition = avec_ligne(l, [&] { return formule::analyser(v); });
    else if (cle_ == "tri") { for (const QString& k : virgules(v)) m.tri.append(cle(k, l)); }
    else if (cle_ == "groupe") m.groupe = cle(v, l);
    else if (cle_ == "groupe_vide") m.groupeVide = v;
    else if (cle_ == "saut_page") {
        if (v == "groupe") m.saut = Modele::Saut::Groupe;
        else if (v == "enregistrement") m.saut = Modele::Saut::Enregistrement;
        else l.refuser(QStringLiteral("saut_page vaut groupe ou enregistrement"));
    } else if (cle_ == "page") {
        if (v == "portrait") m.paysage = false;
        else if (v == "paysage") m.paysage = true;
        else l.refuser(QStringLiteral("page vaut portrait ou paysage"));
    } else if (cle_ == "marges") {
        const QStringList n = v.split(' ', Qt::SkipEmptyParts);
        if (n.size() != 1 && n.size() != 4) l.refuser(QStringLiteral("marges : 1 ou 4 nombres"));
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            m.marges[i] = QString(n[n.size() == 1 ? 0 : i]).replace(',', '.').toDouble(&ok);
            if (!ok || m.marges[i] < 0 || m.marges[i] > 80) l.refuser(QStringLiteral("marge incorrecte"));
        }
    } else if (cle_ == "fenêtre") {
        const QStringList n = v.split(' ', Qt::SkipEmptyParts);
        bool ok = n.size() == 4;
        for (int i = 0; ok && i < 4; ++i) m.cadreFenetre[i] = QString(n[i]).replace(',', '.').toDouble(&ok);
        if (!ok || m.cadreFenetre[2] <= 0 || m.cadreFenetre[3] <= 0 || m.cadreFenetre[0] < 0 || m.cadreFenetre[1] < 0 ||
            m.cadreFenetre[0] + m.cadreFenetre[2] > 297 || m.cadreFenetre[1] + m.cadreFenetre[3] > 297)
            l.refuser(QStringLiteral("fenêtre s'écrit gauche haut largeur hauteur, en mm, par exemple 110 55 85 33"));
    } else if (cle_ == "famille") {
        if (v == "obligatoire") m.familleObligatoire = true;
        else if (v == "facultative") m.familleObligatoire = false;
        else l.refuser(QStringLiteral("famille vaut obligatoire ou facultative"));
    } else if (cle_ == "police") {
        bool ok = false;
        m.police = QString(v).replace(',', '.').toDouble(&ok);
        if (!ok || m.police < 4 || m.police > 72) l.refuser(QStringLiteral("taille de police incorrecte"));
    } else if (cle_ == "étiquettes") {
        const QStringList n = v.split('x');
        bool ok1 = false, ok2 = false;
        if (n.size() == 2) {
            m.etiquettesColonnes = n[0].trimmed().toInt(&ok1);
            m.etiquettesLignes = n[1].trimmed().toInt(&ok2);
        }
        if (!ok1 || !ok2 || m.etiquettesColonnes < 1 || m.etiquettesLignes < 1 ||
            m.etiquettesColonnes > 10 || m.etiquettesLignes > 30)
            l.refuser(QStringLiteral("étiquettes s'écrit colonnes x lignes, par exemple 3 x 8"));
    } else l.refuser(QStringLiteral("réglage inconnu « %1 »").arg(cle_));
}

void valeurs_morceau(const Morceau& m, QVector<formule::PNoeud>& r) {
    if (m.genre == Morceau::Valeur) r.append(m.valeur);
}

}  // namespace

Modele analyser_modele(const QString& texte, const QString& nom) {
    Modele m;
    m.titre = QFileInfo(nom).completeBaseName();
    Lecture l{nom};
    Bande* bande = nullptr;
    bool rapport = false, vu_rapport = false;
    QVector<Bande*> pile;  // open "si" blocks: the band they add to
    QVector<int> ouvertures;  // and their lines
    const QStringList lignes = texte.split('\n');
    for (int n = 0; n < lignes.size(); ++n) {
        l.ligne = n + 1;
        QString ligne = lignes[n];
        if (ligne.endsWith('\r')) ligne.chop(1);
        const QString t = ligne.trimmed();
        if (t.isEmpty() || t.startsWith('#')) continue;
        if (t.startsWith('[') && t.endsWith(']') && !t.contains('=')) {
            if (!pile.isEmpty()) { l.ligne = ouvertures.last(); l.refuser(QStringLiteral("« si » sans « finsi »")); }
            const QString s = t.mid(1, t.size() - 2).trimmed();
            rapport = false;
            bande = nullptr;
            if (s == "rapport") { rapport = vu_rapport = true; }
            else if (s == "entête_page") bande = &m.entetePage;
            else if (s == "début_rapport") bande = &m.debutRapport;
            else if (s == "entête_colonnes") bande = &m.enteteColonnes;
            else if (s == "entête_groupe") bande = &m.enteteGroupe;
            else if (s == "détail") bande = &m.detail;
            else if (s == "pied_groupe") bande = &m.piedGroupe;
            else if (s == "fin_rapport") bande = &m.finRapport;
            else if (s == "pied_page") bande = &m.piedPage;
            else if (s == "fenêtre") bande = &m.fenetre;
            else l.refuser(QStringLiteral("section inconnue « %1 »").arg(s));
            continue;
        }
        const int egal = t.indexOf('=');
        const QString cle_ = (egal < 0 ? t : t.left(egal)).trimmed();
        const QString valeur = egal < 0 ? QString() : t.mid(egal + 1).trimmed();
        if (rapport) {
            if (egal < 0) l.refuser(QStringLiteral("« réglage = valeur » attendu"));
            reglage(m, cle_, valeur, l);
            continue;
        }
        if (!bande) l.refuser(QStringLiteral("ligne hors section"));
        Bande& cible = pile.isEmpty() ? *bande : *pile.last();
        if (t.startsWith(QLatin1String("si ")) || t.startsWith(QLatin1String("si{"))) {
            Element e;
            e.genre = Element::Bloc;
            const QString v = t.mid(2).trimmed();
            int i = 0;
            if (!v.startsWith('{')) l.refuser(QStringLiteral("« si » attend un emplacement {…}"));
            e.condition = place(v, i, l);
            if (i != v.size()) l.refuser(QStringLiteral("texte inattendu après la condition"));
            if (e.condition.genre == Morceau::Special) l.refuser(QStringLiteral("condition incorrecte"));
            cible.append(e);
            pile.append(&cible.last().enfants);
            ouvertures.append(l.ligne);
            continue;
        }
        if (t == "finsi") {
            if (pile.isEmpty()) l.refuser(QStringLiteral("« finsi » sans « si »"));
            pile.removeLast();
            ouvertures.removeLast();
            continue;
        }
        Element e;
        if (cle_ == "ligne" && egal >= 0) {
            // The raw line (blanks kept inside cells), after the first "=".
            const QString brut = ligne.mid(ligne.indexOf('=') + 1);
            for (const QString& c : decouper(brut)) e.cellules.append(cellule(c, l));
        } else if (cle_ == "espace" && egal >= 0) {
            bool ok = false;
            e.genre = Element::Espace;
            e.mm = QString(valeur).replace(',', '.').toDouble(&ok);
            if (!ok || e.mm < 0 || e.mm > 250) l.refuser(QStringLiteral("espace incorrect"));
        } else if (t == "trait") {
            e.genre = Element::Trait;
        } else {
            l.refuser(QStringLiteral("ligne, espace, trait, si ou finsi attendu"));
        }
        cible.append(e);
    }
    if (!pile.isEmpty()) { l.ligne = ouvertures.last(); l.refuser(QStringLiteral("« si » sans « finsi »")); }
    if (!vu_rapport) { l.ligne = 1; l.refuser(QStringLiteral("section [rapport] absente")); }
    return m;
}

Modele lire_modele(const QString& chemin) {
    QFile f(chemin);
    if (chemin.isEmpty() || !QFileInfo(chemin).isFile() || !f.open(QIODevice::ReadOnly))
        throw Erreur(53, QStringLiteral("Le modèle d'édition « %1 » est introuvable.").arg(chemin));
    return analyser_modele(QString::fromUtf8(f.readAll()), QFileInfo(chemin).fileName());
}

void valeurs(const Bande& b, QVector<formule::PNoeud>& r) {
    for (const Element& e : b) {
        for (const Cellule& c : e.cellules)
            for (const Morceau& m : c.contenu) valeurs_morceau(m, r);
        if (e.genre == Element::Bloc) {
            valeurs_morceau(e.condition, r);
            valeurs(e.enfants, r);
        }
    }
}

}  // namespace report

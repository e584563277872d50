#include "platform/db/jeu_enregistrements.h"
#include "platform/db/cles_portees.h"
#include "platform/db/dialecte.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/db/sqlite_outils.h"
#include "platform/db/tri_francais.h"
#include <QDate>
#include <QHash>

namespace db {

namespace {

// A date past the end of the century is a slip of the keyboard in a school's register.
const QDate DerniereDate(2099, 12, 31);

QDate lire_date(const QString& saisie) {
    static const char* formats[] = {"d/M/yyyy", "yyyy-MM-dd"};
    for (const char* f : formats) {
        const QDate d = QDate::fromString(saisie, QLatin1String(f));
        if (d.isValid()) return d;
    }
    return {};
}

// A value put into the buffer (typed text, or a typed value from code) as it is stored; the
// field's kind decides. Refusals say which field and what was typed.
QVariant pour_stockage(const DescriptionChamp& c, const QVariant& v) {
    if (!v.isValid() || v.isNull()) return {};
    const bool texte = v.typeId() == QMetaType::QString;
    const QString saisie = texte ? v.toString().trimmed() : QString();
    const auto refuser = [&](const QString& attendu) -> QVariant {
        lever_sur_champ(erreurs::ConversionType, c.nom,
                        QStringLiteral(" (champ « %1 » : « %2 » %3)").arg(c.nom, v.toString(), attendu));
    };
    switch (c.type) {
    case TypeChamp::Texte:
    case TypeChamp::Memo: {
        const QString s = v.typeId() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("dd/MM/yyyy")) : v.toString();
        // The width counts characters: a letter outside the 16-bit range (an emoji) is one.
        if (c.longueurMax > 0 && s.size() > c.longueurMax && s.toUcs4().size() > c.longueurMax)
            lever_sur_champ(erreurs::ChampTropPetit, c.nom,
                            QStringLiteral(" (champ « %1 » : %2 caractères au plus)").arg(c.nom).arg(c.longueurMax));
        return s;
    }
    case TypeChamp::Date: {
        QDate d;
        if (v.typeId() == QMetaType::QDate) d = v.toDate();
        else if (v.typeId() == QMetaType::QDateTime) d = v.toDateTime().date();
        else if (texte && saisie.isEmpty()) return {};
        else if (texte) d = lire_date(saisie);
        if (!d.isValid()) return refuser(QStringLiteral("n'est pas une date au format JJ/MM/AAAA"));
        if (d > DerniereDate)
            return refuser(QStringLiteral("est après le 31/12/2099 : les dates vont jusqu'au 31/12/2099 au plus tard"));
        return d.toString(Qt::ISODate);
    }
    case TypeChamp::Booleen: {
        if (!texte) return v.toDouble() != 0 || v.toBool() ? 1 : 0;
        if (saisie.isEmpty()) return {};
        static const QStringList vrais = {"vrai", "true", "oui", "1", "-1"}, faux = {"faux", "false", "non", "0"};
        if (vrais.contains(saisie.toLower())) return 1;
        if (faux.contains(saisie.toLower())) return 0;
        return refuser(QStringLiteral("n'est ni Vrai ni Faux"));
    }
    case TypeChamp::Entier: {
        if (!texte) return qlonglong(qRound64(v.toDouble()));
        if (saisie.isEmpty()) return {};
        bool ok = false;
        const qlonglong n = saisie.toLongLong(&ok);
        if (!ok) return refuser(QStringLiteral("n'est pas un nombre entier"));
        return n;
    }
    case TypeChamp::Reel: {
        if (!texte) return v.toDouble();
        if (saisie.isEmpty()) return {};
        bool ok = false;
        const double x = QString(saisie).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok) return refuser(QStringLiteral("n'est pas un nombre"));
        return x;
    }
    }
    return v;
}

}  // namespace

// The fields of one row as the file holds them.
struct Ligne {
    QVector<QVariant> valeurs;
    // Texts whose bytes are no valid UTF-8 (written by another program), by column: their
    // value shows U+FFFD in place of the bytes, and only the bytes name what is stored.
    QHash<int, QByteArray> octets;
};

// The rows are known by their identities, read in the query's order when the set opens; a
// row's fields are read when it is visited and kept in a small cache. Opening a register of
// 100,000 pupils thus reads one integer per pupil, whatever the number of fields.
struct JeuEnregistrements::Impl {
    std::shared_ptr<BaseDonnees> base;
    QString texteSource;
    dialecte::Source source;
    QVector<DescriptionChamp> champs;
    QHash<QString, int> index;  // lower-case name -> column
    QString colonnesSql;        // the fields, quoted
    QVector<qint64> ids;        // the rows' identities in the query's order: the bookmarks

    // Identity -> position, built when first needed (a find, a bookmark) and dropped by a Delete.
    mutable QHash<qint64, int> positions;
    mutable bool positionsAJour = false;
    // Fields of recently visited rows, as stored. A row that another workstation deleted
    // since the set opened reads as empty fields.
    static constexpr int TailleCache = 512;
    mutable QHash<qint64, Ligne> cache;
    // The current record, read from the file each time a move arrives on it, so that a row
    // another workstation changed since its last visit shows its new fields: what is shown is
    // what the write compares.
    mutable Ligne ligneLue;
    mutable qint64 idCourant = -1;
    QString requeteLigne;  // the fields of one row

    // Position: a row index, -1 before the first (BOF), size() after the last (EOF). After a
    // Delete, `supprime` says that the position is the gap where the row was.
    int pos = -1;
    bool eof = true, bof = true, supprime = false;
    int mode = 0;
    QVector<QVariant> tampon;
    Ligne lus;  // the record as shown when the edit began: the write's condition
    QVector<bool> modifie;
    int posAvantAjout = -1;
    bool sansCourantAvantAjout = true;
    bool noMatch = false;
    QVariant dernier;
    bool ferme = false;

    void verifierOuvert() const {
        if (ferme || !base || !base->ouverte()) lever(erreurs::ObjetInvalide);
    }
    bool courant() const { return !ferme && mode != 2 && !supprime && pos >= 0 && pos < ids.size(); }
    void exigerCourant() const {
        verifierOuvert();
        if (!courant()) lever(erreurs::AucunEnregistrement);
    }
    int colonne(const QString& nom) const {
        const int c = index.value(nom.toLower(), -1);
        if (c < 0) lever(erreurs::ElementIntrouvable, QStringLiteral(" « %1 »").arg(nom));
        return c;
    }
    void verifierColonne(int c) const {
        if (c < 0 || c >= champs.size()) lever(erreurs::ElementIntrouvable, QStringLiteral(" (colonne %1)").arg(c));
    }

    QString requeteIdentites() const {
        QString sql = QStringLiteral("SELECT rowid FROM ") + sqlite::nom_sql(source.table);
        if (!source.filtre.isEmpty()) sql += QStringLiteral(" WHERE ") + source.filtre;
        if (!source.ordre.isEmpty()) sql += QStringLiteral(" ORDER BY ") + source.ordre;
        return sql;
    }

    // A write or delete reaches the row only if it still holds what was read: the identity
    // alone could name another record (SQLite gives a deleted last row's identity to the next
    // row added), and a field changed meanwhile by another workstation would be overwritten.
    // Compared byte for byte, whatever the column's collation.
    QString conditionLue() const {
        QString w = QStringLiteral(" WHERE rowid = ?");
        for (const DescriptionChamp& c : champs) w += QStringLiteral(" AND ") + sqlite::nom_sql(c.nom) + QStringLiteral(" IS ? COLLATE BINARY");
        return w;
    }
    void lierLus(sqlite::Instruction& i, int premier, qint64 id, const Ligne& lue) const {
        i.lier(premier, id);
        for (int c = 0; c < lue.valeurs.size(); ++c) {
            const auto octets = lue.octets.constFind(c);
            if (octets != lue.octets.constEnd()) i.lierTexte(premier + 1 + c, *octets);
            else i.lier(premier + 1 + c, lue.valeurs[c]);
        }
    }
    // Nothing was written: the row is gone (3167) or holds something else (3197).
    [[noreturn]] void refuserEcriture(sqlite3* p, qint64 id) const {
        sqlite::Instruction existe(p, QStringLiteral("SELECT 1 FROM ") + sqlite::nom_sql(source.table)
                                          + QStringLiteral(" WHERE rowid = ?"));
        existe.lier(1, id);
        lever(existe.pas() ? erreurs::ModifieAilleurs : erreurs::EnregistrementSupprime);
    }

    // The fields of one row as the file holds them now; empty when it is gone.
    Ligne lireLigne(qint64 id) const {
        Ligne l;
        l.valeurs.resize(champs.size());
        if (!base || !base->ouverte()) return l;
        sqlite::Instruction i(base->poignee(), base->preparee(requeteLigne));
        i.lier(1, id);
        if (i.pas()) {
            for (int c = 0; c < champs.size(); ++c) {
                l.valeurs[c] = i.valeur(c);
                if (l.valeurs[c].typeId() != QMetaType::QString) continue;
                const QByteArray octets = i.octetsInexacts(c);
                if (!octets.isEmpty()) l.octets.insert(c, octets);
            }
        }
        return l;
    }
    void garder(qint64 id, const Ligne& l) const {
        if (cache.size() >= TailleCache && !cache.contains(id)) cache.clear();
        cache.insert(id, l);
    }
    const Ligne& valeurs(int ligne) const {
        const qint64 id = ids[ligne];
        if (id == idCourant) return ligneLue;
        auto it = cache.constFind(id);
        if (it != cache.constEnd()) return *it;
        if (cache.size() >= TailleCache) cache.clear();
        return *cache.insert(id, lireLigne(id));
    }
    // The current record (exigerCourant() first), read once since the move that arrived on it.
    const Ligne& ligneCourante() const {
        const qint64 id = ids[pos];
        if (id != idCourant) {
            ligneLue = lireLigne(id);
            idCourant = id;
            garder(id, ligneLue);
        }
        return ligneLue;
    }

    int position(qint64 id) const {
        if (!positionsAJour) {
            positions.clear();
            positions.reserve(ids.size());
            for (int r = 0; r < ids.size(); ++r) positions.insert(ids[r], r);
            positionsAJour = true;
        }
        return positions.value(id, -1);
    }

    void charger() {
        verifierOuvert();
        QVector<qint64> lus;
        if (auto francais = tri_francais::identites(base->poignee(), source)) {
            lus = std::move(*francais);
        } else {
            sqlite::Instruction i(base->poignee(), requeteIdentites());
            while (i.pas()) lus.append(i.entier(0));
        }
        ids = std::move(lus);
        ids.squeeze();
        positions.clear();
        positionsAJour = false;
        cache.clear();
        idCourant = -1;
        mode = 0;
        supprime = false;
        noMatch = false;
        pos = ids.isEmpty() ? -1 : 0;
        eof = bof = ids.isEmpty();
    }

    // A move arrives at row i (or past an end): that record is read from the file afresh. A
    // read that fails here (the file locked a moment) is tried again when the record is shown.
    void placer(int i) {
        pos = i;
        eof = bof = false;
        supprime = false;
        mode = 0;
        idCourant = -1;
        if (courant()) {
            try {
                ligneCourante();
            } catch (const Erreur&) {
            }
        }
    }

    QVariant presenterTampon(int c) const {
        const QVariant& v = tampon[c];
        if (champs[c].type == TypeChamp::Date && v.typeId() == QMetaType::QString) {
            const QDate d = lire_date(v.toString().trimmed());
            return d.isValid() ? QVariant(d) : v;
        }
        if (modifie[c]) return v;
        return sqlite::presenter(v, champs[c].type);
    }
};

JeuEnregistrements::JeuEnregistrements(std::shared_ptr<BaseDonnees> base, const QString& source)
    : d(std::make_shared<Impl>()) {
    if (!base || !base->ouverte()) lever(erreurs::ObjetInvalide);
    d->base = std::move(base);
    d->texteSource = source;
    d->source = dialecte::source(source);
    const QVector<DescriptionChamp> tous = d->base->champs(d->source.table);
    if (d->source.colonnes.isEmpty()) {
        d->champs = tous;
    } else {
        for (const QString& nom : d->source.colonnes) {
            auto it = std::find_if(tous.begin(), tous.end(),
                                   [&](const DescriptionChamp& c) { return c.nom.compare(nom, Qt::CaseInsensitive) == 0; });
            if (it == tous.end()) lever(erreurs::ElementIntrouvable, QStringLiteral(" « %1 »").arg(nom));
            d->champs.append(*it);
        }
    }
    QStringList colonnes;
    for (int c = 0; c < d->champs.size(); ++c) {
        d->index.insert(d->champs[c].nom.toLower(), c);
        colonnes.append(sqlite::nom_sql(d->champs[c].nom));
    }
    d->colonnesSql = colonnes.join(QStringLiteral(", "));
    d->requeteLigne = QStringLiteral("SELECT ") + d->colonnesSql + QStringLiteral(" FROM ") + sqlite::nom_sql(d->source.table)
                      + QStringLiteral(" WHERE rowid = ?");
    d->charger();
}

const QVector<DescriptionChamp>& JeuEnregistrements::champs() const { return d->champs; }
int JeuEnregistrements::indexChamp(const QString& nom) const { return d->index.value(nom.toLower(), -1); }
QString JeuEnregistrements::table() const { return d->source.table; }

bool JeuEnregistrements::Eof() const { return d->ferme || d->eof; }
bool JeuEnregistrements::Bof() const { return d->ferme || d->bof; }
int JeuEnregistrements::RecordCount() const { return int(d->ids.size()); }
int JeuEnregistrements::AbsolutePosition() const { return d->courant() ? d->pos : -1; }
int JeuEnregistrements::EditMode() const { return d->mode; }
bool JeuEnregistrements::tamponModifie() const { return d->mode != 0 && d->modifie.contains(true); }
bool JeuEnregistrements::champModifie(const QString& champ) const {
    const int c = indexChamp(champ);
    return d->mode != 0 && c >= 0 && c < d->modifie.size() && d->modifie[c];
}
bool JeuEnregistrements::NoMatch() const { return d->noMatch; }
QVariant JeuEnregistrements::LastModified() const { return d->dernier; }

// Every operation below first asks the owner (which may save the record being left, or
// refuse the operation), then acts; a pending edit that the owner did not save is dropped
// by the move: leaving a record without saving it abandons what was typed.
#define AVANT(code)                                          \
    d->verifierOuvert();                                     \
    if (avantOperation && !avantOperation(action::code)) return;
#define APRES() \
    if (apresDeplacement) apresDeplacement();

void JeuEnregistrements::MoveFirst() {
    AVANT(MoveFirst);
    if (d->ids.isEmpty()) lever(erreurs::AucunEnregistrement);
    d->placer(0);
    APRES();
}

void JeuEnregistrements::MoveLast() {
    AVANT(MoveLast);
    if (d->ids.isEmpty()) lever(erreurs::AucunEnregistrement);
    d->placer(int(d->ids.size()) - 1);
    APRES();
}

void JeuEnregistrements::MoveNext() {
    AVANT(MoveNext);
    if (d->eof) lever(erreurs::AucunEnregistrement);
    const int n = int(d->ids.size());
    const int cible = d->supprime ? d->pos : d->pos + 1;  // after a Delete the next row is in the gap
    d->placer(std::min(cible, n));
    if (d->pos >= n) { d->eof = true; d->bof = n == 0; }
    APRES();
}

void JeuEnregistrements::MovePrevious() {
    AVANT(MovePrevious);
    if (d->bof) lever(erreurs::AucunEnregistrement);
    const int n = int(d->ids.size());
    d->placer(std::max(d->pos - 1, -1));
    if (d->pos < 0) { d->bof = true; d->eof = n == 0; }
    APRES();
}

void JeuEnregistrements::setAbsolutePosition(int position) {
    AVANT(Bookmark);
    if (position < 0 || position >= d->ids.size()) lever(erreurs::ArgumentInvalide);
    d->placer(position);
    APRES();
}

void JeuEnregistrements::AddNew() {
    AVANT(AddNew);
    const bool sansCourant = !d->courant() && d->mode != 2;
    if (d->mode != 2) {
        d->posAvantAjout = d->pos;
        d->sansCourantAvantAjout = sansCourant;
    }
    d->mode = 2;
    d->tampon = QVector<QVariant>(d->champs.size());
    d->modifie = QVector<bool>(d->champs.size(), false);
    APRES();
}

void JeuEnregistrements::Edit() {
    d->exigerCourant();
    d->mode = 1;
    d->lus = d->ligneCourante();
    d->tampon = d->lus.valeurs;
    d->modifie = QVector<bool>(d->champs.size(), false);
}

void JeuEnregistrements::CancelUpdate() {
    d->verifierOuvert();
    const bool etaitNouveau = d->mode == 2;
    d->mode = 0;
    d->tampon.clear();
    d->modifie.clear();
    if (etaitNouveau) {
        d->pos = d->posAvantAjout;
        APRES();
    }
}

void JeuEnregistrements::Update() {
    AVANT(Update);
    if (d->mode == 0) lever(erreurs::MiseAJourSansEdition);
    // Everything is converted and checked before the file is touched: a refusal writes nothing
    // and leaves the buffer as typed, for the user to correct.
    QStringList noms;
    QVariantList valeurs;
    for (int c = 0; c < d->champs.size(); ++c) {
        if (!d->modifie[c]) continue;
        noms.append(sqlite::nom_sql(d->champs[c].nom));
        valeurs.append(pour_stockage(d->champs[c], d->tampon[c]));
    }
    const QString table = sqlite::nom_sql(d->source.table);
    if (d->mode == 1 && noms.isEmpty()) {  // nothing changed: nothing to write
        d->dernier = d->ids[d->pos];
        d->mode = 0;
        return;
    }
    sqlite3* p = d->base->poignee();
    sqlite::Transaction t(p);
    qint64 id = 0;
    if (d->mode == 2) {
        QString sql = QStringLiteral("INSERT INTO ") + table;
        if (noms.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marques(noms.size(), QStringLiteral("?"));
            sql += QStringLiteral(" (") + noms.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                   + marques.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        sqlite::Instruction i(p, sql);
        i.lier(valeurs);
        i.pas();
        id = sqlite3_last_insert_rowid(p);
    } else {
        id = d->ids[d->pos];
        QStringList affectations;
        for (const QString& n : noms) affectations.append(n + QStringLiteral(" = ?"));
        sqlite::Instruction i(p, QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ")
                                     + affectations.join(QStringLiteral(", ")) + d->conditionLue());
        i.lier(valeurs);
        d->lierLus(i, int(valeurs.size()) + 1, id, d->lus);
        i.pas();
        if (sqlite3_changes(p) == 0) d->refuserEcriture(p, id);
    }
    t.valider();
    // The row as the file now holds it (defaults, conversions) is what the next edit compares.
    const Ligne lue = d->lireLigne(id);
    d->garder(id, lue);
    if (d->mode == 1) {
        d->ligneLue = lue;
        d->idCourant = id;
    }

    d->dernier = id;
    d->tampon.clear();
    d->modifie.clear();
    if (d->mode == 1) {
        d->mode = 0;
        return;
    }
    // A new record joins the rows at the end. The record current before AddNew stays current;
    // when there was none, the new record becomes current.
    d->ids.append(id);
    if (d->positionsAJour) d->positions.insert(id, int(d->ids.size()) - 1);
    d->mode = 0;
    if (d->sansCourantAvantAjout) d->placer(int(d->ids.size()) - 1);
    else d->pos = d->posAvantAjout;
    APRES();
}

void JeuEnregistrements::Delete() {
    AVANT(Delete);
    d->exigerCourant();
    sqlite3* p = d->base->poignee();
    sqlite::Transaction t(p);
    const qint64 id = d->ids[d->pos];
    const Ligne lus = d->ligneCourante();
    // The rows that carry this row's key let go of it in the same write; a refused delete
    // below takes that back with it.
    for (const ClePortee& c : cles_portees(d->source.table)) {
        sqlite::Instruction liberer(
            p, QStringLiteral("UPDATE %1 SET %2 = '' WHERE %2 = (SELECT %3 FROM %4 WHERE rowid = ?) AND %2 <> ''")
                   .arg(sqlite::nom_sql(c.tablePorteuse), sqlite::nom_sql(c.champPorteur), sqlite::nom_sql(c.champ),
                        sqlite::nom_sql(d->source.table)));
        liberer.lier(1, id);
        liberer.pas();
    }
    sqlite::Instruction i(p, QStringLiteral("DELETE FROM ") + sqlite::nom_sql(d->source.table) + d->conditionLue());
    d->lierLus(i, 1, id, lus);
    i.pas();
    if (sqlite3_changes(p) == 0) d->refuserEcriture(p, id);
    t.valider();
    d->ids.removeAt(d->pos);
    d->cache.remove(id);
    d->idCourant = -1;
    d->positionsAJour = false;
    d->positions.clear();
    d->supprime = true;
    d->mode = 0;
}

void JeuEnregistrements::FindFirst(const QString& critere) {
    AVANT(Find);
    const QString condition = dialecte::critere(critere);
    QString sql = QStringLiteral("SELECT rowid FROM ") + sqlite::nom_sql(d->source.table) + QStringLiteral(" WHERE ");
    if (!d->source.filtre.isEmpty()) sql += QLatin1Char('(') + d->source.filtre + QStringLiteral(") AND ");
    sql += QLatin1Char('(') + condition + QLatin1Char(')');
    // The first match in the set's order: the matching identities are looked up among the
    // set's positions, not walked in order.
    int premier = -1;
    try {
        sqlite::Instruction i(d->base->poignee(), sql);
        while (i.pas()) {
            const int r = d->position(i.entier(0));
            if (r >= 0 && (premier < 0 || r < premier)) premier = r;
            if (premier == 0) break;
        }
    } catch (const Erreur& e) {
        if (e.numero == erreurs::SyntaxeRequete) lever(erreurs::SyntaxeCritere, QStringLiteral(" « %1 »").arg(critere));
        throw;
    }
    d->noMatch = premier < 0;
    if (premier < 0) return;
    d->placer(premier);
    APRES();
}

QVariant JeuEnregistrements::Bookmark() const {
    d->exigerCourant();
    return QVariant(qlonglong(d->ids[d->pos]));
}

void JeuEnregistrements::setBookmark(const QVariant& signet) {
    AVANT(Bookmark);
    bool ok = false;
    signet.toLongLong(&ok);
    const int r = ok ? d->position(signet.toLongLong()) : -1;
    if (r < 0) lever(erreurs::SignetInvalide);
    d->placer(r);
    APRES();
}

QVariant JeuEnregistrements::valeur(const QString& champ) const { return valeur(d->colonne(champ)); }

QVariant JeuEnregistrements::valeur(int colonne) const {
    d->verifierOuvert();
    d->verifierColonne(colonne);
    if (d->mode != 0) return d->presenterTampon(colonne);
    d->exigerCourant();
    return sqlite::presenter(d->ligneCourante().valeurs[colonne], d->champs[colonne].type);
}

QString JeuEnregistrements::texte(const QString& champ) const {
    const int c = d->colonne(champ);
    const QVariant v = valeur(c);
    if (v.isNull() || !v.isValid()) return {};
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("Vrai") : QStringLiteral("Faux");
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    default: return v.toString();
    }
}

void JeuEnregistrements::setValeur(const QString& champ, const QVariant& valeur) { setValeur(d->colonne(champ), valeur); }

void JeuEnregistrements::setValeur(int colonne, const QVariant& valeur) {
    d->verifierOuvert();
    d->verifierColonne(colonne);
    if (d->mode == 0) Edit();
    d->tampon[colonne] = valeur;
    d->modifie[colonne] = true;
}

QVariant JeuEnregistrements::valeurLigne(int ligne, int colonne) const {
    d->verifierColonne(colonne);
    if (ligne < 0 || ligne >= d->ids.size()) lever(erreurs::AucunEnregistrement);
    return sqlite::presenter(d->valeurs(ligne).valeurs[colonne], d->champs[colonne].type);
}

void JeuEnregistrements::relire() {
    d->charger();
    APRES();
}

void JeuEnregistrements::Close() {
    if (d->ferme) return;
    // The owner saves what was typed; the set closes even if that save was refused (the
    // owner has reported it).
    if (avantOperation) avantOperation(action::Close);
    d->ferme = true;
    d->ids.clear();
    d->cache.clear();
    d->idCourant = -1;
    d->positions.clear();
    d->mode = 0;
    d->base.reset();
}

}  // namespace db
